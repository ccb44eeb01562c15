#include "control_harness.h"
#include "controls/elboton.h"
#include "controls/elframe.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace tarnwick::controls::testing;

TEST(Frame, StoredColoursSwappedGiveARaisedFrame) {
    // 514 x 38 px.
    Loaded<elframe, 7710, 570> frame(
        {{"color3dlight", Colour(0x00222E28)}, {"color3ddark", Colour(0x0095AAA0)}});
    // The top edge lies over the right one.
    expect_colour(frame, 0x0095AAA0, {{0, 0}, {513, 0}, {0, 36}});
    expect_colour(frame, 0x00222E28, {{513, 1}, {513, 36}, {0, 37}, {513, 37}});
    expect_colour(frame, 0x0044584C, {{5, 5}});
    frame.Resize(15, 15);
    expect_colour(frame, 0x0095AAA0, {{0, 0}}); // one pixel: the top edge is the topmost part
}

TEST(Frame, AFrameMadeWithoutALayoutStoresItsDesignColours) {
    PropertyStore initial;
    elframe().save(initial);
    EXPECT_EQ(initial.names(), (QStringList{"BackColor", "Color3DDark"}));
    EXPECT_EQ(initial.read<Colour>("BackColor", 0), 0x0037463Eu);
    EXPECT_EQ(initial.read<Colour>("Color3DDark", 0), 0x00222E28u);
}

TEST(Frame, ClicksBetweenItsControlsAreItsOwnUnlessItIsDisabled) {
    // Through the window, so that the toolkit routes each click to the widget under it.
    Loaded<elframe, 3000, 1500> frame;
    elboton inside(&frame);
    inside.load({});
    inside.Move(150, 150, 1200, 360); // at 10, 10 px
    frame.show();
    Recorder host(frame), button(inside);
    const auto click_at = [&](QPoint p) {
        QTest::mouseClick(frame.windowHandle(), Qt::LeftButton, {}, p);
    };
    click_at({15, 15});
    QTest::mouseDClick(frame.windowHandle(), Qt::LeftButton, {}, QPoint(150, 60));
    EXPECT_EQ(button.log, "2(5,5) 4(5,5) 1");
    // The pointer moving there first raises a MouseMove.
    EXPECT_EQ(host.log, "3(150,60) 2(150,60) 4(150,60) 1 5 4(150,60)");
    frame.Enabled(false);
    click_at({15, 15});
    click_at({150, 60});
    frame.Enabled(true);
    click_at({15, 15});
    EXPECT_EQ(button.log, "2(5,5) 4(5,5) 1 2(5,5) 4(5,5) 1");
    EXPECT_EQ(host.log, "3(150,60) 2(150,60) 4(150,60) 1 5 4(150,60)");
}
