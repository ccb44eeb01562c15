#pragma once

// The system list box of the main window: single selection, entries in the order they
// were added, the window's colours and font, and the classic sunken two-pixel edge.

#include <QListWidget>

namespace tarnwick::app {

struct StoredControl;

class ListBox : public QListWidget {
public:
    ListBox(QWidget* container, const StoredControl& stored);

protected:
    bool event(QEvent* event) override;
};

} // namespace tarnwick::app
