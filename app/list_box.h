#pragma once

// The system list box of the windows: single selection, entries in the order they were
// added, the window's colours and font, the classic sunken two-pixel edge, and rows as
// high as a system list box makes them for that font, with no highlight under the mouse.

#include <QListWidget>

namespace tarnwick::app {

struct StoredControl;

// The height of a row for Tahoma 8.25 pt, as a system list box draws it.
inline constexpr int list_row_height = 13;

class ListBox : public QListWidget {
public:
    ListBox(QWidget* container, const StoredControl& stored);
    // At `geometry` of its container, in pixels.
    ListBox(QWidget* container, const QRect& geometry);

protected:
    bool event(QEvent* event) override;
};

} // namespace tarnwick::app
