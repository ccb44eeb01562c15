#include "platform/draw.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace tarnwick::platform {

namespace {

// Far beyond any surface, and small enough that products of two coordinates fit in 64 bits.
constexpr double coordinate_limit = 1 << 24;

void put(QImage& target, std::int64_t x, std::int64_t y, QRgb rgb) {
    if (x < 0 || y < 0 || x >= target.width() || y >= target.height()) return;
    reinterpret_cast<QRgb*>(target.scanLine(static_cast<int>(y)))[x] = rgb;
}

// Rounds a / b to the nearest integer, halves upwards; b > 0.
std::int64_t divide_rounded(std::int64_t a, std::int64_t b) {
    const std::int64_t twice = 2 * a + b;
    const std::int64_t q = twice / (2 * b);
    return (twice % (2 * b) < 0) ? q - 1 : q;
}

// The steps i of a line along its major axis whose major coordinate lies in [0, size).
void visible_steps(std::int64_t start, int direction, std::int64_t size, std::int64_t steps,
                   std::int64_t& first, std::int64_t& last) {
    if (direction > 0) {
        first = std::max<std::int64_t>(0, -start);
        last = std::min(steps, size - start);
    } else {
        first = std::max<std::int64_t>(0, start - size + 1);
        last = std::min(steps, start + 1);
    }
}

bool in_disc(std::int64_t dx, std::int64_t dy, double radius) {
    const double reach = radius + 0.5;
    return static_cast<double>(dx * dx + dy * dy) < reach * reach;
}

bool on_rim(std::int64_t dx, std::int64_t dy, double radius) {
    return in_disc(dx, dy, radius) &&
           !(in_disc(dx + 1, dy, radius) && in_disc(dx - 1, dy, radius) &&
             in_disc(dx, dy + 1, radius) && in_disc(dx, dy - 1, radius));
}

double normalised(double angle) {
    constexpr double turn = 2 * std::numbers::pi;
    angle = std::fmod(angle, turn);
    return angle < 0 ? angle + turn : angle;
}

bool within_arc(double angle, double start, double end) {
    return start <= end ? (angle >= start && angle <= end) : (angle >= start || angle <= end);
}

// Visits every pixel of the disc's bounding box that lies on the target.
template <class Visit>
void for_disc_box(const QImage& target, double cx, double cy, double radius, Visit visit) {
    if (!(radius >= 0) || !std::isfinite(cx) || !std::isfinite(cy)) return;
    const std::int64_t x0 = to_pixel(cx), y0 = to_pixel(cy);
    const auto reach = static_cast<std::int64_t>(std::min(radius + 0.5, coordinate_limit));
    const std::int64_t top = std::max<std::int64_t>(y0 - reach, 0);
    const std::int64_t bottom = std::min<std::int64_t>(y0 + reach, target.height() - 1);
    const std::int64_t left = std::max<std::int64_t>(x0 - reach, 0);
    const std::int64_t right = std::min<std::int64_t>(x0 + reach, target.width() - 1);
    for (std::int64_t y = top; y <= bottom; ++y)
        for (std::int64_t x = left; x <= right; ++x)
            visit(x, y, x - x0, y - y0);
}

// A copy rectangle clipped to both images.
struct Span {
    int x, y, sx, sy, w, h;
};

bool clip_span(Span& s, const QImage& target, const QImage& source) {
    const int shift_x = std::max({0, -s.x, -s.sx});
    const int shift_y = std::max({0, -s.y, -s.sy});
    s.x += shift_x, s.sx += shift_x, s.w -= shift_x;
    s.y += shift_y, s.sy += shift_y, s.h -= shift_y;
    s.w = std::min({s.w, target.width() - s.x, source.width() - s.sx});
    s.h = std::min({s.h, target.height() - s.y, source.height() - s.sy});
    return s.w > 0 && s.h > 0;
}

std::uint8_t mix(int src, int dst, int alpha) {
    return static_cast<std::uint8_t>((src * alpha + dst * (255 - alpha)) / 255);
}

} // namespace

int to_pixel(double coordinate) {
    if (std::isnan(coordinate)) return 0;
    return static_cast<int>(
        std::clamp(std::floor(coordinate), -coordinate_limit, coordinate_limit));
}

void clear(QImage& target, Colour colour) {
    target.fill(to_rgb(colour));
}

