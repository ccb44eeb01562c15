#include "platform/device_context.h"
#include "platform/draw.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>

using namespace tarnwick::platform;

namespace {

constexpr Colour white = 0x00FFFFFF;
constexpr Colour red = 0x000000FF;
const QRgb white_rgb = qRgb(255, 255, 255);
const QRgb red_rgb = qRgb(255, 0, 0);

QImage blank(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    clear(image, white);
    return image;
}

// Row y as '#' for red and '.' for anything else.
std::string row(const QImage& image, int y) {
    std::string out;
    for (int x = 0; x < image.width(); ++x) out += image.pixel(x, y) == red_rgb ? '#' : '.';
    return out;
}

std::string column(const QImage& image, int x) {
    std::string out;
    for (int y = 0; y < image.height(); ++y) out += image.pixel(x, y) == red_rgb ? '#' : '.';
    return out;
}

} // namespace

TEST(Line, LeavesOutItsEndPointInEitherDirection) {
    QImage image = blank(8, 8);
    draw_line(image, 1, 0, 5, 0, red);
    draw_line(image, 6, 7, 6, 3, red);
    draw_line(image, 2, 4, 2, 4, red); // zero length: nothing
    EXPECT_EQ(row(image, 0), ".####...");
    EXPECT_EQ(column(image, 6), "....####");
    EXPECT_EQ(row(image, 4), "......#.");
}

TEST(Line, DropsFractionsTowardsMinusInfinity) {
    QImage image = blank(8, 4);
    draw_line(image, 0.9, 2.99, 4.99, 2.99, red); // columns 0..3 of row 2
    draw_line(image, -0.5, 0, 2, 0, red);         // starts in column -1
    EXPECT_EQ(row(image, 2), "####....");
    EXPECT_EQ(row(image, 0), "##......");
}

TEST(Line, DiagonalHasOnePixelPerStepAndIsConnected) {
    QImage image = blank(10, 10);
    draw_line(image, 0, 0, 9, 4, red);
    int previous = 0;
    for (int x = 0; x < 9; ++x) {
        const std::string col = column(image, x);
        ASSERT_EQ(std::count(col.begin(), col.end(), '#'), 1) << "column " << x;
        const int y = static_cast<int>(col.find('#'));
        EXPECT_LE(y - previous, 1);
        previous = y;
    }
    EXPECT_EQ(image.pixel(0, 0), red_rgb);
    EXPECT_EQ(column(image, 9), "..........");
}

TEST(Line, FarOutsideIsClippedWithoutWalkingTheWholeLength) {
    QImage image = blank(6, 3);
    draw_line(image, -1e12, 1, 1e12, 1, red);
    draw_line(image, 0, 0, std::numeric_limits<double>::quiet_NaN(), 0, red);
    EXPECT_EQ(row(image, 1), "######");
    EXPECT_EQ(row(image, 0), "......");
}

TEST(Circle, DiscOfRadiusSixAboutNineNine) {
    QImage image = blank(19, 19);
    fill_circle(image, 9, 9, 6, red);
    EXPECT_EQ(row(image, 9), "...#############...");
    EXPECT_EQ(column(image, 9), "...#############...");
    EXPECT_EQ(row(image, 3), ".......#####.......");
    EXPECT_EQ(image.pixel(14, 13), red_rgb); // 25 + 16 inside 6.5 squared
    EXPECT_EQ(image.pixel(14, 14), white_rgb);
}

TEST(Circle, ArcsSplitTheRimCounterclockwise) {
    QImage dark = blank(19, 19), light = blank(19, 19);
    draw_arc(dark, 9, 9, 6, 0.5, 4.0, red);
    draw_arc(light, 9, 9, 6, 4.0, 0.5, red);
    // 90 and 180 degrees lie on the first arc, 270 and 0 on the second.
    EXPECT_EQ(dark.pixel(9, 3), red_rgb);
    EXPECT_EQ(dark.pixel(3, 9), red_rgb);
    EXPECT_EQ(light.pixel(9, 15), red_rgb);
    EXPECT_EQ(light.pixel(15, 9), red_rgb);
    EXPECT_EQ(dark.pixel(9, 15), white_rgb);
    EXPECT_EQ(light.pixel(9, 3), white_rgb);
    // Together they are exactly the rim: every rim pixel of the disc, nothing inside.
    QImage disc = blank(19, 19);
    fill_circle(disc, 9, 9, 6, red);
    for (int y = 0; y < 19; ++y)
        for (int x = 0; x < 19; ++x) {
            const bool arc = dark.pixel(x, y) == red_rgb || light.pixel(x, y) == red_rgb;
            const bool in = disc.pixel(x, y) == red_rgb;
            const bool rim = in && (disc.pixel(x + 1, y) != red_rgb ||
                                    disc.pixel(x - 1, y) != red_rgb ||
                                    disc.pixel(x, y + 1) != red_rgb ||
                                    disc.pixel(x, y - 1) != red_rgb);
            EXPECT_EQ(arc, rim) << x << "," << y;
        }
}

