#include "app/list_box.h"

#include "app/stored_layout.h"
#include "controls/geometry.h"
#include "controls/skin.h"
#include "platform/colour.h"
#include "platform/fonts.h"

#include <QPaintEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace tarnwick::app {
namespace {

constexpr platform::Colour back = controls::skin::back_dark;
constexpr platform::Colour text = controls::skin::caption;
constexpr int edge = 2;

QColor system(int n) {
    return QColor(platform::to_rgb(platform::system_colour(n)));
}

QPalette list_palette() {
    QPalette palette;
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, QColor(platform::to_rgb(back)));
        palette.setColor(group, QPalette::Text, QColor(platform::to_rgb(text)));
        palette.setColor(group, QPalette::Highlight, system(13));
        palette.setColor(group, QPalette::HighlightedText, system(14));
    }
    palette.setColor(QPalette::Disabled, QPalette::Text, system(17)); // grey text
    return palette;
}

// Rows of the system list box's height whatever the style's own, and no hover band,
// which the system list box does not draw but some styles do.
class RowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), list_row_height};
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->state &= ~QStyle::State_MouseOver;
    }
};

QRect pixels_of(const StoredControl& stored) {
    return {static_cast<int>(controls::to_pixels(stored.left)),
            static_cast<int>(controls::to_pixels(stored.top)),
            static_cast<int>(controls::to_pixels(stored.width)),
            static_cast<int>(controls::to_pixels(stored.height))};
}

} // namespace

ListBox::ListBox(QWidget* container, const StoredControl& stored)
    : ListBox(container, pixels_of(stored)) {}

ListBox::ListBox(QWidget* container, const QRect& geometry) : QListWidget(container) {
    setGeometry(geometry);
    setItemDelegate(new RowDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    setUniformItemSizes(true);
    setFont(platform::to_qfont(controls::skin::text_font()));
    setPalette(list_palette());
    setFrameStyle(QFrame::NoFrame);
    setViewportMargins(edge, edge, edge, edge);
}

// The edge is drawn around the viewport: shadow and dark shadow at the top and left,
// highlight and light at the bottom and right.
bool ListBox::event(QEvent* e) {
    const bool handled = QListWidget::event(e);
    if (e->type() == QEvent::Paint) {
        QPainter painter(this);
        const QRect r = rect().adjusted(0, 0, -1, -1);
        const auto bevel = [&](QRect box, const QColor& top_left, const QColor& bottom_right) {
            painter.setPen(top_left);
            painter.drawLine(box.topLeft(), box.topRight());
            painter.drawLine(box.topLeft(), box.bottomLeft());
            painter.setPen(bottom_right);
            painter.drawLine(box.bottomLeft(), box.bottomRight());
            painter.drawLine(box.topRight(), box.bottomRight());
        };
        bevel(r, system(16), system(20));
        bevel(r.adjusted(1, 1, -1, -1), system(21), system(22));
    }
    return handled;
}

} // namespace tarnwick::app
