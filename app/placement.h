#pragma once

// Where the report stands when it opens beside the main window, as a pure function of the
// screen and the two windows, so that every screen can be tried in a table.

#include <QPoint>
#include <QRect>
#include <QSize>

namespace tarnwick::app {

struct Placement {
    QPoint main;  // the main window's corner: where it was, unless it had to move aside
    QRect report; // the report's place and size
};

// `room` is the screen's room for windows, `main` the main window's frame, `report` the
// report's full size, `coverable` the part of the main window (in its own coordinates) that
// holds no button: its list. Where the screen is wide enough for both, they stand side by
// side, whole on the screen; when there is no room beside the main window, it moves aside
// once, as little as it must. On a narrower screen the report stands at the edge with more
// room and covers no more of the main window than `coverable`, as high as that is.
Placement place_report(const QRect& room, const QRect& main, QSize report, const QRect& coverable);

} // namespace tarnwick::app
