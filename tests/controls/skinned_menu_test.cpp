#include "control_harness.h"
#include "controls/skinned_menu.h"

#include <QKeyEvent>
#include <cctype>
#include <gtest/gtest.h>
#include <map>
#include <tuple>

using namespace tarnwick::controls::testing;

namespace {

constexpr Colour white = 0x00FFFFFF;

// The second item is greyed; the third starts a group; two items share the letter S.
const std::vector<MenuItem> items = {{"&Check Game Folder", "F5"},
                                     {"&Complete the List", "", false},
                                     {"&Save the List", "Ctrl+S", true, true},
                                     {"&Show the Map", ""}};

int count_colour(const QImage& picture, const QRect& area, Colour colour) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += picture.pixel(x, y) == to_rgb(colour);
    return count;
}

// An open menu of the items; `closed_first` says whether it had closed when it chose.
struct OpenMenu {
    SkinnedMenu menu;
    int chosen = -1;
    bool closed_first = true;

    OpenMenu() {
        menu.set_items(items);
        menu.on_chosen = [this](int index) {
            chosen = index;
            closed_first = !menu.isVisible();
        };
        menu.popup({100, 100});
    }
    QPoint centre_of(int index) const { return menu.item_layout().item_rect(index).center(); }
};

} // namespace

TEST(Menu, MnemonicMarks) {
    const std::vector<std::tuple<QString, QString, int>> texts = {
        {"&Check", "Check", 0}, {"Save &As", "Save As", 5},
        {"Plain", "Plain", -1}, {"R&&D", "R&D", -1},
        {"R&&&D", "R&D", 2},    {"&a&b", "ab", 0},
        {"end&", "end&", -1},   {"", "", -1},
    };
    for (const auto& [text, shown, mnemonic] : texts) {
        EXPECT_EQ(menu_text(text).shown, shown) << text.toStdString();
        EXPECT_EQ(menu_text(text).mnemonic, mnemonic) << text.toStdString();
    }
}

TEST(Menu, RaisedWithTheHighlightBandGreyedTextGrooveAndMnemonic) {
    const MenuLayout layout = menu_layout(items, menu_font());
    const QImage picture = paint_menu(items, layout, 0, menu_font());
    const int w = picture.width(), h = picture.height();
    const QRect band = layout.item_rect(0);
    expect_colour(picture, light, {{0, 0}, {0, h - 2}}); // raised
    expect_colour(picture, menu_colour::band, {band.topLeft(), band.bottomRight()});
    // "F5" ends at the right margin, 10 px inside the band.
    const Colour text = menu_colour::band_text;
    EXPECT_GT(count_colour(picture, band.adjusted(w - 20, 0, -9, 0), text), 0);
    EXPECT_EQ(count_colour(picture, band.adjusted(w - 14, 0, 0, 0), text), 0);
    EXPECT_GT(count_colour(picture, layout.item_rect(1), menu_colour::greyed_text), 10);
    EXPECT_EQ(count_colour(picture, layout.item_rect(1), white), 0);
    EXPECT_GT(count_colour(picture, layout.item_rect(2), white), 10);
    // The groove between the groups, dark over lit, and the underline of the S of "Save".
    const QRect strip = layout.separator_rect(0);
    expect_colour(picture, menu_colour::groove_dark, {{3, strip.y() + 2}, {w - 4, strip.y() + 2}});
    expect_colour(picture, menu_colour::groove_light, {{3, strip.y() + 3}, {w - 4, strip.y() + 3}});
    const int s_width = tarnwick::platform::text_width(menu_font(), "S");
    const QRect under_s(
        12, layout.item_rect(2).y() + 3 + tarnwick::platform::text_metrics(menu_font()).ascent + 1,
        s_width, 1);
    EXPECT_EQ(count_colour(picture, under_s, white), s_width);
    EXPECT_EQ(count_colour(picture, under_s.translated(s_width, 0), white), 0);
}