void draw_line(QImage& target, double x1, double y1, double x2, double y2, Colour colour) {
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
        return;
    const std::int64_t ax = to_pixel(x1), ay = to_pixel(y1);
    const std::int64_t dx = to_pixel(x2) - ax, dy = to_pixel(y2) - ay;
    const std::int64_t steps = std::max(std::abs(dx), std::abs(dy));
    if (steps == 0) return;
    // Step along the major axis, only where it crosses the target; the minor coordinate
    // is the line's exact value at that step, rounded.
    const bool along_x = std::abs(dx) >= std::abs(dy);
    std::int64_t first = 0, last = 0;
    if (along_x)
        visible_steps(ax, dx > 0 ? 1 : -1, target.width(), steps, first, last);
    else
        visible_steps(ay, dy > 0 ? 1 : -1, target.height(), steps, first, last);
    if (first >= last) return;
    const QRgb rgb = to_rgb(colour);
    if (dy == 0) { // one run of one scan line, as most edges and every bar block are
        if (ay < 0 || ay >= target.height()) return;
        auto* row = reinterpret_cast<QRgb*>(target.scanLine(static_cast<int>(ay)));
        const std::int64_t from = dx > 0 ? ax + first : ax - (last - 1);
        std::fill(row + from, row + from + (last - first), rgb);
        return;
    }
    // The pixels are reached through one detached pointer rather than a look-up per pixel.
    uchar* bits = target.bits();
    const std::int64_t stride = target.bytesPerLine();
    for (std::int64_t i = first; i < last; ++i) {
        const std::int64_t x = ax + divide_rounded(dx * i, steps);
        const std::int64_t y = ay + divide_rounded(dy * i, steps);
        if (x >= 0 && y >= 0 && x < target.width() && y < target.height())
            reinterpret_cast<QRgb*>(bits + y * stride)[x] = rgb;
    }
}

void fill_circle(QImage& target, double cx, double cy, double radius, Colour colour) {
    const QRgb rgb = to_rgb(colour);
    for_disc_box(target, cx, cy, radius, [&](auto x, auto y, auto dx, auto dy) {
        if (in_disc(dx, dy, radius)) put(target, x, y, rgb);
    });
}

void draw_arc(QImage& target, double cx, double cy, double radius, double start, double end,
              Colour colour) {
    if (!std::isfinite(start) || !std::isfinite(end)) return;
    start = normalised(start);
    end = normalised(end);
    const QRgb rgb = to_rgb(colour);
    for_disc_box(target, cx, cy, radius, [&](auto x, auto y, auto dx, auto dy) {
        // Screen rows grow downwards; counterclockwise on the screen is upwards.
        const double angle = normalised(std::atan2(static_cast<double>(-dy), dx));
        if (on_rim(dx, dy, radius) && within_arc(angle, start, end)) put(target, x, y, rgb);
    });
}

void draw_text(QImage& target, const QRect& clip, double x, double y, const QString& text,
               const Font& font, Colour colour) {
    if (text.isEmpty() || !clip.intersects(target.rect())) return;
    QPainter painter(&target);
    painter.setClipRect(clip & target.rect());
    painter.setFont(to_qfont(font));
    painter.setPen(QColor::fromRgb(to_rgb(colour)));
    painter.drawText(QPoint(to_pixel(x), to_pixel(y) + text_metrics(font).ascent), text);
}

void copy_pixels(QImage& target, int x, int y, const QImage& source, int sx, int sy, int w, int h) {
    Span s{x, y, sx, sy, w, h};
    if (!clip_span(s, target, source)) return;
    // Source and target may be the same picture.
    const QImage from = source.copy(s.sx, s.sy, s.w, s.h);
    for (int row = 0; row < s.h; ++row)
        std::memcpy(target.scanLine(s.y + row) + s.x * sizeof(QRgb), from.constScanLine(row),
                    s.w * sizeof(QRgb));
}

std::uint32_t pack(const BLENDFUNCTION& blend) {
    std::uint32_t packed = 0;
    static_assert(sizeof packed == sizeof blend);
    std::memcpy(&packed, &blend, sizeof packed);
    return packed;
}

bool AlphaBlend(Hdc dest, int x, int y, int w, int h, Hdc src, int sx, int sy, int sw, int sh,
                std::uint32_t blend) {
    QImage* target = image_of(dest);
    QImage* source = image_of(src);
    BLENDFUNCTION f{};
    std::memcpy(&f, &blend, sizeof f);
    if (!target || !source || w <= 0 || h <= 0 || w != sw || h != sh || f.BlendOp != 0 ||
        f.AlphaFormat != 0)
        return false;
    Span s{x, y, sx, sy, w, h};
    if (!clip_span(s, *target, *source)) return true;
    const QImage from = source->copy(s.sx, s.sy, s.w, s.h);
    const int a = f.SourceConstantAlpha;
    for (int row = 0; row < s.h; ++row) {
        auto* out = reinterpret_cast<QRgb*>(target->scanLine(s.y + row)) + s.x;
        const auto* in = reinterpret_cast<const QRgb*>(from.constScanLine(row));
        for (int i = 0; i < s.w; ++i)
            out[i] = qRgb(mix(qRed(in[i]), qRed(out[i]), a), mix(qGreen(in[i]), qGreen(out[i]), a),
                          mix(qBlue(in[i]), qBlue(out[i]), a));
    }
    return true;
}

bool BitBlt(Hdc dest, int x, int y, int w, int h, Hdc src, int sx, int sy, std::uint32_t rop) {
    QImage* target = image_of(dest);
    const QImage* source = image_of(src);
    if (!target || !source || w <= 0 || h <= 0 || rop != SRCCOPY) return false;
    copy_pixels(*target, x, y, *source, sx, sy, w, h);
    return true;
}

} // namespace tarnwick::platform