TEST(DeviceContext, HandlesNameLiveSurfacesOnly) {
    Hdc stale = 0;
    {
        Surface a(2, 2, white), b(2, 2, white);
        EXPECT_NE(a.hdc(), 0u);
        EXPECT_NE(a.hdc(), b.hdc());
        EXPECT_EQ(image_of(a.hdc()), &a.image());
        stale = a.hdc();
    }
    EXPECT_EQ(image_of(stale), nullptr);
    EXPECT_EQ(image_of(0), nullptr);
    Surface later(2, 2, white);
    EXPECT_NE(later.hdc(), stale);
}

TEST(DeviceContext, ResizeKeepsWhatFitsAndShowsTheBackgroundElsewhere) {
    Surface s(2, 2, white);
    draw_line(s.image(), 0, 1, 2, 1, red);
    s.resize(3, 3);
    EXPECT_EQ(row(s.image(), 1), "##.");
    EXPECT_EQ(row(s.image(), 2), "...");
}

TEST(Blend, PackedDescriptorCarriesTheAlphaInTheThirdByte) {
    EXPECT_EQ(pack({0, 0, 128, 0}), 128u * 0x10000u);
    EXPECT_EQ(pack({0, 0, 255, 0}), 255u * 0x10000u);
}

TEST(Blend, MixesEachChannelWithIntegerDivision) {
    Surface src(4, 4, 0x0020C8FF), dst(4, 4, 0x00FF6400);
    // Channel (red, green, blue): src (255, 200, 32) over dst (0, 100, 255).
    const auto at = [&](int alpha) {
        dst.clear();
        EXPECT_TRUE(AlphaBlend(dst.hdc(), 1, 1, 2, 2, src.hdc(), 0, 0, 2, 2, pack({0, 0,
            static_cast<std::uint8_t>(alpha), 0})));
        return dst.image().pixel(1, 1);
    };
    EXPECT_EQ(at(0), qRgb(0, 100, 255));
    EXPECT_EQ(at(255), qRgb(255, 200, 32));
    EXPECT_EQ(at(128), qRgb(128, 150, 143)); // (255*128)/255, (200*128+100*127)/255, ...
    EXPECT_EQ(dst.image().pixel(0, 0), qRgb(0, 100, 255)); // outside the rectangle
    EXPECT_EQ(dst.image().pixel(3, 3), qRgb(0, 100, 255));
}

TEST(Blend, RefusesWhatItCannotDoAndDrawsNothing) {
    Surface src(4, 4, red), dst(4, 4, white);
    const std::uint32_t opaque = pack({0, 0, 255, 0});
    EXPECT_FALSE(AlphaBlend(dst.hdc(), 0, 0, 0, 4, src.hdc(), 0, 0, 0, 4, opaque));
    EXPECT_FALSE(AlphaBlend(dst.hdc(), 1, 1, -1, -1, src.hdc(), 0, 0, -1, -1, opaque));
    EXPECT_FALSE(AlphaBlend(dst.hdc(), 0, 0, 4, 4, 0, 0, 0, 4, 4, opaque));
    EXPECT_FALSE(AlphaBlend(dst.hdc(), 0, 0, 4, 4, src.hdc(), 0, 0, 2, 2, opaque));
    EXPECT_FALSE(AlphaBlend(dst.hdc(), 0, 0, 4, 4, src.hdc(), 0, 0, 4, 4,
                            pack({0, 0, 255, 1}))); // per-pixel alpha
    for (int y = 0; y < 4; ++y) EXPECT_EQ(row(dst.image(), y), "....");
}

TEST(Blend, SourceBeyondItsSurfaceBlendsOnlyWhatExists) {
    Surface src(3, 3, red), dst(4, 1, white);
    EXPECT_TRUE(AlphaBlend(dst.hdc(), 0, 0, 4, 1, src.hdc(), 1, 0, 4, 1, pack({0, 0, 255, 0})));
    EXPECT_EQ(row(dst.image(), 0), "##..");
}

TEST(Copy, BitBltCopiesOnlyWithSrcCopy) {
    Surface src(4, 4, white), dst(4, 4, white);
    draw_line(src.image(), 2, 2, 4, 2, red);
    EXPECT_FALSE(BitBlt(dst.hdc(), 0, 0, 2, 2, src.hdc(), 2, 2, 0x00EE0086)); // SRCPAINT
    EXPECT_FALSE(BitBlt(dst.hdc(), 0, 0, 2, 2, 12345678, 2, 2, SRCCOPY));
    EXPECT_EQ(row(dst.image(), 0), "....");
    EXPECT_TRUE(BitBlt(dst.hdc(), 0, 0, 2, 2, src.hdc(), 2, 2, SRCCOPY));
    EXPECT_EQ(row(dst.image(), 0), "##..");
    EXPECT_EQ(row(dst.image(), 1), "....");
}

TEST(Copy, OverlappingCopyWithinOneSurface) {
    Surface s(5, 1, white);
    draw_line(s.image(), 0, 0, 2, 0, red);
    EXPECT_TRUE(BitBlt(s.hdc(), 1, 0, 4, 1, s.hdc(), 0, 0, SRCCOPY));
    EXPECT_EQ(row(s.image(), 0), "###..");
}
