#include "controls/skinned_menu.h"

#include "controls/geometry.h"
#include "platform/draw.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <utility>

namespace tarnwick::controls {

namespace {

// The rows start this far inside the menu's outer edge, the edge itself included.
constexpr int inset = 2;
// The text's room above and below it in a row.
constexpr int row_padding = 3;
// From a row's ends to its text and to its shortcut.
constexpr int text_margin = 10;
// The least room between an item's text and its shortcut.
constexpr int shortcut_gap = 24;
constexpr int minimum_width = 120;
// A separator's strip, and how far its groove keeps from the row's ends.
constexpr int separator_height = 7;
constexpr int groove_margin = 1;

void fill(QImage& picture, const QRect& area, Colour colour) {
    QImage band(area.size(), QImage::Format_RGB32);
    platform::clear(band, colour);
    platform::copy_pixels(picture, area.x(), area.y(), band, 0, 0, area.width(), area.height());
}

void paint_edges(QImage& picture) {
    // The top over the right and the left over the bottom, as the panel lays them.
    const EdgeFrame frame = edge_frame(picture.width(), picture.height(), 0);
    for (const auto& [edge, colour] :
         {std::pair{frame.right, skin::edge_dark}, std::pair{frame.bottom, skin::edge_dark},
          std::pair{frame.left, skin::light}, std::pair{frame.top, skin::light}})
        platform::draw_line(picture, edge.x1, edge.y1, edge.x2, edge.y2, colour);
}

void paint_separator(QImage& picture, const QRect& strip) {
    const int y = strip.y() + strip.height() / 2 - 1;
    const int left = strip.left() + groove_margin, end = strip.right() + 1 - groove_margin;
    platform::draw_line(picture, left, y, end, y, menu_colour::groove_dark);
    platform::draw_line(picture, left, y + 1, end, y + 1, menu_colour::groove_light);
}

// The text's baseline is `ascent` below `top`; the underline lies one pixel under it, as the
// face's own underline does at this size.
void underline(QImage& picture, const MenuText& text, int left, int top, const platform::Font& font,
               Colour colour) {
    if (text.mnemonic < 0) return;
    const int x = left + platform::text_width(font, text.shown.left(text.mnemonic));
    const int w = platform::text_width(font, text.shown.mid(text.mnemonic, 1));
    const int y = top + platform::text_metrics(font).ascent + 1;
    platform::draw_line(picture, x, y, x + w, y, colour);
}

void paint_item(QImage& picture, const MenuItem& item, const QRect& row, bool highlighted,
                const platform::Font& font) {
    Colour colour = item.enabled ? skin::caption : menu_colour::greyed_text;
    if (highlighted) {
        fill(picture, row, menu_colour::band);
        colour = menu_colour::band_text;
    }
    const QRect room = row.adjusted(text_margin, 0, -text_margin, 0);
    const int top = row.y() + (row.height() - platform::text_metrics(font).height()) / 2;
    const MenuText text = menu_text(item.text);
    platform::draw_text(picture, room, room.x(), top, text.shown, font, colour);
    underline(picture, text, room.x(), top, font, colour);
    const int shortcut_left = room.x() + room.width() - platform::text_width(font, item.shortcut);
    platform::draw_text(picture, room, shortcut_left, top, item.shortcut, font, colour);
}

} // namespace

platform::Font menu_font() {
    return skin::text_font();
}

MenuText menu_text(const QString& text) {
    MenuText result;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size()) {
            ++i;
            if (text[i] != u'&' && result.mnemonic < 0)
                result.mnemonic = static_cast<int>(result.shown.size());
        }
        result.shown += text[i];
    }
    return result;
}

QRect MenuLayout::item_rect(int index) const {
    return {inset, tops[index], width - 2 * inset, row_height};
}

QRect MenuLayout::separator_rect(int index) const {
    return {inset, separators[index], width - 2 * inset, separator_height};
}

int MenuLayout::item_at(QPoint p) const {
    if (p.x() < inset || p.x() >= width - inset) return -1;
    for (int i = 0; i < count(); ++i)
        if (p.y() >= tops[i] && p.y() < tops[i] + row_height) return i;
    return -1;
}

MenuLayout menu_layout(const std::vector<MenuItem>& items, const platform::Font& font) {
    MenuLayout layout;
    layout.row_height = platform::text_metrics(font).height() + 2 * row_padding;
    int text = 0, shortcut = 0, y = inset;
    for (const MenuItem& item : items) {
        text = std::max(text, platform::text_width(font, menu_text(item.text).shown));
        shortcut = std::max(shortcut, platform::text_width(font, item.shortcut));
        if (item.group_start && !layout.tops.empty()) {
            layout.separators.push_back(y);
            y += separator_height;
        }
        layout.tops.push_back(y);
        y += layout.row_height;
    }
    const int gap = shortcut > 0 ? shortcut_gap : 0;
    layout.width = std::max(minimum_width, 2 * inset + 2 * text_margin + text + gap + shortcut);
    layout.height = y + inset;
    return layout;
}

int next_enabled(const std::vector<MenuItem>& items, int current, int step) {
    const int count = static_cast<int>(items.size());
    if (count == 0) return -1;
    int index = current;
    for (int tried = 0; tried < count; ++tried) {
        if (current < 0 && tried == 0)
            index = step > 0 ? 0 : count - 1;
        else
            index = (index + step + count) % count;
        if (items[index].enabled) return index;
    }
    return -1;
}

