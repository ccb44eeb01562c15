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

TEST(Panel, ResizeToAFractionalSizeThenColoursRecolourPanelAndCloseBoxAtOnce) {
    Panel panel({{"color3ddark", skin::edge_dark}});
    panel.Resize(10000, 8000); // 666.67 x 533.33 px
    EXPECT_DOUBLE_EQ(panel.Label1().width, 10000 / 15.0 - 55);
    // The top edge lies over the right one; the close box's left edge at 640.
    expect_colour(panel, light, {{665, 0}, {640, 8}});
    expect_colour(panel, skin::edge_dark, {{665, 1}, {665, 531}, {0, 532}});
    panel.Color3DLight(0x000000FF);
    expect_colour(panel, 0x000000FF, {{100, 0}, {644, 8}, {640, 15}});
    EXPECT_EQ(panel.Line1B(0).colour, skin::edge_dark);
    panel.BackColor(1);
    expect_colour(panel, 1, {{500, 200}});
    EXPECT_EQ(panel.Picture2().composed().pixel(16, 1), to_rgb(1));
}

TEST(Panel, EventsCarryTheirPartsCoordinatesTheCloseBoxSinksAndHiddenPartsRaiseNone) {
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
    click(panel, beside_cross); // on the box's margin, beside the cross
    hover(panel, on_cross);
    click(panel, {30 + 5, 9 + 4}); // the title
    click(panel, {9 + 3, 10 + 7}); // the icon: no Click
    click(panel, {200, 300});      // the bare surface
    double_click(panel, {200, 300});
    EXPECT_EQ(host.log, "12 12 5(5,4) 7(5,4) 1 8(3,7) 10(3,7) 2(200,300) 4(200,300) 1 "
                        "2(200,300) 4(200,300) 1 11 4(200,300)");
    host.log.clear();
    panel.Cerrar(false);
    panel.Icon(false);
    expect_colour(panel, panel.BackColor(), {{506, 8}, {9, 10}});
    click(panel, on_cross);
    press(panel, {12, 12});
    EXPECT_EQ(host.log, "2(512,14) 4(512,14) 1 2(12,12)");
}

TEST(Panel, SetIconCopiesTheSixteenSquareAtTheOriginAndTheBackgroundCoversTheCloseBox) {
    Panel panel;
    Surface source(40, 40, 0x000000FF);
    source.image().setPixel(15, 15, qRgb(0, 0, 255));
    panel.set_icon(source.hdc());
    EXPECT_EQ(pixel(panel, 9 + 15, 10 + 15), qRgb(0, 0, 255));
    Surface host(600, 600, 0x00FFFFFF);
    host.image().setPixel(506 + 10, 8 + 20, qRgb(1, 2, 3));
    panel.obtener_imagen_fondo(host.hdc(), 10, 20, 255);
    // The box's (1, 1) shows the host at (X + its left, Y + its top).
    EXPECT_EQ(panel.Picture2().composed().pixel(1, 1), qRgb(1, 2, 3));
    panel.obtener_imagen_fondo(host.hdc(), 10, 20, 0);
    EXPECT_EQ(panel.Picture2().composed().pixel(1, 1), to_rgb(panel.BackColor())); // cleared
}

TEST(Panel, TheCloseCrossIsDrawnInLinesAsTheSymbolFacesGlyph) {
    // The box's pixels from (4, 4), as the symbol face draws its close glyph at 9.75 pt.
    const char* const cross[] = {
        "##.....##", "###...###", ".###.###.", "..#####..", "...###...",
        "..#####..", ".###.###.", "###...###", "##.....##",
    };
    Panel panel;
    panel.CloseColor(0x000000FF);
    const QImage box = panel.Picture2().composed();
    for (int y = 3; y < 14; ++y)
        for (int x = 3; x < 14; ++x) {
            const bool inside = x >= 4 && x < 13 && y >= 4 && y < 13;
            const bool on = inside && cross[y - 4][x - 4] == '#';
            EXPECT_EQ(box.pixel(x, y) == to_rgb(0x000000FF), on) << x << ", " << y;
        }
}
