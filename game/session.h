#pragma once

// One map's check against the game folder from start to end, for both front ends: resolve
// the entries, audit the .res beside the map, choose the .res's lines once (that one list
// is counted, written and collected), collect the download folder, and the JSON report of
// every map checked. Neither front end's types appear here.

#include "game/audit.h"
#include "game/collect.h"
#include "game/game_folder.h"
#include "game/old_res.h"
#include "game/report.h"
#include "game/res_lines.h"
#include "game/resolution.h"
#include "game/resolver.h"
#include "game/rules.h"

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tarnwick::game {

// What a check does with the .res beside the map, which the .res it writes replaces.
enum class OldResUse {
    ignore,
    report, // its words that the new list lacks are told apart, the new list written alone
    carry,  // those that name a file clients may download are carried into the new list
};

struct SessionSettings {
    std::string game;       // the mod folder; empty: the folder above the map's maps folder
    std::string stock_list; // a file of what ships with the game; empty: none
    WriteChoice choice;     // what the .res holds
    BaseCounts base_counts; // what the game and the plugins precache, as numbers given
    bool addon = false;     // <mod>_addon is searched first, as the game's --addon has it
    // Without a fallback folder, what the folders there lack is unchecked, not missing: a
    // server's copy often lacks valve/, and both front ends must say so alike.
    bool unchecked_without_fallback = true;
    Engine engine = Engine::hlds; // the server's engine, whose limits are counted
    // A file of what a running ReHLDS printed (rescount, reslist): the base instead of
    // `base_counts`; empty: none. `base_map` is the map it was taken on; empty: the one the
    // listing names.
    std::string base_listing;
    std::string base_map;
    OldResUse old_res = OldResUse::ignore;
    // Files the server sends with every map: added to each .res after the map's own list.
    std::vector<std::string> extra = {};
    // The game's share of the counts is said once a session (a run of the command line),
    // not in every map's report; a window's reports each stand alone.
    bool game_share_once = true;
};

// A map resolved, with the lines its .res holds (the map's two lines not among them).
struct CheckedMap {
    MapResolution resolution;
    std::vector<std::string> res_lines;
    std::filesystem::path mod;  // the mod folder it was resolved in
    WriteChoice choice;         // what its .res holds
    OldRes old;                 // the .res beside it, when the settings look at it
    std::vector<Outcome> extra; // the settings' extra files, looked up in its game folder
    std::size_t report_index;   // its place among the maps of the session's JSON report
};

// What a check found: the map resolved, or nothing when the game folder cannot be found or
// listed; and the report's rows: the game folder's warnings the first time the session
// lists it (or why it cannot), then the map's.
struct Resolved {
    std::optional<CheckedMap> map;
    std::vector<ReportRow> rows;
};

class Session {
public:
    // Throws std::runtime_error when the stock list cannot be read.
    explicit Session(SessionSettings settings);

    // Resolves the entries of the map at `map_path` in the game folder the settings name,
    // else the one above the map's maps folder.
    Resolved resolve(const std::string& map_path, const std::vector<std::string>& entries);
    // The same in the mod folder `mod` with `choice`, whichever the settings name. A folder
    // is listed once a session: the next map checked in it takes the same listing.
    Resolved resolve_in(const std::filesystem::path& mod, const WriteChoice& choice,
                        const std::string& map_path, const std::vector<std::string>& entries);
    // Compares the .res beside the map with the resolution.
    Audit audit(const CheckedMap& map);
    // Copies the map's download folder into `target.into`: the map, its .res as
    // `map.res_lines` make it, and every listed file found that does not ship with the game.
    CollectResult collect(const CheckedMap& map, CollectTarget target) const;
    // The JSON report of every map resolved, with their audits when any were made, and the
    // extra files once.
    std::string json() const;
    nlohmann::ordered_json json_document() const;

    const SessionSettings& settings() const { return settings_; }
    // The game folder a map was resolved in.
    const GameFolder& game_folder(const CheckedMap& map) const { return *folders_.at(map.mod); }
    // The game folder of `mod`, listed once a session. Throws std::runtime_error when `mod`
    // is not a folder.
    const GameFolder& game_folder(const std::filesystem::path& mod) { return folder(mod); }
    // What the stock list says ships with the game.
    const NameSet& stock() const { return stock_; }

private:
    const GameFolder& folder(const std::filesystem::path& mod);
    void add_extra(const Resolver& resolver, CheckedMap& map) const;
    // What the listing gives in `mod`, less the map it was taken on; nothing without one.
    const BaseCounts* base(const std::filesystem::path& mod, std::vector<ReportRow>& rows);
    MapResolution resolve_base_map(const GameFolder& game, const std::string& path) const;
    void add_map_rows(const MapResolution& resolution, std::vector<ReportRow>& rows);

    SessionSettings settings_;
    NameSet stock_;
    std::map<std::filesystem::path, std::unique_ptr<GameFolder>> folders_;
    std::map<const GameFolder*, bool> warned_;
    std::vector<MapResolution> resolved_;
    std::vector<Audit> audits_;  // one a map resolved, when audited
    std::vector<OldRes> olds_;   // one a map resolved, when the settings look at the old .res
    std::vector<Outcome> extra_; // the settings' extra files, as the first map's folder has them
    std::optional<BaseCounts> listing_; // the base file's, as listed
    std::map<std::filesystem::path, BaseCounts> bases_;
    bool game_share_said_ = false;
};

// A stock list: one relative path a line, '#' starts a comment.
NameSet read_stock_list(std::string_view text);

// The folder above the map's maps folder (in any case); nothing when the map is not in one.
std::optional<std::filesystem::path> mod_folder_of(const std::string& map_path);

// The sorted list of what a clean installation's mod folder and its fallback folder hold.
// Throws std::runtime_error when `mod` is not a folder.
std::string stock_list_of(const std::string& mod);

} // namespace tarnwick::game
