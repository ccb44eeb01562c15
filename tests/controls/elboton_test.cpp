#include "control_harness.h"
#include "controls/elboton.h"

#include <gtest/gtest.h>

using namespace tarnwick::controls::testing;

namespace {

using Button = Loaded<elboton, 1200, 360>;

// The top edge lies over the right one; the bottom-left corner is left out.
void expect_edges(const elboton& button, Colour top_left, Colour bottom_right) {
    const int w = button.ScaleWidth();
    expect_colour(button, top_left, {{0, 0}, {w - 1, 0}, {0, 22}});
    expect_colour(button, bottom_right, {{w - 1, 1}, {w - 1, 22}, {1, 23}, {w - 1, 23}});
    expect_colour(button, button.BackColor(), {{0, 23}});
}

} // namespace

TEST(Button, FixedHeightMinimumWidthAndEdgesAtTheNewSize) {
    Button button({}, 2000);
    button.Resize(2000, 600);
    EXPECT_EQ(button.Height(), 360);
    EXPECT_EQ(button.ScaleWidth(), 133); // 133.33 px
    expect_edges(button, light, black);
    button.Resize(300, 360);
    EXPECT_EQ(button.Width(), 500);
}

// Pressed on the bare surface, then moved over and clicked on the caption.
TEST(Button, LeftPressSinksUntilReleaseAndEventsCarryTheirPartsCoordinates) {
    Button button;
    Recorder host(button);
    Colour top_when_raised = 0;
    button.on_event([&](int event, EventArgs& args) {
        host.note(event, args);
        top_when_raised = button.Color3DLight(); // the reaction comes first
    });
    press(button, {40, 12}, Qt::RightButton);
    release(button, {40, 12}, Qt::RightButton);
    expect_edges(button, light, black);

    press(button, {40, 12});
    expect_edges(button, black, light);
    EXPECT_EQ(top_when_raised, black);
    PropertyStore pressed; // the swapped pair, neither at its default
    button.save(pressed);
    EXPECT_EQ(pressed.names(), (QStringList{"Color3DLight", "Color3DDark"}));

    button.Color3DLight(0x00FF0000);
    release(button, {40, 12});
    expect_edges(button, 0x00FF0000, black);
    hover(button, {2, 2}); // bare surface: no MouseMove
    const QPoint label = button.label().bounds().topLeft();
    hover(button, label + QPoint(3, 1));
    click(button, label + QPoint(4, 5));
    EXPECT_EQ(host.log, "2(40,12) 4(40,12) 2(40,12) 4(40,12) 1 3(3,1) 2(4,5) 4(4,5) 1");
    EXPECT_EQ(host.buttons, "221100110");
}

TEST(Button, CaptionCentredWithItsShadowAndATallerFontKeepsThePreviousTop) {
    // The main window's buttons: 12 - 13 / 2 from the top, rounded down.
    Button button({{"caption", QString("Make Res")},
                   {"centercaption", true},
                   {"dropshadow", true},
                   {"fontname", QString("Tahoma")},
                   {"fontsize", 8.25}},
                  1140);
    EXPECT_DOUBLE_EQ(button.label().left, 38 - button.label().width / 2);
    EXPECT_EQ(button.label().top, 5);
    EXPECT_EQ(button.shadow1().left, button.label().left + 1);
    EXPECT_TRUE(button.shadow1().enabled);
    button.FontSize(30);
    EXPECT_GE(button.label().height, 24);
    EXPECT_EQ(button.label().top, 5);
    EXPECT_EQ(button.shadow1().font(), button.Font());
}
