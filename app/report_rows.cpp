#include "app/report_rows.h"

#include "app/resource_text.h"
#include "controls/skin.h"
#include "platform/colour.h"

#include <optional>

namespace tarnwick::app {
namespace {

using game::RowKind;
using game::Status;

// What each kind of row is alike to, by its colour and its group; nothing: the entry's own
// status. In the order of RowKind.
struct KindLook {
    RowKind kind;
    std::optional<Status> colour;
    ReportGroup group;
};
constexpr KindLook kind_looks[] = {
    {RowKind::counts, Status::found, ReportGroup::top},
    {RowKind::damaged_map, Status::damaged, ReportGroup::unsafe},
    {RowKind::limits, Status::found, ReportGroup::limits},
    {RowKind::counts_alone, Status::found, ReportGroup::limits},
    {RowKind::over_limit, Status::missing, ReportGroup::limits},
    {RowKind::entry, std::nullopt, ReportGroup::found},
    {RowKind::entry_warning, Status::found, ReportGroup::warnings},
    {RowKind::unused_wad, Status::replaced, ReportGroup::warnings},
    {RowKind::missing_texture, Status::missing, ReportGroup::missing},
    {RowKind::unchecked_texture, Status::unchecked, ReportGroup::unchecked},
    {RowKind::unchecked_counts, Status::unchecked, ReportGroup::unchecked},
    {RowKind::map_warning, Status::found, ReportGroup::warnings},
    {RowKind::folder_warning, Status::found, ReportGroup::warnings},
    {RowKind::no_mod_folder, Status::missing, ReportGroup::warnings},
    {RowKind::folder_error, Status::missing, ReportGroup::warnings},
    {RowKind::res_counts, Status::found, ReportGroup::top},
    {RowKind::no_res, Status::found, ReportGroup::top},
    {RowKind::extra, Status::replaced, ReportGroup::warnings},
    {RowKind::lacking, Status::missing, ReportGroup::missing},
    {RowKind::other_case, Status::case_mismatch, ReportGroup::other_case},
    {RowKind::names_missing, Status::missing, ReportGroup::missing},
    {RowKind::refused, Status::unsafe, ReportGroup::unsafe},
    {RowKind::unreadable, Status::missing, ReportGroup::warnings},
    {RowKind::res_warning, Status::found, ReportGroup::warnings},
    {RowKind::game_share, Status::found, ReportGroup::limits},
};

constexpr bool in_kind_order() {
    for (std::size_t i = 0; i < std::size(kind_looks); ++i)
        if (static_cast<std::size_t>(kind_looks[i].kind) != i) return false;
    return true;
}
static_assert(in_kind_order(), "one look for each kind, in the order of RowKind");

const KindLook& look_of(RowKind kind) {
    return kind_looks[static_cast<std::size_t>(kind)];
}

ReportGroup entry_group(Status status) {
    switch (status) {
    case Status::missing:
        return ReportGroup::missing;
    case Status::unsafe:
    case Status::refused:
    case Status::damaged:
        return ReportGroup::unsafe;
    case Status::case_mismatch:
        return ReportGroup::other_case;
    case Status::unchecked:
        return ReportGroup::unchecked;
    case Status::stock:
        return ReportGroup::stock;
    default:
        return ReportGroup::found;
    }
}

QString needed_by(const game::From& from) {
    if (from.named_by_map()) return {};
    return QStringLiteral("needed by ") + to_screen(from.entry);
}

// The same names as the command line's, by the same rule.
QString named_by(const std::vector<game::EntityName>& entities) {
    if (entities.empty()) return {};
    return QStringLiteral("named by ") + QString::fromStdString(game::entity_names(entities));
}

// A refused name may hold line breaks and other control bytes: shown as \xNN, it stays one row.
QString without_control_bytes(QString name) {
    for (int i = name.size() - 1; i >= 0; --i)
        if (name[i].unicode() < 0x20)
            name.replace(
                i, 1,
                QStringLiteral("\\x") +
                    QString::number(name[i].unicode(), 16).toUpper().rightJustified(2, '0'));
    return name;
}

QString joined(const QString& a, const QString& b) {
    return a.isEmpty() || b.isEmpty() ? a + b : a + QStringLiteral("; ") + b;
}

ShownRow entry_shown(const game::ReportRow& row) {
    const auto entry = to_screen(row.entry);
    switch (row.status) {
    case Status::missing:
        return {entry, joined(needed_by(row.from), named_by(row.entities))};
    case Status::case_mismatch:
        return {entry, joined(QStringLiteral("on the disk: ") + to_screen(row.spelled),
                              needed_by(row.from))};
    case Status::unsafe:
        return {entry, joined(QStringLiteral("not looked up"), needed_by(row.from))};
    case Status::refused:
        return {without_control_bytes(entry),
                joined(QString::fromStdString(row.text),
                       joined(needed_by(row.from), named_by(row.entities)))};
    case Status::damaged:
        return {entry, joined(QString::fromStdString(row.text), needed_by(row.from))};
    case Status::unchecked:
        return {entry, needed_by(row.from)};
    default:
        return {entry, QString::fromStdString(row.text)};
    }
}

} // namespace

QColor status_colour(Status status) {
    namespace colour = controls::skin::status;
    switch (status) {
    case Status::case_mismatch:
        return QColor(platform::to_rgb(colour::case_mismatch));
    case Status::missing:
        return QColor(platform::to_rgb(colour::missing));
    case Status::unsafe:
    case Status::refused:
    case Status::damaged:
        return QColor(platform::to_rgb(colour::unsafe));
    case Status::unchecked:
        return QColor(platform::to_rgb(colour::unchecked));
    case Status::stock:
        return QColor(platform::to_rgb(colour::stock));
    case Status::replaced:
        return QColor(platform::to_rgb(colour::replaced));
    default:
        break;
    }
    return QColor(platform::to_rgb(colour::found));
}

Status colour_status(const game::ReportRow& row) {
    return look_of(row.kind).colour.value_or(row.status);
}

QColor row_colour(const game::ReportRow& row) {
    return status_colour(colour_status(row));
}

ReportGroup group_of(const game::ReportRow& row) {
    return row.kind == RowKind::entry ? entry_group(row.status) : look_of(row.kind).group;
}

QString group_heading(ReportGroup group) {
    static const QString headings[report_group_count] = {{},
                                                         QStringLiteral("Missing"),
                                                         QStringLiteral("Unsafe"),
                                                         QStringLiteral("Other Case"),
                                                         QStringLiteral("Not Checked"),
                                                         QStringLiteral("Warnings"),
                                                         QStringLiteral("Limits"),
                                                         QStringLiteral("Stock"),
                                                         QStringLiteral("Found")};
    return headings[static_cast<int>(group)];
}

// The command line's words but for the entries, which the window shows as the entry with
// what is said of it under it.
ShownRow shown_row(const game::ReportRow& row) {
    if (row.kind == RowKind::entry) return entry_shown(row);
    const auto text = QString::fromStdString(game::row_text(row)).trimmed();
    // The command line says how once a run; each of the window's reports says it.
    if (row.kind == RowKind::unchecked_counts)
        return {text, QStringLiteral("check on the full installation to know whether the game "
                                     "ships them")};
    return {text, {}};
}

} // namespace tarnwick::app