MnemonicMatch match_mnemonic(const std::vector<MenuItem>& items, int current, QChar letter) {
    const auto marked = [&](const MenuItem& item) {
        const MenuText text = menu_text(item.text);
        return item.enabled && text.mnemonic >= 0 &&
               text.shown[text.mnemonic].toCaseFolded() == letter.toCaseFolded();
    };
    const int count = static_cast<int>(items.size());
    MnemonicMatch match;
    for (int step = 1; step <= count; ++step) {
        const int index = ((current < 0 ? -1 : current) + step + count) % count;
        if (!marked(items[index])) continue;
        if (match.index < 0) match.index = index;
        match.only = match.index == index;
    }
    return match;
}

QPoint place_on_screen(QPoint at, QSize size, const QRect& screen) {
    // Pushed back from the right and bottom first, so that a menu larger than the screen
    // keeps its top-left corner on it.
    const int x = std::max(screen.left(), std::min(at.x(), screen.right() + 1 - size.width()));
    const int y = std::max(screen.top(), std::min(at.y(), screen.bottom() + 1 - size.height()));
    return {x, y};
}

QImage paint_menu(const std::vector<MenuItem>& items, const MenuLayout& layout, int highlighted,
                  const platform::Font& font) {
    QImage picture(layout.size(), QImage::Format_RGB32);
    platform::clear(picture, skin::back);
    paint_edges(picture);
    for (int i = 0; i < static_cast<int>(layout.separators.size()); ++i)
        paint_separator(picture, layout.separator_rect(i));
    for (int i = 0; i < layout.count(); ++i)
        paint_item(picture, items[i], layout.item_rect(i), i == highlighted, font);
    return picture;
}

SkinnedMenu::SkinnedMenu(QWidget* owner)
    : QWidget(owner, Qt::Popup | Qt::FramelessWindowHint), font_(menu_font()),
      layout_(menu_layout(items_, font_)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    resize(layout_.size());
}

void SkinnedMenu::set_items(std::vector<MenuItem> items) {
    items_ = std::move(items);
    layout_ = menu_layout(items_, font_);
    highlighted_ = -1;
    resize(layout_.size());
    update();
}

void SkinnedMenu::set_enabled(int index, bool enabled) {
    if (index < 0 || index >= static_cast<int>(items_.size())) return;
    items_[index].enabled = enabled;
    if (!enabled && highlighted_ == index) highlighted_ = -1;
    update();
}

void SkinnedMenu::popup(QPoint global) {
    highlighted_ = -1;
    armed_ = false;
    const QScreen* screen = QGuiApplication::screenAt(global);
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    const QPoint at =
        screen ? place_on_screen(global, layout_.size(), screen->availableGeometry()) : global;
    setGeometry(QRect(at, layout_.size()));
    show();
    setFocus(Qt::PopupFocusReason);
}

QImage SkinnedMenu::render() const {
    return paint_menu(items_, layout_, highlighted_, font_);
}

bool SkinnedMenu::choosable(int index) const {
    return index >= 0 && index < static_cast<int>(items_.size()) && items_[index].enabled;
}

void SkinnedMenu::highlight(int index) {
    if (index == highlighted_) return;
    highlighted_ = index;
    update();
}

void SkinnedMenu::choose(int index) {
    // The handler may open another window or delete this one: close first and call a copy.
    const std::function<void(int)> chosen = on_chosen;
    close();
    if (chosen) chosen(index);
}

void SkinnedMenu::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, render());
}

void SkinnedMenu::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Down:
        return highlight(next_enabled(items_, highlighted_, +1));
    case Qt::Key_Up:
        return highlight(next_enabled(items_, highlighted_, -1));
    case Qt::Key_Home:
        return highlight(next_enabled(items_, -1, +1));
    case Qt::Key_End:
        return highlight(next_enabled(items_, -1, -1));
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (choosable(highlighted_)) choose(highlighted_);
        return;
    case Qt::Key_Escape:
        close();
        return;
    default:
        choose_by_letter(event);
    }
}

// A letter chooses the one item it underlines; shared by several, it moves the highlight on
// to the next of them and Enter chooses, as a system menu does.
void SkinnedMenu::choose_by_letter(QKeyEvent* event) {
    const QString typed = event->text();
    const MnemonicMatch match = typed.size() == 1 && !(event->modifiers() & Qt::ControlModifier)
                                    ? match_mnemonic(items_, highlighted_, typed[0])
                                    : MnemonicMatch{};
    if (match.index < 0) return event->ignore();
    if (match.only) return choose(match.index);
    highlight(match.index);
}

void SkinnedMenu::mouseMoveEvent(QMouseEvent* event) {
    armed_ = true;
    const int index = layout_.item_at(event->position().toPoint());
    highlight(choosable(index) ? index : -1);
}

void SkinnedMenu::mousePressEvent(QMouseEvent* event) {
    // Outside the menu the toolkit's own handling closes it.
    if (!rect().contains(event->position().toPoint())) return QWidget::mousePressEvent(event);
    armed_ = true;
}

void SkinnedMenu::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !armed_) return;
    const int index = layout_.item_at(event->position().toPoint());
    if (choosable(index)) choose(index);
}

} // namespace tarnwick::controls
