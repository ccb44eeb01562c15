#pragma once

// The window beside the main one that shows a check of the game folder or of the existing
// .res: a title panel with its close box over the report's rows, the counts first, then
// each group under a heading with its count, each row in the colour of what it reports and
// wrapped to the window's width. A double-click or Enter on an entry's row selects it in
// the main window; Ctrl+C, or "Copy Report" on a right-click, copies the report as the
// command line prints it. Modeless; it moves with its own title and closes with its cross.

#include "app/report_rows.h"
#include "app/window_frame.h"
#include "game/report.h"

#include <QFontMetrics>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QListWidget;
class QListWidgetItem;

namespace tarnwick::controls {
class elpanel;
class SkinnedMenu;
} // namespace tarnwick::controls

namespace tarnwick::app {

// `text` broken at spaces into lines no wider than `width`; a word wider than that is
// broken where it must be.
QStringList wrap_text(const QString& text, const QFontMetrics& metrics, int width);

class ReportWindow : public QWidget {
public:
    // `cursor_pos` is where the cursor is on the screen, for moving the window by its title;
    // `coverable` the part of `owner`, in its coordinates, that holds no button.
    ReportWindow(QWidget* owner, std::function<QPoint()> cursor_pos, QRect coverable);
    ~ReportWindow() override;

    // Shows `rows` under `title`, beside the owner when it was not shown already, with
    // `notes` under the counts. The window's name, which the task bar and tools read, is
    // the title and `summary`.
    void show_report(const QString& title, std::vector<game::ReportRow> rows,
                     const QString& summary = {}, const QStringList& notes = {});
    const std::vector<game::ReportRow>& rows() const { return rows_; }
    // The report as the command line prints it, one line each.
    std::string copy_text() const;
    void copy_report() const;
    // The row of `item`, nullptr for a heading or the note.
    const game::ReportRow* row_of(const QListWidgetItem* item) const;

    // Called with the entry of a row chosen by a double-click or Enter (single-byte).
    std::function<void(const std::string&)> on_entry_chosen;

    controls::elpanel* elpanel1;
    QListWidget* List1;
    // The right-click menu once it has been opened; nullptr before.
    controls::SkinnedMenu* menu() const { return menu_.get(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place_beside_owner();
    void fit(QSize size);
    void fill_list(const QStringList& notes);
    std::size_t counted_rows(const std::vector<int>& members) const;
    void add_heading(ReportGroup group, std::size_t count);
    QListWidgetItem* add_line(const QString& text, const QString& detail, int row);
    void choose(const QListWidgetItem* item);
    void show_menu(QPoint global);

    std::function<QPoint()> cursor_pos_;
    QRect coverable_;
    QWidget* client_;
    std::vector<game::ReportRow> rows_;
    std::unique_ptr<controls::SkinnedMenu> menu_;
    std::optional<QFontMetrics> metrics_; // of the rows, while the list is filled
    int text_width_ = 0;                  // the width a row's lines are wrapped to
    std::optional<TitleDrag> drag_;
};

} // namespace tarnwick::app
