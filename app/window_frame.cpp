#include "app/window_frame.h"

#include "controls/elpanel.h"
#include "platform/colour.h"

#include <QPainter>
#include <QWidget>

namespace tarnwick::app {
namespace {
constexpr int frame = 1;
constexpr QSize frames(2 * frame, 2 * frame);
} // namespace

QWidget* framed_client(QWidget& window, QSize client) {
    window.setFixedSize(framed_size(client));
    auto* area = new QWidget(&window);
    area->setGeometry(QRect(QPoint(frame, frame), client));
    return area;
}

QSize framed_size(QSize client) {
    return client + frames;
}

QSize client_inside(QSize framed) {
    return framed - frames;
}

void paint_window_frame(QPainter& painter, const QWidget& window) {
    painter.setPen(QColor(platform::to_rgb(platform::system_colour(6)))); // window frame
    painter.drawRect(window.rect().adjusted(0, 0, -1, -1));
}

void TitleDrag::begin(float X, float Y) {
    drag_active = 1;
    drag_x = X;
    drag_y = Y;
}

void TitleDrag::follow(QPoint cursor) {
    if (drag_active != 1) return;
    const auto& title = panel_.Label1();
    const QPointF title_origin =
        QPointF(panel_.mapTo(&window_, QPoint(0, 0))) + QPointF(title.left, title.top);
    window_.move((QPointF(cursor) - title_origin - QPointF(drag_x, drag_y)).toPoint());
}

} // namespace tarnwick::app
