#include "control_harness.h"
#include "controls/elboton.h"
#include "controls/elframe.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace tarnwick::controls;
using namespace tarnwick::controls::testing;
using tarnwick::platform::to_rgb;

TEST(Frame, StoredColoursSwappedGiveARaisedFrame) {
    elframe frame;
    frame.load({{"color3dlight", Colour(0x00222E28)}, {"color3ddark", Colour(0x0095AAA0)}});
    frame.Resize(7710, 570); // 514 x 38 px
    // The top edge lies over the right one.
    expect_colour(frame, 0x0095AAA0, {{0, 0}, {513, 0}, {0, 36}});
    expect_colour(frame, 0x00222E28, {{513, 1}, {513, 36}, {0, 37}, {513, 37}});
    expect_colour(frame, 0x0044584C, {{5, 5}});
}

TEST(Frame, OnePixelFrame) {
    elframe frame;
    frame.Resize(15, 15);
    EXPECT_EQ(frame.LineA(0).x2, 1);
    EXPECT_EQ(frame.LineB(0).x1, 0);
    EXPECT_EQ(frame.LineB(0).y2, 0);
    EXPECT_EQ(frame.LineB(1).y1, 0);
    EXPECT_EQ(pixel(frame, 0, 0), to_rgb(0x00222E28)); // the top edge is the topmost part
}

TEST(Frame, AFrameMadeWithoutALayoutStoresItsDesignColours) {
    elframe frame;
    PropertyStore initial;
    frame.save(initial);
    EXPECT_EQ(initial.names(), (QStringList{"BackColor", "Color3DDark"}));
    EXPECT_EQ(initial.read<Colour>("BackColor", 0), 0x0037463Eu);
    EXPECT_EQ(initial.read<Colour>("Color3DDark", 0), 0x00222E28u);
}

TEST(Frame, ClicksBetweenItsControlsAreItsOwn) {
    // Through the window, so that the toolkit routes each click to the widget under it.
    elframe frame;
    frame.load({});
    frame.Resize(3000, 1500);
    elboton inside(&frame);
    inside.load({});
    inside.Move(150, 150, 1200, 360); // at 10, 10 px
    frame.show();
    Recorder host(frame), button(inside);
    QTest::mouseClick(frame.windowHandle(), Qt::LeftButton, {}, QPoint(15, 15));
    QTest::mouseDClick(frame.windowHandle(), Qt::LeftButton, {}, QPoint(150, 60));
    EXPECT_EQ(button.numbers(), (std::vector<int>{2, 4, 1}));
    // The pointer moving there first raises a MouseMove.
    EXPECT_EQ(host.numbers(), (std::vector<int>{3, 2, 4, 1, 5, 4}));
    frame.Enabled(false);
    QTest::mouseClick(frame.windowHandle(), Qt::LeftButton, {}, QPoint(15, 15));
    EXPECT_EQ(button.raised.size(), 3u);
}
