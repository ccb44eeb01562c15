#pragma once

// The options of tarnwick-res and their parsing (with CLI11).

#include "game/res_lines.h"
#include "game/rules.h"

#include <optional>
#include <string>
#include <vector>

namespace tarnwick::cli {

// The options that resolve the maps against the game folder.
struct GameOptions {
    std::string game;       // --game: the mod folder; else the folder above the map's maps/
    std::string stock_list; // --stock-list
    std::string report;     // --report: the JSON report's file
    std::string collect;    // --collect: the download folder
    std::string mapcycle;   // --mapcycle: the cycle whose maps stand for the MAP arguments
    std::string fastdl;     // --fastdl: the download site's folder, kept in sync
    bool prune = false;     // --prune: remove what an earlier --fastdl placed for no map given
    bool dry_run = false;   // --dry-run: say what the run would write, write nothing
    bool gzip = false;      // --gzip: NAME.gz beside each file --fastdl places
    bool wait = false;      // --wait: for another run that is syncing the same folder
    bool probe = false;     // --probe: ask the download site for every file
    std::string probe_url;  // its URL; empty: the sv_downloadurl of the server's server.cfg
    bool check = false;
    bool audit = false;                       // implies check and following
    bool addon = false;                       // --addon: <mod>_addon is searched first
    game::WriteChoice choice;                 // --follow, --fix-case, --skip-missing, --skip-stock
    game::BaseCounts base_counts;             // --base-counts as numbers
    std::string base_listing;                 // --base-counts as a file of the server's listings
    std::string base_map;                     // --base-map
    game::Engine engine = game::Engine::hlds; // --engine
    std::string extra;                        // --extra: files sent with every map, one a line

    bool operator==(const GameOptions&) const = default;

    // True when any of them is given: without them the game folder is never looked at.
    bool any() const;
};

struct Options {
    bool only_custom = false;
    bool overwrite = false;
    bool fresh = false; // --fresh: a .res replaced takes none of the old one's words
    bool to_stdout = false;
    bool recursive = false;
    bool verbose = false; // --verbose: also name what was not checked
    std::vector<std::string> maps;
    GameOptions game;
    std::string make_stock_list; // --make-stock-list: the mod folder to list

    // A mode that only reads: whatever else is given, nothing is written but the report.
    bool reading() const {
        return game.check || game.audit || game.probe || !make_stock_list.empty();
    }
    // Nothing is written but the report: what would be written is said instead.
    bool writes_nothing() const { return reading() || game.dry_run; }
    // The .res beside each map is the run's own work only when no other mode is given: the
    // download site is made from the .res files that are there.
    bool puts_res() const { return !reading() && game.fastdl.empty(); }
};

// Reads the command line (the program's name first) into `options`. Returns the exit
// status when the program has nothing more to do: 0 after --help or --version, 2 after a
// usage error, whose message has gone to standard error.
std::optional<int> parse_options(const std::vector<std::string>& arguments, Options& options);

} // namespace tarnwick::cli