TEST(Menu, RowsAndPlacementOnTheScreen) {
    const MenuLayout layout = menu_layout(items, menu_font());
    const int w = layout.width;
    const std::vector<std::pair<QPoint, int>> items_at = {
        {{1, 10}, -1},  {{2, 2}, 0},       {{w - 3, 20}, 0}, {{2, 21}, 1},
        {{10, 40}, -1}, {{10, 46}, -1},    {{10, 47}, 2},    {{10, 84}, 3},
        {{10, 85}, -1}, {{w - 2, 10}, -1}, {{10, -5}, -1},
    };
    for (const auto& [p, item] : items_at)
        EXPECT_EQ(layout.item_at(p), item) << p.x() << ", " << p.y();
    const QRect screen(0, 0, 800, 600);
    const std::vector<std::tuple<QPoint, QSize, QPoint>> placements = {
        {{10, 10}, {150, 80}, {10, 10}},
        {{700, 10}, {150, 80}, {650, 10}},
        {{790, 590}, {150, 80}, {650, 520}},
        {{5, 5}, {900, 700}, {0, 0}}, // larger than the screen
    };
    for (const auto& [at, size, placed] : placements)
        EXPECT_EQ(place_on_screen(at, size, screen), placed) << at.x() << ", " << at.y();
}

TEST(Menu, KeysMoveOverTheEnabledItemsWrappingAndChooseAfterClosing) {
    // One letter a key: d Down, u Up, h Home, e End, r Return, n keypad Enter, s Space, x Esc;
    // a capital types that letter.
    const std::map<char, Qt::Key> keys = {
        {'d', Qt::Key_Down},   {'u', Qt::Key_Up},    {'h', Qt::Key_Home},  {'e', Qt::Key_End},
        {'r', Qt::Key_Return}, {'n', Qt::Key_Enter}, {'s', Qt::Key_Space}, {'x', Qt::Key_Escape},
    };
    // Typed, highlighted, chosen, still open. An underlined letter chooses its item; shared,
    // it moves on; greyed ones never count.
    const std::vector<std::tuple<const char*, int, int, bool>> rows = {
        {"", -1, -1, true},   {"d", 0, -1, true},   {"dd", 2, -1, true}, {"dddd", 0, -1, true},
        {"u", 3, -1, true},   {"ddu", 0, -1, true}, {"eh", 0, -1, true}, {"r", -1, -1, true},
        {"ddr", 2, 2, false}, {"dn", 0, 0, false},  {"es", 3, 3, false}, {"dx", 0, -1, false},
        {"C", -1, 0, false},  {"S", 2, -1, true},   {"SS", 3, -1, true}, {"SSS", 2, -1, true},
        {"SSr", 3, 3, false}, {"Z", -1, -1, true},
    };
    for (const auto& [typed, highlighted, chosen, open] : rows) {
        OpenMenu menu;
        for (const char* c = typed; *c; ++c) {
            const bool letter = std::isupper(static_cast<unsigned char>(*c));
            QKeyEvent key(QEvent::KeyPress, letter ? Qt::Key_A + (*c - 'A') : keys.at(*c),
                          Qt::NoModifier, letter ? QString(QChar(*c).toLower()) : QString());
            QCoreApplication::sendEvent(&menu.menu, &key);
        }
        EXPECT_EQ(menu.menu.highlighted(), highlighted) << typed;
        EXPECT_EQ(menu.chosen, chosen) << typed;
        EXPECT_EQ(menu.menu.isVisible(), open) << typed;
        EXPECT_TRUE(menu.closed_first) << typed;
    }
}

TEST(Menu, TheMouseHighlightsAndChoosesEnabledItemsOnly) {
    OpenMenu open;
    release(open.menu, open.centre_of(0)); // the release of the click that opened it
    hover(open.menu, open.centre_of(2));
    EXPECT_EQ(open.menu.highlighted(), 2);
    hover(open.menu, open.centre_of(1));
    EXPECT_EQ(open.menu.highlighted(), -1);
    click(open.menu, open.centre_of(1));
    EXPECT_TRUE(open.menu.isVisible());
    EXPECT_EQ(open.chosen, -1);
    click(open.menu, open.centre_of(3));
    EXPECT_EQ(open.chosen, 3);
    EXPECT_TRUE(open.closed_first);
}
