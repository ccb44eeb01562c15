#include "app/game_check.h"

#include "analysis/file_system.h"
#include "analysis/resource_list.h"
#include "analysis/single_byte.h"
#include "app/report_rows.h"
#include "app/report_window.h"
#include "app/resource_text.h"
#include "controls/skin.h"
#include "game/session.h"
#include "game/steam.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace tarnwick::app {
namespace {

namespace fs = std::filesystem;

const QString folder_question =
    QStringLiteral("Choose the mod folder, for example \u2026\\Half-Life\\cstrike");
const QString check_title = QStringLiteral("Check Game Folder");

// The mod the window looks for in the system's Steam libraries.
constexpr std::string_view steam_mod = "cstrike";

const game::WriteChoice followed{.follow = true};
const game::WriteChoice scanned{};

// The busy pointer while the game folder is listed and read. The window repaints first,
// but takes no input until the check is done: a click then could change the list that is
// being checked.
class Busy {
public:
    Busy() {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    ~Busy() { QGuiApplication::restoreOverrideCursor(); }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;
};

QString native(const fs::path& path) {
    return QDir::toNativeSeparators(QString::fromStdString(analysis::utf8_of(path)));
}

} // namespace

GameCheck::GameCheck(CheckedWindow& window) : window_(window) {}

GameCheck::~GameCheck() = default;

// The folder above the map's maps folder; else Counter-Strike where Steam keeps it; else
// the folder the user chose, asked once a window.
std::optional<fs::path> GameCheck::mod_folder(const std::string& map_path) {
    if (auto mod = game::mod_folder_of(map_path)) return mod;
    const auto& services = window_.services();
    if (services.steam_roots)
        if (auto mod = game::find_steam_mod(services.steam_roots(), steam_mod)) return mod;
    if (!chosen_mod_) {
        const auto chosen = services.dialogs->choose_folder(folder_question);
        if (chosen.isEmpty()) return std::nullopt;
        chosen_mod_ = analysis::to_path(to_utf8(chosen));
    }
    return chosen_mod_;
}

// Resolves `entries` of the map shown; nothing when no folder was chosen or the check
// failed, with why in the report window.
std::optional<game::CheckedMap> GameCheck::resolve(const std::vector<std::string>& entries,
                                                   const game::WriteChoice& choice,
                                                   std::vector<game::ReportRow>& rows) {
    const auto map_path = window_.map_to_check();
    if (checking_ || map_path.empty()) return std::nullopt;
    const auto mod = mod_folder(map_path);
    if (!mod) return std::nullopt;
    // The command line's settings: what a missing valve/ could hold is not checked.
    if (!session_) {
        game::SessionSettings settings;
        settings.engine = engine_;
        session_ = std::make_unique<game::Session>(std::move(settings));
    }
    checking_ = true;
    const Busy busy;
    auto resolved = session_->resolve_in(*mod, choice, map_path, entries);
    checking_ = false;
    checked_mod_ = mod;
    rows = std::move(resolved.rows);
    if (!resolved.map) show_report(check_title, std::move(rows));
    return std::move(resolved.map);
}

// The session counts with one engine: the next check makes a new one.
void GameCheck::switch_engine() {
    engine_ = engine_ == game::Engine::hlds ? game::Engine::rehlds : game::Engine::hlds;
    session_.reset();
}

void GameCheck::show_report(const QString& title, std::vector<game::ReportRow> rows,
                            const QString& summary, const QString& change) {
    if (!report_) {
        report_ = std::make_unique<ReportWindow>(&window_.owner(), window_.services().cursor_pos,
                                                 window_.coverable());
        report_->on_entry_chosen = [this](const std::string& entry) {
            window_.select_entry(entry);
        };
    }
    QStringList notes;
    if (!change.isEmpty()) notes << change;
    if (checked_mod_) notes << QStringLiteral("game folder: ") + native(*checked_mod_);
    report_->show_report(title, std::move(rows), summary, notes);
}

// The shown entries coloured by their statuses, and the report, its counts in its name as
// the command line's counts line has them.
void GameCheck::show_check(const QString& title, const game::CheckedMap& checked,
                           std::vector<game::ReportRow> rows, const QString& change) {
    std::unordered_map<std::string, game::Status> statuses;
    for (const auto& outcome : checked.resolution.entries)
        if (!outcome.followed) statuses.emplace(outcome.entry, outcome.status);
    window_.colour_shown([&](const std::string& entry) -> std::optional<QColor> {
        const auto status = statuses.find(entry);
        if (status == statuses.end()) return std::nullopt;
        return status_colour(status->second);
    });
    QString summary;
    for (const auto& row : rows)
        if (row.kind == game::RowKind::counts)
            summary = QString::fromStdString(game::counts_summary(row.counts));
    show_report(title, std::move(rows), summary, change);
}

void GameCheck::check_game_folder() {
    std::vector<game::ReportRow> rows;
    if (const auto checked = resolve(window_.full_list().entries(), followed, rows))
        show_check(check_title, *checked, std::move(rows));
}

// After a change of the list, the list as it now is checked as F5 checks it, from the
// listing the session already holds, with what changed said first.
void GameCheck::check_changed_list(const QString& title, const QString& change) {
    std::vector<game::ReportRow> rows;
    if (const auto checked = resolve(window_.full_list().entries(), followed, rows))
        show_check(title, *checked, std::move(rows), change);
}

void GameCheck::complete_list() {
    std::vector<game::ReportRow> rows;
    const auto checked = resolve(window_.full_list().entries(), followed, rows);
    if (!checked) return;
    const auto before = window_.full_list().entries();
    replace_full_list(checked->res_lines);
    const auto added = entries_not_in(window_.full_list().entries(), before);
    check_changed_list(QStringLiteral("Complete the List"), change_said("added", added));
}

void GameCheck::leave_out_stock_and_missing() {
    std::vector<game::ReportRow> rows;
    const game::WriteChoice found_only{.skip_missing = true, .skip_stock = true};
    const auto checked = resolve(window_.full_list().entries(), found_only, rows);
    if (!checked) return;
    const auto before = window_.full_list().entries();
    replace_full_list(checked->res_lines);
    const auto left_out = entries_not_in(before, window_.full_list().entries());
    check_changed_list(QStringLiteral("Leave Out Stock and Missing"),
                       change_said("left out", left_out));
}

// Each entry the disk spells in another case takes the disk's spelling; one that is then
// the same as another entry goes.
void GameCheck::use_disk_spelling() {
    std::vector<game::ReportRow> rows;
    const auto checked = resolve(window_.full_list().entries(), scanned, rows);
    if (!checked) return;
    auto list = window_.full_list();
    std::vector<std::string> respelled;
    std::size_t merged = 0;
    for (const auto& outcome : checked->resolution.entries) {
        if (outcome.status != game::Status::case_mismatch) continue;
        const auto i = list.find(outcome.entry);
        if (i < 0) continue;
        respelled.push_back(outcome.spelled);
        if (list.contains(outcome.spelled)) {
            list.remove(i);
            ++merged;
        } else {
            list.replace(i, outcome.spelled);
        }
    }
    replace_full_list(list.entries());
    auto change = change_said("respelled", respelled);
    if (merged)
        change += QStringLiteral("; left out %1 then the same as another entry").arg(merged);
    check_changed_list(QStringLiteral("Use the Disk's Spelling"), change);
}

// The full list becomes `entries`, as far as it holds them, and the shown list is rebuilt.
void GameCheck::replace_full_list(const std::vector<std::string>& entries) {
    analysis::ResourceList list;
    bool full = false;
    for (const auto& entry : entries) {
        try {
            list.append(entry);
        } catch (const analysis::ResourceLimitError&) {
            full = true;
            break;
        }
    }
    window_.take_full_list(std::move(list));
    if (full) window_.message(QStringLiteral("The List Is Full"), controls::skin::message_title());
}

// The check's rows, then the comparison's, as --audit prints them.
void GameCheck::compare_with_res() {
    std::vector<game::ReportRow> rows;
    const auto checked = resolve(window_.full_list().entries(), followed, rows);
    if (!checked) return;
    for (auto& row : game::audit_rows(session_->audit(*checked)))
        rows.push_back(std::move(row));
    show_check(QStringLiteral("Compare With the Existing .res"), *checked, std::move(rows));
}

void GameCheck::collect_download_folder() {
    if (checking_ || window_.map_to_check().empty()) return;
    auto* dialogs = window_.services().dialogs;
    const auto folder = dialogs->choose_folder(QStringLiteral("Collect Download Folder"));
    if (folder.isEmpty()) return;
    const auto shown = window_.shown_list();
    std::vector<game::ReportRow> rows;
    auto checked = resolve(shown, scanned, rows);
    if (!checked) return;
    checked->res_lines = shown; // the .res as "Make Res" writes it
    const auto into = analysis::to_path(to_utf8(folder));
    const auto replace = [&](const std::string& file) {
        const auto question = native(into / analysis::to_path(file)) +
                              QStringLiteral(" already exists and differs. Replace it?");
        return dialogs->message_box(question, platform::Buttons::yes_no,
                                    controls::skin::message_title()) == platform::Answer::yes;
    };
    const auto result = session_->collect(*checked, {into, replace});
    QString text = QStringLiteral("Copied %1 %2 into %3")
                       .arg(result.copied)
                       .arg(result.copied == 1 ? QStringLiteral("file") : QStringLiteral("files"))
                       .arg(native(into));
    for (const auto& file : result.files)
        if (file.outcome != game::CollectOutcome::copied &&
            file.outcome != game::CollectOutcome::already_there)
            text += QStringLiteral("\n") + QString::fromStdString(game::collected_text(file));
    window_.message(text, result.ok ? controls::skin::message_title() : QStringLiteral("Error03"));
}

QString change_said(const char* done, const std::vector<std::string>& names) {
    if (names.empty()) return QStringLiteral("nothing ") + QLatin1String(done);
    std::vector<std::string> shown;
    for (const auto& name : names)
        shown.push_back(analysis::single_byte_to_utf8(name));
    return QStringLiteral("%1 %2: %3")
        .arg(QLatin1String(done))
        .arg(names.size())
        .arg(QString::fromStdString(game::first_names(shown)));
}

std::vector<std::string> entries_not_in(const std::vector<std::string>& after,
                                        const std::vector<std::string>& before) {
    const std::unordered_set<std::string> old(before.begin(), before.end());
    std::vector<std::string> added;
    std::copy_if(after.begin(), after.end(), std::back_inserter(added),
                 [&](const std::string& entry) { return !old.contains(entry); });
    return added;
}

} // namespace tarnwick::app
