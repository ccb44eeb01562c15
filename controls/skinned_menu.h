#pragma once

// A pop-up menu drawn in the window's own skin rather than the system's: the title panel's
// back and raised edges, Tahoma 8.25 pt, one row per item with its text on the left and an
// optional shortcut on the right. It behaves as a system menu does: the arrows, Home and End
// move over the enabled items, Enter or Space chooses, Esc or a click elsewhere closes it.
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
    QString text;
    QString shortcut;
    bool enabled = true;
};

// The face of the menu: Tahoma 8.25 pt, 11 px.
platform::Font menu_font();

// Where a menu's rows lie: a one-pixel raised edge, an inset inside it, then one row per
// item, each the full width of the inside.
struct MenuLayout {
    int width = 0;
    int row_height = 0;
    int count = 0;

    QSize size() const;
    // The row of item `index`, the highlight band's rectangle.
    QRect item_rect(int index) const;
    // The item whose row holds `p`, or -1 on the edges, the inset or outside the menu.
    int item_at(QPoint p) const;
};

// Wide enough for the widest text, the widest shortcut and the gap between them.
MenuLayout menu_layout(const std::vector<MenuItem>& items, const platform::Font& font);

// The enabled item `step` (+1 down, -1 up) rows on from `current`, wrapping; from -1, the
// first enabled item going down and the last going up. -1 when no item is enabled.
int next_enabled(const std::vector<MenuItem>& items, int current, int step);

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
constexpr platform::Colour greyed_text = skin::field_light; // as the panel's close cross
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
