#include "app/game_check.h"

#include "analysis/file_system.h"
#include "analysis/resource_list.h"
#include "app/form1.h"
#include "app/report_rows.h"
#include "app/report_window.h"
#include "app/resource_text.h"
#include "controls/eltexto.h"
#include "controls/skin.h"
#include "game/session.h"
#include "game/steam.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QListWidget>

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

GameCheck::GameCheck(Form1& form) : form_(form) {}

GameCheck::~GameCheck() = default;

// The folder above the map's maps folder; else Counter-Strike where Steam keeps it; else
// the folder the user chose, asked once a window.
std::optional<fs::path> GameCheck::mod_folder(const std::string& map_path) {
    if (auto mod = game::mod_folder_of(map_path)) return mod;
    const auto& services = form_.services_;
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
    if (!form_.can_check()) return std::nullopt;
    const auto map_path = to_utf8(form_.Text1->Text());
    const auto mod = mod_folder(map_path);
    if (!mod) return std::nullopt;
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
                            const QString& summary) {
    if (!report_) {
        report_ = std::make_unique<ReportWindow>(&form_, form_.services_.cursor_pos);
        report_->on_entry_chosen = [this](const std::string& entry) { form_.select_entry(entry); };
    }
    const auto note =
        checked_mod_ ? QStringLiteral("game folder: ") + native(*checked_mod_) : QString();
    report_->show_report(title, std::move(rows), summary, note);
}

void GameCheck::check_game_folder() {
    std::vector<game::ReportRow> rows;
    const auto checked = resolve(form_.List2.entries(), followed, rows);
    if (!checked) return;
    statuses_.clear();
    for (const auto& outcome : checked->resolution.entries)
        if (!outcome.followed) statuses_.emplace(outcome.entry, outcome.status);
    colour_shown_list();
    const auto& r = checked->resolution;
    using game::Status;
    const auto summary = QStringLiteral("%1 found, %2 case, %3 missing, %4 stock, %5 unused "
                                        "wads, %6 missing textures")
                             .arg(r.count(Status::found))
                             .arg(r.count(Status::case_mismatch))
                             .arg(r.count(Status::missing))
                             .arg(r.count(Status::stock))
                             .arg(r.unused_wads.size())
                             .arg(r.missing_textures.size());
    show_report(check_title, std::move(rows), summary);
}

void GameCheck::colour_shown_list() {
    auto* list = form_.List1;
    for (int i = 0; i < list->count(); ++i) {
        auto* item = list->item(i);
        const auto entry = to_resource(item->text());
        const auto status = entry ? statuses_.find(*entry) : statuses_.end();
        if (status != statuses_.end()) item->setForeground(status_colour(status->second));
    }
}

void GameCheck::complete_list() {
    std::vector<game::ReportRow> rows;
    if (const auto checked = resolve(form_.List2.entries(), followed, rows))
        replace_full_list(checked->res_lines);
}

void GameCheck::leave_out_stock_and_missing() {
    std::vector<game::ReportRow> rows;
    const game::WriteChoice found_only{.skip_missing = true, .skip_stock = true};
    if (const auto checked = resolve(form_.List2.entries(), found_only, rows))
        replace_full_list(checked->res_lines);
}

// Each entry the disk spells in another case takes the disk's spelling; one that is then
// the same as another entry goes.
void GameCheck::use_disk_spelling() {
    std::vector<game::ReportRow> rows;
    const auto checked = resolve(form_.List2.entries(), scanned, rows);
    if (!checked) return;
    auto list = form_.List2;
    for (const auto& outcome : checked->resolution.entries) {
        if (outcome.status != game::Status::case_mismatch) continue;
        const auto i = list.find(outcome.entry);
        if (i < 0) continue;
        if (list.contains(outcome.spelled))
            list.remove(i);
        else
            list.replace(i, outcome.spelled);
    }
    replace_full_list(list.entries());
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
    form_.List2 = std::move(list);
    auto& commands = form_.commands_;
    commands.entries = commands.list_active = !form_.List2.empty();
    commands.selected = commands.editable = false;
    form_.show_commands();
    form_.refresh_shown_list();
    if (full) form_.message(QStringLiteral("The List Is Full"), controls::skin::message_title());
}

void GameCheck::compare_with_res() {
    std::vector<game::ReportRow> rows;
    const auto checked = resolve(form_.List2.entries(), followed, rows);
    if (!checked) return;
    // The game folder's warnings stay; the check's own rows are not the comparison's.
    std::erase_if(rows, [](const auto& row) { return row.kind != game::RowKind::folder_warning; });
    for (auto& row : game::audit_rows(session_->audit(*checked)))
        rows.push_back(std::move(row));
    show_report(QStringLiteral("Compare With the Existing .res"), std::move(rows));
}

void GameCheck::collect_download_folder() {
    if (!form_.can_check()) return;
    auto* dialogs = form_.services_.dialogs;
    const auto folder = dialogs->choose_folder(QStringLiteral("Collect Download Folder"));
    if (folder.isEmpty()) return;
    const auto shown = form_.shown_resources();
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
    form_.message(text, result.ok ? controls::skin::message_title() : QStringLiteral("Error03"));
}

} // namespace tarnwick::app
