#include "control_harness.h"
#include "controls/elframe.h"

#include <gtest/gtest.h>

using namespace tarnwick::controls::testing;

TEST(Frame, StoresItsDesignColoursAndStoredColoursSwappedGiveARaisedFrame) {
    PropertyStore layout;
    elframe().save(layout); // made without a layout
    EXPECT_EQ(layout.names(), (QStringList{"BackColor", "Color3DDark"}));
    Loaded<elframe, 7710, 570> frame(layout); // 514 x 38 px
    expect_colour(frame, 0x00222E28, {{0, 0}});
    expect_colour(frame, 0x0037463E, {{5, 5}});
    layout.set("color3dlight", Colour(0x00222E28));
    layout.set("color3ddark", Colour(0x0095AAA0));
    frame.load(layout);
    // The top edge lies over the right one.
    expect_colour(frame, 0x0095AAA0, {{0, 0}, {513, 0}, {0, 36}});
    expect_colour(frame, 0x00222E28, {{513, 1}, {513, 36}, {0, 37}, {513, 37}});
    frame.Resize(15, 15);
    expect_colour(frame, 0x0095AAA0, {{0, 0}}); // one pixel: the top edge is the topmost part
}

TEST(Frame, RaisesTheMouseEventsOfItsSurfaceUnlessItIsDisabled) {
    Loaded<elframe, 3000, 1500> frame;
    Recorder host(frame);
    hover(frame, {150, 60});
    double_click(frame, {150, 60});
    frame.Enabled(false);
    click(frame, {150, 60});
    EXPECT_EQ(host.log, "3(150,60) 2(150,60) 4(150,60) 1 5 4(150,60)");
}
