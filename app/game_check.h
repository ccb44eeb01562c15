#pragma once

// The main window's check of the map against the game folder, and what follows from it:
// the shown entries coloured by what the game folder holds, the report window, the list
// completed with what the found files need, the disk's spelling, the stock and missing
// entries left out, the existing .res compared, and the download folder collected. It
// keeps what a check leaves behind (the session with each game folder's listing, the
// folder the user chose, the statuses of the last check) and works on the window that
// owns it. The resolving itself is the game library's, as for the command line.

#include "game/engine.h"
#include "game/report.h"
#include "game/res_lines.h"
#include "game/resolution.h"

#include <QString>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace tarnwick::game {
class Session;
struct CheckedMap;
} // namespace tarnwick::game

namespace tarnwick::app {

class Form1;
class ReportWindow;

class GameCheck {
public:
    explicit GameCheck(Form1& form);
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
    // The colours of the last check are stale: the list or the filter changed.
    void forget_statuses() { statuses_.clear(); }
    // The report of the last check or comparison; nullptr before the first.
    ReportWindow* report_window() const { return report_.get(); }

private:
    std::optional<std::filesystem::path> mod_folder(const std::string& map_path);
    std::optional<game::CheckedMap> resolve(const std::vector<std::string>& entries,
                                            const game::WriteChoice& choice,
                                            std::vector<game::ReportRow>& rows);
    void show_report(const QString& title, std::vector<game::ReportRow> rows,
                     const QString& summary = {});
    void colour_shown_list();
    void replace_full_list(const std::vector<std::string>& entries);

    Form1& form_;
    bool checking_ = false;
    std::unique_ptr<game::Session> session_; // keeps each game folder's listing
    game::Engine engine_ = game::Engine::hlds;
    std::optional<std::filesystem::path> chosen_mod_;
    std::optional<std::filesystem::path> checked_mod_; // the folder of the last check
    // The status of each entry of the last check; emptied whenever the list changes.
    std::unordered_map<std::string, game::Status> statuses_;
    std::unique_ptr<ReportWindow> report_;
};

} // namespace tarnwick::app
