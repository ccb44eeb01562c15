#pragma once

// A pop-up menu drawn in the window's own skin rather than the system's: the title panel's
// back and raised edges, Tahoma 8.25 pt, one row per item with its text on the left and an
// optional shortcut on the right, an etched line between groups of items. It behaves as a
// system menu does: the arrows, Home and End move over the enabled items, Enter or Space
// chooses, an item's underlined letter chooses it, Esc or a click elsewhere closes it.
// Greyed items are shown but never highlighted or chosen.

#include "controls/skin.h"
#include "platform/fonts.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

namespace tarnwick::controls {

struct MenuItem {
    // An '&' underlines the letter after it, which then chooses the item; "&&" shows one '&'.
    QString text;
    QString shortcut;
    bool enabled = true;
    // A separator above: the item starts a group. Ignored on the first item.
    bool group_start = false;
};

// An item's text as shown, without its marks, and where its underlined letter is (-1 none).
struct MenuText {
    QString shown;
    int mnemonic = -1;
};
MenuText menu_text(const QString& text);

// The face of the menu: Tahoma 8.25 pt, 11 px.
platform::Font menu_font();

// Where a menu's rows lie: a one-pixel raised edge, an inset inside it, then one row per
// item, each the full width of the inside, with a separator's strip above each group after
// the first. Painting and hit-testing both ask it.
struct MenuLayout {
    int width = 0;
    int row_height = 0;
    std::vector<int> tops;       // each item's row
    std::vector<int> separators; // the top of each separator's strip
    int height = 0;

    int count() const { return static_cast<int>(tops.size()); }
    QSize size() const { return {width, height}; }
    // The row of item `index`, the highlight band's rectangle.
    QRect item_rect(int index) const;
    // The strip of separator `index`, its groove across the middle.
    QRect separator_rect(int index) const;
    // The item whose row holds `p`, or -1 on the edges, the inset, a separator or outside.
    int item_at(QPoint p) const;
};

// Wide enough for the widest text, the widest shortcut and the gap between them.
MenuLayout menu_layout(const std::vector<MenuItem>& items, const platform::Font& font);

// The enabled item `step` (+1 down, -1 up) rows on from `current`, wrapping; from -1, the
// first enabled item going down and the last going up. -1 when no item is enabled.
int next_enabled(const std::vector<MenuItem>& items, int current, int step);

// The enabled item after `current` (wrapping) whose underlined letter is `letter`, in any
// case, and whether it is the only one; -1 when none is.
struct MnemonicMatch {
    int index = -1;
    bool only = false;
};
MnemonicMatch match_mnemonic(const std::vector<MenuItem>& items, int current, QChar letter);

// The top-left that keeps a menu of `size` opened at `at` on `screen`.
QPoint place_on_screen(QPoint at, QSize size, const QRect& screen);

// The menu's picture with item `highlighted` banded (-1 none).
QImage paint_menu(const std::vector<MenuItem>& items, const MenuLayout& layout, int highlighted,
                  const platform::Font& font);

// The colours of what the menu adds to the panel's: the band of the highlighted item, its
// text, and the text of a greyed item.
namespace menu_colour {
constexpr platform::Colour band = skin::light;
constexpr platform::Colour band_text = skin::edge_dark;
constexpr platform::Colour greyed_text = skin::close_cross;
// The separator's groove: a dark line over a lit one, as the raised edges are lit.
constexpr platform::Colour groove_dark = skin::edge_dark;
constexpr platform::Colour groove_light = skin::light;
} // namespace menu_colour

// A top-level pop-up (Qt::Popup | Qt::FramelessWindowHint): it takes the keyboard and the
// mouse while it is open, and the toolkit closes it on a press outside it.
class SkinnedMenu : public QWidget {
public:
    explicit SkinnedMenu(QWidget* owner = nullptr);

    // Replaces the items; nothing is highlighted afterwards.
    void set_items(std::vector<MenuItem> items);
    const std::vector<MenuItem>& items() const { return items_; }
    // Greying the highlighted item takes the highlight off it. An index out of range does
    // nothing.
    void set_enabled(int index, bool enabled);

    // Shows the menu with its top-left at `global` (moved to stay on the screen) and takes
    // the keyboard. It opens with nothing highlighted.
    void popup(QPoint global);

    int highlighted() const { return highlighted_; }
    const MenuLayout& item_layout() const { return layout_; }
    // What the menu shows.
    QImage render() const;

    // The chosen item's index, called after the menu has closed.
    std::function<void(int)> on_chosen;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void highlight(int index);
    void choose(int index);
    void choose_by_letter(QKeyEvent* event);
    bool choosable(int index) const;

    std::vector<MenuItem> items_;
    platform::Font font_;
    MenuLayout layout_;
    int highlighted_ = -1;
    // A release chooses only once the pointer has pressed or moved in the open menu, so the
    // release of the click that opened it does not choose the item it happens to lie over.
    bool armed_ = false;
};

} // namespace tarnwick::controls
