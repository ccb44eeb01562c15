#include "controls/parts.h"

#include "platform/draw.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace tarnwick::controls {

using platform::to_pixel;

Part* Part::hit(QPoint p, QPoint& local) {
    const QRect area = bounds();
    if (!area.contains(p)) return nullptr;
    local = p - area.topLeft();
    return this;
}

void paint_parts(const std::vector<Part*>& parts, QImage& target, QPoint origin) {
    for (const Part* part : parts)
        if (part->visible) part->paint(target, origin);
}

Part* hit_parts(const std::vector<Part*>& parts, QPoint p, QPoint& local) {
    for (auto it = parts.rbegin(); it != parts.rend(); ++it) {
        Part* part = *it;
        if (!part->visible || !part->enabled) continue;
        if (Part* found = part->hit(p, local)) return found;
    }
    return nullptr;
}

void LinePart::paint(QImage& target, QPoint origin) const {
    platform::draw_line(target, x1 + origin.x(), y1 + origin.y(), x2 + origin.x(), y2 + origin.y(),
                        colour);
}

TextPart::TextPart(QString caption, platform::Font font, Colour fore, double left, double top,
                   double width, double height, bool auto_size)
    : fore_colour(fore), left(left), top(top), width(width), height(height),
      caption_(std::move(caption)), font_(std::move(font)), auto_size_(auto_size) {}

void TextPart::set_caption(QString caption) {
    caption_ = std::move(caption);
    fit();
}

void TextPart::set_font(platform::Font font) {
    font_ = std::move(font);
    fit();
}

void TextPart::fit() {
    if (!auto_size_) return;
    width = platform::text_width(font_, caption_);
    height = platform::text_height(font_, caption_);
}

QRect TextPart::bounds() const {
    return {to_pixel(left), to_pixel(top), to_pixel(width), to_pixel(height)};
}

void TextPart::paint(QImage& target, QPoint origin) const {
    const QRect area = bounds().translated(origin);
    int x = area.x();
    if (align == Align::centre) x += (area.width() - platform::text_width(font_, caption_)) / 2;
    platform::draw_text(target, area, x, area.y(), caption_, font_, fore_colour);
}

QRect CrossPart::bounds() const {
    return {to_pixel(left), to_pixel(top), width, height};
}

void CrossPart::paint(QImage& target, QPoint origin) const {
    const QRect area = bounds().translated(origin);
    const int x = area.x() + (width - size) / 2, y = area.y() + (height - size) / 2;
    const int last = size - 1;
    // Each stroke is its own diagonal and the two beside it, one pixel shorter.
    for (int side = -1; side <= 1; ++side) {
        const int right = std::max(side, 0), down = std::max(-side, 0);
        const int length = size - std::abs(side);
        platform::draw_line(target, x + right, y + down, x + right + length, y + down + length,
                            fore_colour);
        platform::draw_line(target, x + last - right, y + down, x + last - right - length,
                            y + down + length, fore_colour);
    }
}

PicturePart::PicturePart(double left, double top, int width, int height, Colour back)
    : left(left), top(top), surface_(width, height, back) {}

QRect PicturePart::bounds() const {
    return {to_pixel(left), to_pixel(top), surface_.width(), surface_.height()};
}

QImage PicturePart::composed() const {
    QImage picture = surface_.image().copy();
    paint_parts(children_, picture, {0, 0});
    return picture;
}

void PicturePart::paint(QImage& target, QPoint origin) const {
    const QRect area = bounds().translated(origin);
    platform::copy_pixels(target, area.x(), area.y(), composed(), 0, 0, area.width(),
                          area.height());
}

Part* PicturePart::hit(QPoint p, QPoint& local) {
    const QRect area = bounds();
    if (!area.contains(p)) return nullptr;
    const QPoint inside = p - area.topLeft();
    if (Part* child = hit_parts(children_, inside, local)) return child;
    local = inside;
    return this;
}

} // namespace tarnwick::controls
