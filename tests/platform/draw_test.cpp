#include "platform/colour.h"
#include "platform/device_context.h"
#include "platform/draw.h"
#include "platform/fonts.h"

#include <QFontInfo>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <string_view>

using namespace tarnwick::platform;

namespace {

constexpr Colour white = 0x00FFFFFF;
constexpr Colour red = 0x000000FF;
const QRgb red_rgb = qRgb(255, 0, 0);

// A row (or with `down`, a column) as '#' for red and '.' for anything else.
std::string line_of(const QImage& image, int at, bool down = false) {
    std::string out;
    for (int i = 0; i < (down ? image.height() : image.width()); ++i)
        out += image.pixel(down ? at : i, down ? i : at) == red_rgb ? '#' : '.';
    return out;
}

} // namespace

TEST(Colour, SystemColoursComeFromTheClassicScheme) {
    EXPECT_EQ(to_rgb(system_colour(5)), qRgb(255, 255, 255)); // window
    EXPECT_EQ(to_rgb(system_colour(200)), qRgb(0, 0, 0));     // beyond the table
}

TEST(Line, LeavesOutItsEndPointDropsFractionsTowardsMinusInfinityAndClipsFarEnds) {
    Surface s(8, 12, white);
    QImage& image = s.image();
    draw_line(image, 1, 0, 5, 0, red);
    draw_line(image, 6, 7, 6, 3, red);
    draw_line(image, 5, 2, 1, 2, red);
    draw_line(image, 2, 4, 2, 4, red);            // zero length: nothing
    draw_line(image, 0.9, 8.99, 4.99, 8.99, red); // columns 0..3 of row 8
    draw_line(image, -0.5, 9, 2, 9, red);         // starts in column -1
    draw_line(image, -1e12, 10, 1e12, 10, red);   // must not walk the whole length
    draw_line(image, 0, 11, std::numeric_limits<double>::quiet_NaN(), 11, red);
    EXPECT_EQ(line_of(image, 0), ".####...");
    EXPECT_EQ(line_of(image, 2), "..####..");
    EXPECT_EQ(line_of(image, 6, true), "....####..#."); // row 10 crosses it
    EXPECT_EQ(line_of(image, 4), "......#.");
    EXPECT_EQ(line_of(image, 8), "####....");
    EXPECT_EQ(line_of(image, 9), "##......");
    EXPECT_EQ(line_of(image, 10), "########");
    EXPECT_EQ(line_of(image, 11), "........");
}

TEST(DeviceContext, HandlesNameLiveSurfacesOnlyWhichKeepWhatFitsWhenResized) {
    Hdc stale = 0;
    {
        Surface a(2, 2, white), b(2, 2, white);
        EXPECT_EQ(image_of(a.hdc()), &a.image());
        stale = a.hdc();
    }
    EXPECT_EQ(image_of(stale), nullptr);
    Surface later(2, 2, white);
    EXPECT_NE(later.hdc(), stale);
    // A resize keeps what fits and shows the background elsewhere.
    draw_line(later.image(), 0, 1, 2, 1, red);
    later.resize(3, 3);
    EXPECT_EQ(line_of(later.image(), 1), "##.");
    EXPECT_EQ(later.image().pixel(2, 2), qRgb(255, 255, 255));
}

TEST(Blit, EmptyRectanglesUnknownHandlesAndOtherOperationsDrawNothing) {
    Surface src(4, 4, white), dst(4, 4, white);
    draw_line(src.image(), 2, 2, 4, 2, red);
    const std::uint32_t opaque = pack({0, 0, 255, 0});
    EXPECT_FALSE(AlphaBlend(dst.hdc(), 0, 0, 0, 1, src.hdc(), 0, 0, 0, 1, opaque));
    EXPECT_FALSE(AlphaBlend(dst.hdc(), 1, 1, -1, -1, src.hdc(), 0, 0, -1, -1, opaque));
    EXPECT_FALSE(AlphaBlend(dst.hdc(), 0, 0, 4, 1, 0, 0, 0, 4, 1, opaque));
    EXPECT_FALSE(BitBlt(dst.hdc(), 0, 0, 2, 2, src.hdc(), 2, 2, 0x00EE0086)); // SRCPAINT
    EXPECT_FALSE(BitBlt(dst.hdc(), 0, 0, 2, 2, 12345678, 2, 2, SRCCOPY));
    EXPECT_EQ(line_of(dst.image(), 0), "....");
    // A source rectangle beyond its surface blends only what exists.
    EXPECT_TRUE(AlphaBlend(dst.hdc(), 0, 3, 4, 1, src.hdc(), 1, 2, 4, 1, opaque));
    EXPECT_EQ(line_of(dst.image(), 3), ".##.");
    EXPECT_EQ(dst.image().pixel(3, 3), qRgb(255, 255, 255)); // nothing from beyond it
    EXPECT_TRUE(BitBlt(dst.hdc(), 0, 0, 2, 2, src.hdc(), 2, 2, SRCCOPY));
    EXPECT_EQ(line_of(dst.image(), 0), "##..");
    EXPECT_EQ(line_of(dst.image(), 1), "....");
    // Within one surface, overlapping.
    EXPECT_TRUE(BitBlt(dst.hdc(), 1, 0, 3, 1, dst.hdc(), 0, 0, SRCCOPY));
    EXPECT_EQ(line_of(dst.image(), 0), "###.");
}

// "MS Sans Serif" is a face of bitmaps only. The Windows font engine does not offer such a
// face to Qt (wine's .ttf of it as little as Windows' own .fon), so under it the default face
// falls back to another and is not checked; the windows draw only with Tahoma and Marlett.
constexpr bool bitmap_faces = !TARNWICK_WINDOWS_FONT_ENGINE;

TEST(Fonts, TheSkinsFacesAreAvailableSizedInPixelsAtNinetySixDpiAndMeasuredInTheClassicCell) {
    for (const char* face : {"Tahoma", "Marlett", "MS Sans Serif"}) {
        const QFontInfo info(to_qfont({.name = QString::fromLatin1(face)}));
        if (bitmap_faces || face != std::string_view("MS Sans Serif")) {
            EXPECT_EQ(info.family(), QString::fromLatin1(face));
        }
    }
    for (const auto& [points, pixels] : {std::pair{8.25, 11}, {9.75, 13}, {8.0, 11}, {0.0, 1}})
        EXPECT_EQ(pixel_size(points), pixels) << points << " pt";
    const Font tahoma{.name = "Tahoma", .size = 9.75};
    EXPECT_EQ(text_metrics(tahoma).ascent, 13);
    EXPECT_EQ(text_height({.name = "Tahoma", .size = 8.25}, "..."), 13);
    EXPECT_EQ(text_height(tahoma, "two\nlines"), 32);
    // A bitmap face is measured in the size it is drawn in: 8.25 pt is its 13-pixel cell.
    if (bitmap_faces) {
        EXPECT_EQ(text_height({}, "Caption"), 13);
    }
}

// Unsmoothed, on a transparent background: the panel's close cross, pixel for pixel.
TEST(Fonts, TextIsClipped) {
    Surface s(20, 20, white);
    const Font marlett{.name = "Marlett", .size = 9.75, .weight = 500, .charset = 2};
    draw_text(s.image(), QRect(0, 0, 20, 10), 2, 2, "r", marlett, red);
    EXPECT_EQ(line_of(s.image(), 9), "......#####........."); // the cross runs on below
    EXPECT_EQ(line_of(s.image(), 10), std::string(20, '.'));
}
