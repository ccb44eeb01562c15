#pragma once

// The window beside the main one that shows a check of the game folder or of the existing
// .res: a title panel with its close box over a list of lines, each line in the colour of
// what it reports. Modeless; it moves with its own title and closes with its cross.

#include "game/resolution.h"

#include <QColor>
#include <QWidget>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QListWidget;

namespace tarnwick::controls {
class elpanel;
}

namespace tarnwick::app {

// The colour of an entry of a status, on the lists' background: found as every entry
// (white), case amber, missing and unsafe red, stock a dimmed grey, replaced grey.
QColor status_colour(game::Status status);
// The colour of a line of a report, by what it says ("  missing: …", "  case: …").
QColor report_line_colour(std::string_view line);

class ReportWindow : public QWidget {
public:
    // `cursor_pos` is where the cursor is on the screen, for moving the window by its title.
    ReportWindow(QWidget* owner, std::function<QPoint()> cursor_pos);

    // Shows `lines` (UTF-8) under `title`, beside the owner when it was not shown already.
    // The window's name, which the task bar and tools read, is the title and `summary`.
    void show_report(const QString& title, const std::vector<std::string>& lines,
                     const QString& summary = {});
    // The lines shown, one a line, for tests.
    std::string text() const;

    controls::elpanel* elpanel1;
    QListWidget* List1;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPoint beside(const QRect& owner) const;

    std::function<QPoint()> cursor_pos_;
    QPoint grip_; // the cursor's offset from the window's corner while it is moved
    bool moving_ = false;
};

} // namespace tarnwick::app
