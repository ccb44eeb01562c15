#pragma once

// What a map's entries are in the game folder: found, found with other case, missing,
// shipped with the game, or unsafe to look up; and, when asked, what the found files need
// in turn (a model's texture model, sequence groups and sounds; the map's detail textures
// and overviews), and which of the map's textures no texture package holds.

#include "game/entity_references.h"
#include "game/formats/bsp.h"
#include "game/formats/names.h"
#include "game/game_folder.h"
#include "game/resolution.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::game {

// True when the game's own files are Counter-Strike's: the mod or a fallback is cstrike or
// czero, whose game code precaches a known share.
bool counter_strike_game(const GameFolder& game);
// What a clean game ships whatever the folders hold: the stock texture packages and the
// interface's, the players' spray packages, and (`counter_strike`) what its game code
// precaches. Such a file in the mod folder is still the game's.
bool known_to_ship(std::string_view entry, bool counter_strike);

class Resolver {
public:
    // With `unchecked`, what the folders that are there do not hold is `unchecked` rather
    // than `missing` when a fallback folder is not there and no stock list is given; never
    // a texture package, which a clean game ships only among the ones known here.
    Resolver(const GameFolder& game, NameSet stock_list, bool unchecked = false);

    // `map_path` is the map on the disk (UTF-8), `entries` its scan's entries.
    MapResolution resolve(const std::string& map_path, const std::vector<std::string>& entries,
                          bool follow) const;
    Outcome look_up(const std::string& entry, From from) const;

private:
    bool is_stock(std::string_view entry) const;
    // A fallback folder is not there and no stock list tells what it would hold.
    bool unchecked() const;
    void follow_entries(const BspMap& map, const std::string& map_path,
                        MapResolution& resolution) const;
    void check_textures(const BspMap& map, MapResolution& resolution) const;

    const GameFolder& game_;
    NameSet stock_;
    bool unchecked_ = false;
    bool counter_strike_ = false; // the mod or a fallback is cstrike or czero
};

} // namespace tarnwick::game
