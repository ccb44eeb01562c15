#include "app/placement.h"

#include <algorithm>

namespace tarnwick::app {
namespace {

constexpr int gap = 4; // between the main window and the report

// `start` moved as little as it must for `length` to lie within [low, end).
int kept_within(int start, int length, int low, int end) {
    return std::max(low, std::min(start, end - length));
}

QRect kept_on(const QRect& room, const QRect& window) {
    return {QPoint(kept_within(window.x(), window.width(), room.left(), room.right() + 1),
                   kept_within(window.y(), window.height(), room.top(), room.bottom() + 1)),
            window.size()};
}

Placement side_by_side(const QRect& room, QRect main, QSize size) {
    const int top = kept_within(main.top(), size.height(), room.top(), room.bottom() + 1);
    const int right = main.right() + 1 + gap, left = main.left() - gap - size.width();
    if (right + size.width() <= room.right() + 1) return {main.topLeft(), {{right, top}, size}};
    if (left >= room.left()) return {main.topLeft(), {{left, top}, size}};
    // No room on either side: the main window makes room on the side nearer to it.
    const int leftwards = main.left() - (room.right() + 1 - size.width() - gap - main.width());
    const int rightwards = room.left() + size.width() + gap - main.left();
    if (leftwards <= rightwards) {
        main.translate(-leftwards, 0);
        return {main.topLeft(), {{main.right() + 1 + gap, top}, size}};
    }
    main.translate(rightwards, 0);
    return {main.topLeft(), {{room.left(), top}, size}};
}

// At the edge with more room beside the main window, over its list alone.
Placement over_list(const QRect& room, const QRect& main, QSize size, const QRect& coverable) {
    const bool at_right = room.right() - main.right() >= main.left() - room.left();
    const int x = at_right ? room.right() + 1 - size.width() : room.left();
    const QRect list = coverable.translated(main.topLeft()).intersected(room);
    return {main.topLeft(), {x, list.top(), size.width(), std::min(size.height(), list.height())}};
}

} // namespace

Placement place_report(const QRect& room, const QRect& main, QSize report, const QRect& coverable) {
    const QSize size = report.boundedTo(room.size());
    const QRect whole = kept_on(room, main);
    if (whole.width() + gap + size.width() <= room.width()) return side_by_side(room, whole, size);
    return over_list(room, whole, size, coverable);
}

} // namespace tarnwick::app
