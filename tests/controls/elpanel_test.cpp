#include "control_harness.h"
#include "controls/elpanel.h"

#include <gtest/gtest.h>

using namespace tarnwick::controls::testing;

namespace {

// 532 x 574 px, the main window's client area.
using Panel = Loaded<elpanel, 7980, 8610>;

// The close box lies at (506, 8), its cross at (2, 2) inside it.
constexpr QPoint on_cross{512, 14}, beside_cross{507, 9};

} // namespace

TEST(Panel, ResizeToAFractionalSizeKeepsTheEdgesAndTheCloseBoxAtTheRight) {
    Panel panel({{"color3ddark", skin::edge_dark}});
    panel.Resize(10000, 8000); // 666.67 x 533.33 px
    EXPECT_DOUBLE_EQ(panel.Label1().width, 10000 / 15.0 - 55);
    // The top edge lies over the right one; the close box's left edge at 640.
    expect_colour(panel, light, {{665, 0}, {640, 8}});
    expect_colour(panel, skin::edge_dark, {{665, 1}, {665, 531}, {0, 532}});
}

TEST(Panel, EventsCarryTheirPartsCoordinatesTheCloseBoxSinksAndAHiddenIconRaisesNone) {
    Panel panel({{"title", QString("Cs 1.6 Tarnwick 1.5")}});
    EXPECT_EQ(panel.shadow1().caption(), "Cs 1.6 Tarnwick 1.5");
    Recorder host(panel);
    // The close box sinks only for the left button, and clicks once.
    press(panel, on_cross, Qt::RightButton);
    expect_colour(panel, light, {{510, 8}});
    release(panel, on_cross, Qt::RightButton);
    press(panel, on_cross);
    expect_colour(panel, black, {{510, 8}});
    expect_colour(panel, light, {{510, 25}});
    release(panel, on_cross);
    expect_colour(panel, light, {{510, 8}});
    click(panel, beside_cross);    // on the box's margin, beside the cross
    click(panel, {30 + 5, 9 + 4}); // the title
    click(panel, {9 + 3, 10 + 7}); // the icon: no Click
    EXPECT_EQ(host.log, "12 12 5(5,4) 7(5,4) 1 8(3,7) 10(3,7)");
    host.log.clear();
    panel.Icon(false);
    expect_colour(panel, panel.BackColor(), {{9, 10}});
    press(panel, {12, 12});
    EXPECT_EQ(host.log, "2(12,12)");
}

TEST(Panel, TheCloseCrossIsDrawnInLinesAsTheSymbolFacesGlyph) {
    const Panel panel;
    // In the box, the glyph's 9 x 9 square from (4, 4): its four arms and its middle, not
    // the gaps between the arms nor the margin around it.
    const QImage box = panel.Picture2().composed();
    expect_colour(box, panel.CloseColor(), {{4, 4}, {12, 4}, {8, 8}, {4, 12}, {12, 12}});
    for (const QPoint off : {QPoint(8, 4), QPoint(4, 8), QPoint(3, 3), QPoint(13, 13)})
        EXPECT_NE(box.pixel(off), to_rgb(panel.CloseColor())) << off.x() << ", " << off.y();
}
