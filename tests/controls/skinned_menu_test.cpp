#include "control_harness.h"
#include "controls/skinned_menu.h"

#include <QKeyEvent>
#include <gtest/gtest.h>
#include <map>
#include <tuple>

using namespace tarnwick::controls::testing;

namespace {

constexpr Colour dark = 0x00222E28;

// The second item is greyed.
std::vector<MenuItem> window_items() {
    return {{"Check Game Folder", "F5"},
            {"Complete the List", "", false},
            {"Save the List", "Ctrl+S"},
            {"Open the Map", ""}};
}

int count_colour(const QImage& picture, const QRect& area, Colour colour) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += picture.pixel(x, y) == to_rgb(colour);
    return count;
}

// Opens a menu of the window's items and records what it chose, and whether it was still
// open when it said so.
struct OpenMenu {
    SkinnedMenu menu;
    int chosen = -1;
    bool open_when_chosen = false;

    OpenMenu() {
        menu.set_items(window_items());
        menu.on_chosen = [this](int index) {
            chosen = index;
            open_when_chosen = menu.isVisible();
        };
        menu.popup({100, 100});
    }
    QPoint centre_of(int index) const { return menu.item_layout().item_rect(index).center(); }
};

void type(QWidget& w, Qt::Key key) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &event);
}

} // namespace

TEST(Menu, RaisedEdgesOnThePanelsBackTheHighlightBandAndGreyedText) {
    const std::vector<MenuItem> items = window_items();
    const MenuLayout layout = menu_layout(items, menu_font());
    const QImage picture = paint_menu(items, layout, 0, menu_font());
    const int w = picture.width(), h = picture.height();
    ASSERT_EQ(picture.size(), QSize(w, 2 + 4 * 19 + 2));
    const auto at = [&](int x, int y) { return picture.pixel(x, y); };
    for (const QPoint p : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 2)})
        EXPECT_EQ(at(p.x(), p.y()), to_rgb(light)) << p.x() << ", " << p.y();
    for (const QPoint p : {QPoint(w - 1, 1), QPoint(0, h - 1), QPoint(w - 1, h - 1)})
        EXPECT_EQ(at(p.x(), p.y()), to_rgb(dark)) << p.x() << ", " << p.y();
    EXPECT_EQ(at(1, 1), to_rgb(0x0044584C));
    EXPECT_EQ(at(1, 10), to_rgb(0x0044584C)); // the inset beside the band
    const QRect band = layout.item_rect(0);
    EXPECT_EQ(at(band.left(), band.top()), to_rgb(menu_colour::band));
    EXPECT_EQ(at(band.right(), band.bottom()), to_rgb(menu_colour::band));
    // "F5" ends at the right margin, 10 px inside the band.
    const QRect shortcut(band.right() - 14, band.top(), 5, band.height());
    EXPECT_GT(count_colour(picture, shortcut, menu_colour::band_text), 0);
    EXPECT_EQ(count_colour(picture, shortcut.translated(5, 0), menu_colour::band_text), 0);
    EXPECT_GT(count_colour(picture, layout.item_rect(1), menu_colour::greyed_text), 10);
    EXPECT_EQ(count_colour(picture, layout.item_rect(1), 0x00FFFFFF), 0);
    EXPECT_GT(count_colour(picture, layout.item_rect(2), 0x00FFFFFF), 10);
}

TEST(Menu, RowsAndPlacementOnTheScreen) {
    const MenuLayout layout = menu_layout(window_items(), menu_font());
    const int w = layout.width;
    EXPECT_EQ(layout.item_rect(1), QRect(2, 21, w - 4, 19));
    const std::vector<std::pair<QPoint, int>> items_at = {
        {{1, 10}, -1}, {{2, 2}, 0},    {{w - 3, 20}, 0},  {{2, 21}, 1},
        {{10, 77}, 3}, {{10, 78}, -1}, {{w - 2, 10}, -1}, {{10, -5}, -1},
    };
    for (const auto& [p, item] : items_at)
        EXPECT_EQ(layout.item_at(p), item) << p.x() << ", " << p.y();
    const QRect screen(0, 0, 800, 600);
    const std::vector<std::tuple<QPoint, QSize, QPoint>> placements = {
        {{10, 10}, {150, 80}, {10, 10}},
        {{700, 10}, {150, 80}, {650, 10}},
        {{790, 590}, {150, 80}, {650, 520}},
        {{5, 5}, {900, 700}, {0, 0}},
    };
    for (const auto& [at, size, placed] : placements)
        EXPECT_EQ(place_on_screen(at, size, screen), placed) << at.x() << ", " << at.y();
}

namespace {

// Typed one letter a key: d Down, u Up, h Home, e End, r Return, n keypad Enter, s Space,
// x Esc.
struct KeyRow {
    const char* typed;
    int highlighted, chosen;
    bool open;
};
const KeyRow key_rows[] = {
    {"", -1, -1, true},   {"d", 0, -1, true},   {"dd", 2, -1, true}, {"dddd", 0, -1, true},
    {"u", 3, -1, true},   {"ddu", 0, -1, true}, {"eh", 0, -1, true}, {"e", 3, -1, true},
    {"r", -1, -1, true},  {"ddr", 2, 2, false}, {"dn", 0, 0, false}, {"es", 3, 3, false},
    {"dx", 0, -1, false},
};

} // namespace

TEST(Menu, KeysMoveOverTheEnabledItemsWrappingAndChooseAfterClosing) {
    const std::map<char, Qt::Key> keys = {
        {'d', Qt::Key_Down},   {'u', Qt::Key_Up},    {'h', Qt::Key_Home},  {'e', Qt::Key_End},
        {'r', Qt::Key_Return}, {'n', Qt::Key_Enter}, {'s', Qt::Key_Space}, {'x', Qt::Key_Escape},
    };
    for (const KeyRow& row : key_rows) {
        OpenMenu open;
        for (const char* c = row.typed; *c; ++c)
            type(open.menu, keys.at(*c));
        EXPECT_EQ(open.menu.highlighted(), row.highlighted) << row.typed;
        EXPECT_EQ(open.chosen, row.chosen) << row.typed;
        EXPECT_EQ(open.menu.isVisible(), row.open) << row.typed;
        EXPECT_FALSE(open.open_when_chosen) << row.typed;
    }
}

TEST(Menu, TheMouseHighlightsAndChoosesEnabledItemsOnlyAndGreyingTakesTheHighlightOff) {
    OpenMenu open;
    release(open.menu, open.centre_of(0)); // the release of the click that opened it
    EXPECT_EQ(open.chosen, -1);
    hover(open.menu, open.centre_of(2));
    EXPECT_EQ(open.menu.highlighted(), 2);
    open.menu.set_enabled(2, false);
    EXPECT_EQ(open.menu.highlighted(), -1);
    hover(open.menu, open.centre_of(1));
    EXPECT_EQ(open.menu.highlighted(), -1);
    click(open.menu, open.centre_of(1));
    EXPECT_EQ(open.chosen, -1);
    EXPECT_TRUE(open.menu.isVisible());
    click(open.menu, open.centre_of(3));
    EXPECT_EQ(open.chosen, 3);
    EXPECT_FALSE(open.open_when_chosen);
}
