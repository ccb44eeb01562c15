// The controls with a caption: the button, the label and the option.

#include "control_harness.h"
#include "controls/elboton.h"
#include "controls/ellabel.h"
#include "controls/elradio.h"

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

constexpr Colour disc = skin::back_dark, checked = skin::accent;

// The circle lies at the surface's origin.
using Option = Loaded<elradio, 1350, 285>;

// On the rim at 90, 180, 270 and 0 degrees, either side of both splits; just outside and
// just inside the ring.
void expect_ring(const elradio& option) {
    expect_colour(option, black, {{9, 3}, {3, 9}, {14, 6}, {4, 13}});
    expect_colour(option, light, {{9, 15}, {15, 9}, {15, 7}, {5, 14}});
    expect_colour(option, option.BackColor(), {{9, 2}});
    expect_colour(option, option.BackColor2(), {{9, 4}, {4, 9}});
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

// Right-pressed, then pressed on the bare surface, then clicked on the caption.
TEST(Button, LeftPressSinksUntilReleaseAndEventsCarryTheirPartsCoordinates) {
    Button button;
    Recorder host(button);
    press(button, {40, 12}, Qt::RightButton);
    release(button, {40, 12}, Qt::RightButton);
    expect_edges(button, light, black);

    press(button, {40, 12});
    expect_edges(button, black, light);
    release(button, {40, 12});
    expect_edges(button, light, black);
    click(button, button.label().bounds().topLeft() + QPoint(4, 5));
    EXPECT_EQ(host.log, "2(40,12) 4(40,12) 2(40,12) 4(40,12) 1 2(4,5) 4(4,5) 1");
    EXPECT_EQ(host.buttons, "22110110");
}

TEST(Button, CaptionCentred) {
    // The main window's buttons: 12 - 13 / 2 from the top, rounded down.
    Button button({{"caption", QString("Make Res")},
                   {"centercaption", true},
                   {"fontname", QString("Tahoma")},
                   {"fontsize", 8.25}},
                  1140);
    EXPECT_DOUBLE_EQ(button.label().left, 38 - button.label().width / 2);
    EXPECT_EQ(button.label().top, 5);
}

TEST(Label, CaptionCentred) {
    Loaded<ellabel, 4800, 300> label;
    const int t = tarnwick::platform::text_height(label.Font(), "Caption");
    EXPECT_EQ(label.Label2().top, 10 - (t + 1) / 2);
}

TEST(Option, ClickChecksShowingTheDotThenRaisesClickAndValueFalseRaisesNothing) {
    Option option;
    expect_ring(option);
    std::vector<QString> seen;
    option.on_event([&](int event, EventArgs&) {
        seen.push_back(QString::number(event) + (option.Value() ? "+" : "-"));
    });
    click(option, option.Label1().bounds().topLeft() + QPoint(3, 3));
    EXPECT_EQ(seen, (std::vector<QString>{"2-", "4-", "1+"}));
    // Disc, ring and dot at their radii.
    expect_colour(option, checked, {{9, 9}, {9, 6}, {12, 9}, {7, 11}});
    expect_colour(option, disc, {{9, 5}, {13, 9}});
    seen.clear();
    click(option, {9, 9});   // the circle, already checked
    click(option, {22, 10}); // the bare surface between circle and caption
    option.Value(false);
    EXPECT_EQ(seen, (std::vector<QString>{"1+", "1+"}));
}

TEST(Option, ALoadedLayoutShowsAtOnceAndCentresTheCaption) {
    elradio option; // not resized, so that only the load draws it
    option.load({{"backcolor", Colour(1)},
                 {"checkedcolor", Colour(3)},
                 {"value", true},
                 {"color3ddark", Colour(7)},
                 {"fontname", QString("Tahoma")},
                 {"fontsize", 8.25}});
    expect_colour(option, 1, {{18, 9}}); // between circle and caption
    EXPECT_EQ(pixel(option, 9, 9), to_rgb(3));
    EXPECT_EQ(pixel(option, 9, 3), to_rgb(7));
    option.Resize(2670, 285);
    EXPECT_EQ(option.Label1().top, 3); // 9.5 - 13 / 2
}
