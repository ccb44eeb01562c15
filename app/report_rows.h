#pragma once

// The rows of a check's report as the window shows them: the colour of each from what it
// is (its kind, and an entry's status) through one table, the group it goes under, and its
// words for the window, which name no option of the command line.

#include "game/report.h"

#include <QColor>
#include <QString>
#include <array>

namespace tarnwick::app {

// The colour of an entry of a status, on the lists' background, as the skin has it.
QColor status_colour(game::Status status);
// The status whose colour a row takes: an entry's own; for the other kinds, the status
// they are alike to (a lacking file is missing, an extra word is grey as a replaced one).
game::Status colour_status(const game::ReportRow& row);
QColor row_colour(const game::ReportRow& row);

// The groups of the window, in the order shown. `top` holds the counts, without a heading.
// `unsafe` holds every entry the game or its clients refuse: unsafe, refused or damaged.
enum class ReportGroup {
    top,
    missing,
    unsafe,
    other_case,
    unchecked,
    warnings,
    limits,
    stock,
    found
};
inline constexpr int report_group_count = 9;
ReportGroup group_of(const game::ReportRow& row);
// "Missing", "Unsafe", "Other Case", "Not Checked", …; empty for `top`.
QString group_heading(ReportGroup group);

// A row as the window says it: the entry (or what the row is about) and what is said of
// it under it ("needed by …", "on the disk: …"), which may be empty.
struct ShownRow {
    QString text;
    QString detail;
};
ShownRow shown_row(const game::ReportRow& row);

} // namespace tarnwick::app
