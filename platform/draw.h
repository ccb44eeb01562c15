#pragma once

// The only code that touches pixels. Coordinates are pixels and may be fractional, as the
// controls compute them: the fraction is dropped towards minus infinity (665.67 draws in
// column 665), the way a control's pixel size drops the fraction of its size in twips.
// Everything is clipped to the target; nothing here reports a failure except the two
// device-context calls, whose result the controls ignore.

#include "platform/colour.h"
#include "platform/device_context.h"
#include "platform/fonts.h"

#include <QImage>
#include <QRect>
#include <QString>
#include <cstdint>

namespace tarnwick::platform {

int to_pixel(double coordinate);

void clear(QImage& target, Colour colour);

// One pixel wide, without antialiasing; the end point itself is not drawn, so a line of
// zero length draws nothing.
void draw_line(QImage& target, double x1, double y1, double x2, double y2, Colour colour);

// The disc of pixels whose centres lie within radius + 1/2 of the centre pixel.
void fill_circle(QImage& target, double cx, double cy, double radius, Colour colour);

// The rim of the same disc, from angle `start` to `end` in radians, counterclockwise as
// seen on the screen, measured from three o'clock. Never filled.
void draw_arc(QImage& target, double cx, double cy, double radius, double start, double end,
              Colour colour);

// One line of text with its cell's top-left corner at (x, y) and a transparent background,
// clipped to `clip`.
void draw_text(QImage& target, const QRect& clip, double x, double y, const QString& text,
               const Font& font, Colour colour);

// Copies a w x h rectangle; the parts outside either image are left out.
void copy_pixels(QImage& target, int x, int y, const QImage& source, int sx, int sy, int w, int h);

// The four-byte blend descriptor. The blend takes it packed into one 32-bit value, byte for
// byte, which puts the constant alpha at bits 16-23.
struct BLENDFUNCTION {
    std::uint8_t BlendOp;    // 0: source over
    std::uint8_t BlendFlags; // always 0
    std::uint8_t SourceConstantAlpha;
    std::uint8_t AlphaFormat; // 0: no per-pixel alpha
};
std::uint32_t pack(const BLENDFUNCTION& blend);

// Lays the source rectangle over the destination with the constant alpha of the packed
// descriptor: per channel (src * a + dst * (255 - a)) / 255, in integers. Source and
// destination must be the same size (the program never stretches). False, and nothing
// drawn, for an unknown handle, an empty or unequal rectangle, or a descriptor other than
// source-over with constant alpha.
bool AlphaBlend(Hdc dest, int x, int y, int w, int h, Hdc src, int sx, int sy, int sw, int sh,
                std::uint32_t blend);

constexpr std::uint32_t SRCCOPY = 0x00CC0020;
// Copies a rectangle between device contexts. False, and nothing copied, for an unknown
// handle, an empty rectangle or a raster operation other than SRCCOPY.
bool BitBlt(Hdc dest, int x, int y, int w, int h, Hdc src, int sx, int sy, std::uint32_t rop);

} // namespace tarnwick::platform
