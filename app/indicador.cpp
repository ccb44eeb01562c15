#include "app/indicador.h"

#include "app/stored_layout.h"
#include "app/window_frame.h"
#include "controls/ellabel.h"
#include "controls/elprogress.h"
#include "controls/skin.h"
#include "platform/colour.h"

#include <QPainter>

namespace tarnwick::app {
namespace {

constexpr QSize client_size(382, 73);
constexpr platform::Colour background = controls::skin::back;

} // namespace

Indicador::Indicador(QWidget* owner) : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint) {
    setCursor(Qt::WaitCursor);
    auto* client = framed_client(*this, client_size);
    Label1 = place<controls::ellabel>(client, indicador_layout::Label1(), platform::Font{});
    Progressbar1 =
        place<controls::elprogress>(client, indicador_layout::Progressbar1(), platform::Font{});
    if (owner) move(owner->geometry().center() - rect().center());
}

void Indicador::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(platform::to_rgb(background)));
    paint_window_frame(painter, *this);
}

} // namespace tarnwick::app
