#include "game/session.h"

#include "analysis/file_system.h"
#include "analysis/module1.h"
#include "game/file_source.h"
#include "game/formats/names.h"
#include "game/report.h"
#include "game/rules.h"

#include <stdexcept>

namespace tarnwick::game {
namespace {

namespace fs = std::filesystem;

// The mod folder of a map in <mod>/maps/ (any case).
fs::path mod_of(const std::string& map_path) {
    std::error_code ec;
    const auto folder =
        fs::absolute(analysis::to_path(map_path), ec).lexically_normal().parent_path();
    if (ec || !same_name(analysis::utf8_of(folder.filename()), "maps"))
        throw std::runtime_error(
            "no game folder: the map is not in a maps folder (--game names one)");
    return folder.parent_path();
}

NameSet read_stock_list_file(const std::string& path) {
    if (path.empty()) return {};
    try {
        return read_stock_list(read_small_file(FileSource(path), 64u << 20));
    } catch (const std::exception& e) {
        throw std::runtime_error("cannot read the stock list " + path + ": " + e.what());
    }
}

} // namespace

Session::Session(SessionSettings settings)
    : settings_(std::move(settings)), stock_(read_stock_list_file(settings_.stock_list)) {}

fs::path Session::mod_for(const std::string& map_path) const {
    return settings_.game.empty() ? mod_of(map_path) : analysis::to_path(settings_.game);
}

const GameFolder& Session::folder_for(const std::string& map_path) {
    const auto mod = mod_for(map_path);
    auto& folder = folders_[mod];
    if (!folder) folder = std::make_unique<GameFolder>(mod, settings_.addon);
    return *folder;
}

std::optional<CheckedMap> Session::resolve(const std::string& map_path,
                                           const std::vector<std::string>& entries,
                                           const Report& report) {
    const GameFolder* folder = nullptr;
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
    CheckedMap map{Resolver(*folder, stock_).resolve(map_path, entries, settings_.choice.follow),
                   {}};
    map.res_lines = res_entries(map.resolution, settings_.choice);
    // The two lines of the map, then the lines chosen.
    count_limits(map.resolution, 2 + map.res_lines.size(), settings_.base_counts);
    for (const auto& line : text_report(map.resolution))
        report(line);
    resolved_.push_back(map.resolution);
    return map;
}

bool Session::audit(const CheckedMap& map, const Report& report) {
    const Resolver resolver(folder_for(map.resolution.map), stock_);
    const auto& audit = audits_.emplace_back(audit_map(resolver, map.resolution));
    for (const auto& line : audit_report(audit))
        report(line);
    return !audit.failed();
}

CollectResult Session::collect(const CheckedMap& map, const fs::path& into, bool overwrite) const {
    const auto& path = map.resolution.map;
    const auto& folder = *folders_.at(mod_for(path));
    const auto res = analysis::format_res_file(map.res_lines, analysis::file_name_of(path));
    return game::collect(folder, map.resolution, {path, res, settings_.choice, into, overwrite});
}

std::string Session::json() const {
    return json_report(resolved_, audits_);
}

std::string stock_list_of(const std::string& mod) {
    const GameFolder folder(analysis::to_path(mod));
    std::string list = "# What ships with the game, from " + mod + "\n";
    for (const auto& path : folder.all_paths())
        list += path + "\n";
    return list;
}

} // namespace tarnwick::game
