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

// The first row in which `colour` shows, or -1.
int first_row(const SkinnedControl& control, Colour colour) {
    const QImage p = control.render();
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x)
            if (p.pixel(x, y) == to_rgb(colour)) return y;
    return -1;
}

constexpr Colour disc = skin::back_dark, checked = skin::accent, unchecked = skin::pale_text;

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

TEST(Label, CaptionCentredWithItsShadowBelowAndOnlyItRaisesEvents) {
    Loaded<ellabel, 4800, 300> label;
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

TEST(Option, ClickChecksShowingTheDotNotifiesThenRaisesClickAndValueFalseRaisesNothing) {
    Option option;
    expect_ring(option);
    std::vector<QString> seen;
    option.on_change([&](const QString& name) { seen.push_back(name); });
    option.on_event([&](int event, EventArgs&) {
        seen.push_back(QString::number(event) + (option.Value() ? "+" : "-"));
    });
    const QPoint caption = option.Label1().bounds().topLeft() + QPoint(3, 3);
    click(option, caption);
    EXPECT_EQ(seen, (std::vector<QString>{"2-", "4-", "Value", "1+"}));
    // Disc, ring and dot at their radii.
    expect_colour(option, checked, {{9, 9}, {9, 6}, {12, 9}, {7, 11}});
    expect_colour(option, disc, {{9, 5}, {13, 9}});
    seen.clear();
    click(option, {9, 9});   // the circle, already checked: no notification
    click(option, {22, 10}); // the bare surface between circle and caption
    hover(option, {5, 5});
    hover(option, caption);
    EXPECT_EQ(seen, (std::vector<QString>{"1+", "1+", "3+"}));
    seen.clear();
    option.Value(false);
    EXPECT_EQ(seen, std::vector<QString>{"Value"});
    // The over look, only while unchecked and until the next repaint.
    option.set_over_state();
    EXPECT_EQ(option.Label1().fore_colour, skin::over);
    option.BackColor2(0x00112233);
    EXPECT_EQ(option.Label1().fore_colour, unchecked);
    EXPECT_EQ(pixel(option, 9, 9), to_rgb(0x00112233));
    option.Value(true);
    option.set_over_state();
    EXPECT_EQ(option.Label1().fore_colour, checked);
}

TEST(Option, TheCapturedBackgroundShowsAroundTheCircleAtOnce) {
    Surface host(200, 50, 0);
    for (int x = 0; x < 200; ++x)
        host.image().setPixel(x, 31, qRgb(x, 7, 9));
    Option option;
    option.obtener_imagen_fondo(host.hdc(), 20, 30, 255);
    EXPECT_EQ(pixel(option, 25, 1), qRgb(45, 7, 9)); // the blend starts at (0, 0)
    EXPECT_EQ(pixel(option, 9, 9), to_rgb(disc));
}

TEST(Option, ALoadedLayoutShowsAtOnceAndSizesCentreTheCaption) {
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
    EXPECT_EQ(option.shadow1().width, 178);
    EXPECT_EQ(option.Label1().top, 3); // 9.5 - 13 / 2
    option.FontSize(30);               // taller than the control: applied as computed
    EXPECT_LT(option.Label1().top, 0);
}
