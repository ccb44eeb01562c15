#pragma once

// The program's windows have no system frame: each draws a one-pixel frame of its own, in
// the system's window-frame colour, around a client area that holds its controls, and
// moves by its title panel.

#include <QPoint>
#include <QSize>
#include <cstdint>

class QPainter;
class QWidget;

namespace tarnwick::controls {
class elpanel;
}

namespace tarnwick::app {

// Sizes `window` for a client area of `client` pixels inside the frame, and returns that
// area, a child of `window`.
QWidget* framed_client(QWidget& window, QSize client);
// The outer size of a window of `client`, and the client inside an outer `framed`.
QSize framed_size(QSize client);
QSize client_inside(QSize framed);
// Draws the frame along the edge of `window`.
void paint_window_frame(QPainter& painter, const QWidget& window);

// `window` moved by the title of `panel`, one of its children: from a press on the title
// until the release, the point of the title that was pressed stays under the cursor.
class TitleDrag {
public:
    TitleDrag(QWidget& window, const controls::elpanel& panel) : window_(window), panel_(panel) {}

    // A press at (X, Y) of the title text part, as the panel reports it; any button.
    void begin(float X, float Y);
    // Moves the window under `cursor` (screen pixels) while a drag is under way.
    void follow(QPoint cursor);
    void end() { drag_active = 0; }

private:
    QWidget& window_;
    const controls::elpanel& panel_;
    std::int16_t drag_active = 0;
    float drag_x = 0;
    float drag_y = 0;
};

} // namespace tarnwick::app
