#include "platform/draw.h"
#include "platform/fonts.h"

#include <QFontInfo>
#include <gtest/gtest.h>
#include <string_view>

using namespace tarnwick::platform;

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
    EXPECT_GT(text_width(tahoma, "Make Res"), text_width(tahoma, "Res"));
}

TEST(Fonts, TextIsUnsmoothedOnATransparentBackgroundAndClipped) {
    QImage image(20, 20, QImage::Format_RGB32);
    clear(image, 0x00FFFFFF);
    const Font marlett{.name = "Marlett", .size = 9.75, .weight = 500, .charset = 2};
    draw_text(image, QRect(0, 0, 20, 10), 2, 2, "r", marlett, 0x000000FF);
    // Only the cross's own pixels, in one colour, and only in the clip's upper half.
    int red = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            const QRgb p = image.pixel(x, y);
            red += p == qRgb(255, 0, 0);
            EXPECT_TRUE(p == qRgb(255, 255, 255) || (p == qRgb(255, 0, 0) && y < 10));
        }
    EXPECT_GT(red, 8);
}
