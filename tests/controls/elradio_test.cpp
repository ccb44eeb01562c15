#include "control_harness.h"
#include "controls/elradio.h"

#include <gtest/gtest.h>

using namespace tarnwick::controls::testing;

namespace {

constexpr Colour back = 0x0044584C, disc = 0x0037463E;
constexpr Colour checked = 0x0050B5C4, unchecked = 0x00D3DED8, over = 0x00FF0000;

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
    EXPECT_EQ(option.Label1().fore_colour, over);
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
