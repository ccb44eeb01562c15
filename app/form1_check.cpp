// The main window's check of the map against the game folder, and what follows from it:
// the shown entries coloured by what the game folder holds, the report window, the list
// completed with what the found files need, the disk's spelling, the stock and missing
// entries left out, the existing .res compared, and the download folder collected. The
// resolving itself is the game library's, as for the command line.

#include "analysis/file_system.h"
#include "analysis/resource_list.h"
#include "app/form1.h"
#include "app/report_window.h"
#include "app/resource_text.h"
#include "controls/elpanel.h"
#include "controls/eltexto.h"
#include "controls/skinned_menu.h"
#include "game/session.h"
#include "game/steam.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QListWidget>

namespace tarnwick::app {
namespace {

namespace fs = std::filesystem;

const QString application_title = QStringLiteral("Druvo Cs 1.6 Tarnwick 1.5");
const QString folder_question =
    QStringLiteral("Choose the mod folder, for example \u2026\\Half-Life\\cstrike");

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

const std::vector<QString>& Form1::menu_texts() {
    static const std::vector<QString> texts = {
        QStringLiteral("Check Game Folder"),
        QStringLiteral("Complete the List"),
        QStringLiteral("Use the Disk's Spelling"),
        QStringLiteral("Leave Out Stock and Missing"),
        QStringLiteral("Compare With the Existing .res"),
        QStringLiteral("Collect Download Folder..."),
    };
    return texts;
}

// A map analysed, and neither a scan nor a check running.
bool Form1::can_check() const {
    return !scanning_ && !checking_ && !current_map_name_.empty() && !Text1->Text().isEmpty();
}

void Form1::show_menu(QPoint global) {
    if (!menu_) {
        menu_ = std::make_unique<controls::SkinnedMenu>(this);
        menu_->setWindowTitle(QStringLiteral("Cs 1.6 Tarnwick 1.5 Menu"));
        menu_->on_chosen = [this](int item) { choose_menu_item(item); };
    }
    std::vector<controls::MenuItem> items;
    for (const auto& text : menu_texts())
        items.push_back({text, items.empty() ? QStringLiteral("F5") : QString(), can_check()});
    menu_->set_items(std::move(items));
    menu_->popup(global);
}

void Form1::choose_menu_item(int item) {
    using Operation = void (Form1::*)();
    static constexpr Operation operations[] = {
        &Form1::check_game_folder, &Form1::complete_list,
        &Form1::use_disk_spelling, &Form1::leave_out_stock_and_missing,
        &Form1::compare_with_res,  &Form1::collect_download_folder,
    };
    if (item >= 0 && item < static_cast<int>(std::size(operations))) (this->*operations[item])();
}

// The folder above the map's maps folder; else Counter-Strike where Steam keeps it; else
// the folder the user chose, asked once a window.
std::optional<fs::path> Form1::mod_folder(const std::string& map_path) {
    if (auto mod = game::mod_folder_of(map_path)) return mod;
    if (services_.steam_roots)
        if (auto mod = game::find_steam_mod(services_.steam_roots(), steam_mod)) return mod;
    if (!chosen_mod_) {
        const auto chosen = services_.dialogs->choose_folder(folder_question);
        if (chosen.isEmpty()) return std::nullopt;
        chosen_mod_ = analysis::to_path(to_utf8(chosen));
    }
    return chosen_mod_;
}

// Resolves `entries` of the map shown; nothing when no folder was chosen or the check
// failed, with why in the report window.
std::optional<game::CheckedMap> Form1::resolve(const std::vector<std::string>& entries,
                                               const game::WriteChoice& choice,
                                               std::vector<std::string>& lines) {
    if (!can_check()) return std::nullopt;
    const auto map_path = to_utf8(Text1->Text());
    const auto mod = mod_folder(map_path);
    if (!mod) return std::nullopt;
    if (!session_) session_ = std::make_unique<game::Session>(game::SessionSettings{});
    checking_ = true;
    const Busy busy;
    lines.push_back("game folder: " + to_utf8(native(*mod)));
    auto resolved = session_->resolve_in(*mod, choice, map_path, entries);
    for (auto& line : game::report_text(resolved.rows))
        lines.push_back(std::move(line));
    auto& checked = resolved.map;
    checking_ = false;
    if (!checked) show_report(QStringLiteral("Check Game Folder"), lines);
    return checked;
}

void Form1::show_report(const QString& title, const std::vector<std::string>& lines,
                        const QString& summary) {
    if (!report_) report_ = std::make_unique<ReportWindow>(this, services_.cursor_pos);
    report_->show_report(title, lines, summary);
}

void Form1::check_game_folder() {
    std::vector<std::string> lines;
    const auto checked = resolve(List2.entries(), followed, lines);
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
    show_report(QStringLiteral("Check Game Folder"), lines, summary);
}

void Form1::colour_shown_list() {
    for (int i = 0; i < List1->count(); ++i) {
        auto* item = List1->item(i);
        const auto entry = to_resource(item->text());
        const auto status = entry ? statuses_.find(*entry) : statuses_.end();
        if (status != statuses_.end()) item->setForeground(status_colour(status->second));
    }
}

void Form1::complete_list() {
    std::vector<std::string> lines;
    if (const auto checked = resolve(List2.entries(), followed, lines))
        replace_full_list(checked->res_lines);
}

void Form1::leave_out_stock_and_missing() {
    std::vector<std::string> lines;
    const game::WriteChoice found_only{.skip_missing = true, .skip_stock = true};
    if (const auto checked = resolve(List2.entries(), found_only, lines))
        replace_full_list(checked->res_lines);
}

// Each entry the disk spells in another case takes the disk's spelling; one that is then
// the same as another entry goes.
void Form1::use_disk_spelling() {
    std::vector<std::string> lines;
    const auto checked = resolve(List2.entries(), scanned, lines);
    if (!checked) return;
    auto list = List2;
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
void Form1::replace_full_list(const std::vector<std::string>& entries) {
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
    List2 = std::move(list);
    commands_.entries = commands_.list_active = !List2.empty();
    commands_.selected = commands_.editable = false;
    show_commands();
    refresh_shown_list();
    if (full) message(QStringLiteral("The List Is Full"), application_title);
}

void Form1::compare_with_res() {
    std::vector<std::string> lines;
    const auto checked = resolve(List2.entries(), followed, lines);
    if (!checked) return;
    lines.resize(1); // the game folder; the check's own lines are not the comparison's
    for (auto& line : game::audit_report(session_->audit(*checked)))
        lines.push_back(std::move(line));
    show_report(QStringLiteral("Compare With the Existing .res"), lines);
}

void Form1::collect_download_folder() {
    if (!can_check()) return;
    const auto folder = services_.dialogs->choose_folder(QStringLiteral("Collect Download Folder"));
    if (folder.isEmpty()) return;
    const auto shown = shown_resources();
    std::vector<std::string> lines;
    auto checked = resolve(shown, scanned, lines);
    if (!checked) return;
    checked->res_lines = shown; // the .res as "Make Res" writes it
    const auto into = analysis::to_path(to_utf8(folder));
    const auto replace = [&](const std::string& file) {
        const auto question = native(into / analysis::to_path(file)) +
                              QStringLiteral(" already exists and differs. Replace it?");
        return services_.dialogs->message_box(question, platform::Buttons::yes_no,
                                              application_title) == platform::Answer::yes;
    };
    const auto result = session_->collect(*checked, {into, replace});
    QString text = QStringLiteral("Copied %1 %2 into %3")
                       .arg(result.copied)
                       .arg(result.copied == 1 ? QStringLiteral("file") : QStringLiteral("files"))
                       .arg(native(into));
    for (const auto& file : result.files)
        if (file.outcome == game::CollectOutcome::failed ||
            file.outcome == game::CollectOutcome::kept)
            text += QStringLiteral("\n") + QString::fromStdString(game::collected_text(file));
    message(text, result.ok ? application_title : QStringLiteral("Error03"));
}

} // namespace tarnwick::app
