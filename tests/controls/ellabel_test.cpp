#include "control_harness.h"
#include "controls/ellabel.h"

#include <gtest/gtest.h>

using namespace tarnwick::controls::testing;

namespace {

// The first row in which `colour` shows, or -1.
int first_row(const SkinnedControl& control, Colour colour) {
    const QImage p = control.render();
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x)
            if (p.pixel(x, y) == to_rgb(colour)) return y;
    return -1;
}

} // namespace

TEST(Label, CaptionCentredOnTheStoredGreyWithItsShadowBelowAndOnlyItRaisesEvents) {
    Loaded<ellabel, 4800, 600> label;
    EXPECT_EQ(label.Height(), 300);
    EXPECT_EQ(first_row(label, 0), -1);
    const int t = tarnwick::platform::text_height(label.Font(), "Caption");
    EXPECT_EQ(label.Label2().top, 10 - (t + 1) / 2);
    label.DropShadow(true);
    label.ForeColor(0x000000FF);
    EXPECT_EQ(first_row(label, 0), first_row(label, 0x000000FF) + 1);
    Recorder host(label);
    const int top = static_cast<int>(label.Label2().top);
    click(label, {30, top + 16}); // on the shadow, below the caption
    double_click(label, {30, top + 5});
    EXPECT_EQ(host.log, "3(30,5) 5(30,5) 1 2 5(30,5)");
}
