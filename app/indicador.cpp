#include "app/indicador.h"

#include "app/stored_layout.h"
#include "controls/ellabel.h"
#include "controls/elprogress.h"
#include "controls/skin.h"
#include "platform/colour.h"

#include <QPainter>

namespace tarnwick::app {
namespace {

constexpr int client_width = 382;
constexpr int client_height = 73;
constexpr int frame = 1;
constexpr platform::Colour background = controls::skin::back;

} // namespace

Indicador::Indicador(QWidget* owner) : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint) {
    setFixedSize(client_width + 2 * frame, client_height + 2 * frame);
    setCursor(Qt::WaitCursor);
    auto* client = new QWidget(this);
    client->setGeometry(frame, frame, client_width, client_height);
    Label1 = place<controls::ellabel>(client, indicador_layout::Label1(), platform::Font{});
    Progressbar1 =
        place<controls::elprogress>(client, indicador_layout::Progressbar1(), platform::Font{});
    if (owner) move(owner->geometry().center() - rect().center());
}

void Indicador::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(platform::to_rgb(background)));
    painter.setPen(QColor(platform::to_rgb(platform::system_colour(6)))); // window frame
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace tarnwick::app
