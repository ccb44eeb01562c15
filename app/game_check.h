#pragma once

// The main window's check of the map against the game folder, and what follows from it:
// the shown entries coloured by what the game folder holds, the report window, the list
// completed with what the found files need, the disk's spelling, the stock and missing
// entries left out, the existing .res compared, and the download folder collected. It
// keeps what a check leaves behind (the session with each game folder's listing, the
// folder the user chose) and works on the window through CheckedWindow alone. The
// statuses, counts and rows are the game library's, from the same calls as the command
// line's --check --follow and --audit.

#include "analysis/resource_list.h"
#include "game/engine.h"
#include "game/report.h"
#include "game/res_lines.h"
#include "platform/services.h"

#include <QColor>
#include <QRect>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace tarnwick::game {
class Session;
struct CheckedMap;
} // namespace tarnwick::game

namespace tarnwick::app {

class ReportWindow;

// What the check needs of the window it works for.
class CheckedWindow {
public:
    // The window the report stands beside, and the part of it (in its coordinates) that
    // holds no button, which the report may cover on a narrow screen.
    virtual QWidget& owner() = 0;
    virtual QRect coverable() const = 0;
    virtual const platform::Services& services() const = 0;
    // The path of the map analysed last (UTF-8); empty while none is, or a scan runs.
    virtual std::string map_to_check() const = 0;
    virtual const analysis::ResourceList& full_list() const = 0;
    // The shown list's entries, as "Make Res" writes them.
    virtual std::vector<std::string> shown_list() const = 0;
    // The full list becomes `list`, and the shown list is rebuilt from it.
    virtual void take_full_list(analysis::ResourceList list) = 0;
    // Each shown entry takes the colour `colour_of` gives it; none keeps the list's own.
    using ColourOf = std::function<std::optional<QColor>(const std::string& entry)>;
    virtual void colour_shown(const ColourOf& colour_of) = 0;
    // Selects the shown entry `entry`; nothing when it is not shown.
    virtual void select_entry(const std::string& entry) = 0;
    virtual void message(const QString& text, const QString& title) = 0;

protected:
    ~CheckedWindow() = default;
};

class GameCheck {
public:
    explicit GameCheck(CheckedWindow& window);
    ~GameCheck();
    GameCheck(const GameCheck&) = delete;
    GameCheck& operator=(const GameCheck&) = delete;

    void check_game_folder();
    void complete_list();
    void use_disk_spelling();
    void leave_out_stock_and_missing();
    void compare_with_res();
    void collect_download_folder();

    // The server engine whose limits the checks count, kept for the window's next checks.
    game::Engine engine() const { return engine_; }
    void switch_engine();

    // A check is running: the window takes no other.
    bool checking() const { return checking_; }
    // The report of the last check or comparison; nullptr before the first.
    ReportWindow* report_window() const { return report_.get(); }

private:
    std::optional<std::filesystem::path> mod_folder(const std::string& map_path);
    std::optional<game::CheckedMap> resolve(const std::vector<std::string>& entries,
                                            const game::WriteChoice& choice,
                                            std::vector<game::ReportRow>& rows);
    void show_check(const QString& title, const game::CheckedMap& checked,
                    std::vector<game::ReportRow> rows, const QString& change = {});
    void check_changed_list(const QString& title, const QString& change);
    void show_report(const QString& title, std::vector<game::ReportRow> rows,
                     const QString& summary = {}, const QString& change = {});
    void replace_full_list(const std::vector<std::string>& entries);

    CheckedWindow& window_;
    bool checking_ = false;
    std::unique_ptr<game::Session> session_; // keeps each game folder's listing
    game::Engine engine_ = game::Engine::hlds;
    std::optional<std::filesystem::path> chosen_mod_;
    std::optional<std::filesystem::path> checked_mod_; // the folder of the last check
    std::unique_ptr<ReportWindow> report_;
};

// What a change of the list did, as the report says it: "added 2: a, b", "left out 5: …",
// "nothing added". `names` are single-byte entries.
QString change_said(const char* done, const std::vector<std::string>& names);
// The entries of `after` that `before` does not hold, in the order of `after`.
std::vector<std::string> entries_not_in(const std::vector<std::string>& after,
                                        const std::vector<std::string>& before);

} // namespace tarnwick::app
