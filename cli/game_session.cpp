#include "cli/game_session.h"

#include "analysis/file_system.h"
#include "game/collect.h"
#include "game/file_source.h"
#include "game/formats/names.h"
#include "game/report.h"

#include <stdexcept>

namespace tarnwick::cli {
namespace {

namespace fs = std::filesystem;

// The mod folder of a map in <mod>/maps/ (any case).
fs::path mod_of(const std::string& map_path) {
    std::error_code ec;
    const auto folder =
        fs::absolute(analysis::to_path(map_path), ec).lexically_normal().parent_path();
    if (ec || !game::same_name(analysis::utf8_of(folder.filename()), "maps"))
        throw std::runtime_error(
            "no game folder: the map is not in a maps folder (--game names one)");
    return folder.parent_path();
}

} // namespace

GameSession::GameSession(GameOptions options) : options_(std::move(options)) {
    if (options_.stock_list.empty()) return;
    try {
        const game::FileSource list(options_.stock_list);
        stock_ = game::read_stock_list(game::read_small_file(list, 64u << 20));
    } catch (const std::exception& e) {
        throw std::runtime_error("cannot read the stock list " + options_.stock_list + ": " +
                                 e.what());
    }
}

const game::GameFolder& GameSession::folder_for(const std::string& map_path) {
    const auto mod = options_.game.empty() ? mod_of(map_path) : analysis::to_path(options_.game);
    auto& folder = folders_[mod];
    if (!folder) folder = std::make_unique<game::GameFolder>(mod);
    return *folder;
}

std::optional<game::MapResolution> GameSession::resolve(const std::string& map_path,
                                                        const std::vector<std::string>& entries,
                                                        const Report& report) {
    const game::GameFolder* folder = nullptr;
    try {
        folder = &folder_for(map_path);
    } catch (const std::exception& e) {
        report(map_path + ": " + e.what());
        return std::nullopt;
    }
    if (!warned_[folder]) {
        warned_[folder] = true;
        for (const auto& warning : folder->warnings())
            report("game folder: " + warning);
    }
    auto resolution =
        game::Resolver(*folder, stock_).resolve(map_path, entries, options_.choice.follow);
    for (const auto& line : game::text_report(resolution))
        report(line);
    resolved_.push_back(resolution);
    return resolution;
}

bool GameSession::collect(const game::MapResolution& resolution, const std::string& map_path,
                          const std::string& res_bytes, bool overwrite,
                          const Report& report) const {
    const auto& folder =
        *folders_.at(options_.game.empty() ? mod_of(map_path) : analysis::to_path(options_.game));
    const auto result = game::collect(
        folder, resolution,
        {map_path, res_bytes, options_.choice, analysis::to_path(options_.collect), overwrite});
    for (const auto& line : result.lines)
        report("  " + line);
    report(map_path + ": collected " + std::to_string(result.copied) + " files into " +
           options_.collect);
    return result.ok;
}

bool GameSession::write_report(const Report& report) const {
    if (options_.report.empty()) return true;
    const auto json = game::json_report(resolved_);
    try {
        game::replace_whole_file(analysis::to_path(options_.report), game::MemorySource(json));
    } catch (const std::exception& e) {
        report("cannot write the report " + options_.report + ": " + e.what());
        return false;
    }
    return true;
}

std::string stock_list_of(const std::string& mod) {
    const game::GameFolder folder(analysis::to_path(mod));
    std::string list = "# What ships with the game, from " + mod + "\n";
    for (const auto& path : folder.all_paths())
        list += path + "\n";
    return list;
}

} // namespace tarnwick::cli
