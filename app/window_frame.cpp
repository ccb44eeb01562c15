#include "app/window_frame.h"

#include "platform/colour.h"

#include <QPainter>
#include <QWidget>

namespace tarnwick::app {
namespace {
constexpr int frame = 1;
}

QWidget* framed_client(QWidget& window, QSize client) {
    window.setFixedSize(client + QSize(2 * frame, 2 * frame));
    auto* area = new QWidget(&window);
    area->setGeometry(QRect(QPoint(frame, frame), client));
    return area;
}

void paint_window_frame(QPainter& painter, const QWidget& window) {
    painter.setPen(QColor(platform::to_rgb(platform::system_colour(6)))); // window frame
    painter.drawRect(window.rect().adjusted(0, 0, -1, -1));
}

} // namespace tarnwick::app
