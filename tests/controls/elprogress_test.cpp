#include "control_harness.h"
#include "controls/elprogress.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace tarnwick::controls::testing;
using tarnwick::analysis::ProgressRangeError;

namespace {

constexpr Colour back = skin::back_dark, block = skin::accent;

// The first `filled` places show a whole 8 x 16 block 4 px from the top (as much of it as
// lies inside the right edge); the other places and every gap show the background.
void expect_blocks(const elprogress& bar, int filled) {
    const QImage p = bar.render();
    for (int k = 0, x = 4; k < bar.ScaleWidth() / 12; ++k, x += 12) {
        EXPECT_EQ(p.pixel(x, 4), to_rgb(k < filled ? block : back)) << "place " << k;
        EXPECT_EQ(p.pixel(std::min(x + 7, bar.ScaleWidth() - 2), 19), p.pixel(x, 4)) << k;
        for (QPoint out : {QPoint(x - 1, 10), QPoint(x, 3), QPoint(x, 20)})
            EXPECT_EQ(p.pixel(out), to_rgb(back)) << "around place " << k;
    }
}

} // namespace

TEST(Progress, LoadStoresTheRangeAsGivenAndSettersKeepValueWithinZeroToMax) {
    elprogress bar;
    // Two thousand million blocks, of which only those that fit are drawn.
    bar.load({{"min", 5}, {"max", 1}, {"value", 100'000'000}});
    EXPECT_EQ(bar.Min(), 5);
    expect_blocks(bar, 21);
    EXPECT_EQ(pixel(bar, 258, 10), to_rgb(block)); // the part of a 22nd block that fits
    bar.load({});
    expect_blocks(bar, 0);
    bar.Value(5);
    expect_blocks(bar, 10); // 5 * 21 / 10, the last at x = 112
    bar.Value(11);
    EXPECT_EQ(bar.Value(), 10);
    bar.Max(3);
    EXPECT_EQ(bar.Value(), 3);
    bar.Value(-2);
    EXPECT_EQ(bar.Value(), 0);
}

TEST(Progress, UndrawableRangeThrowsKeepingThePictureAndTheValues) {
    elprogress bar;
    bar.Value(5);
    const QImage before = bar.render();
    EXPECT_THROW(bar.Max(-4), ProgressRangeError); // stored as 0
    EXPECT_EQ(bar.render(), before);
    // A resize from the window system has nobody to tell and must not end the program.
    bar.show();
    bar.QWidget::resize(300, 24);
    bar.Max(100'000'000);
    EXPECT_THROW(bar.Value(100'000'000), ProgressRangeError); // times 25 places
    EXPECT_EQ(bar.Value(), 100'000'000);
}
