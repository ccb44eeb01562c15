#pragma once

// The program's windows have no system frame: each draws a one-pixel frame of its own, in
// the system's window-frame colour, around a client area that holds its controls.

#include <QSize>

class QPainter;
class QWidget;

namespace tarnwick::app {

// Sizes `window` for a client area of `client` pixels inside the frame, and returns that
// area, a child of `window`.
QWidget* framed_client(QWidget& window, QSize client);
// Draws the frame along the edge of `window`.
void paint_window_frame(QPainter& painter, const QWidget& window);

} // namespace tarnwick::app
