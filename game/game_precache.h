#pragma once

// What the Counter-Strike game code precaches by itself at every map start, before anything
// of the map: its list (game/data/cstrike-precache.txt) is built into the program.

#include "game/engine.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::game {

// The entries of the stock decals.wad, each of which the engine lists as a decal.
inline constexpr std::size_t stock_decals = 225;

struct GameShare {
    // The names of each table as the game precaches them (sounds without "sound/"); the
    // decals are not named.
    std::array<std::vector<std::string>, table_count> names;
    std::size_t decals = stock_decals;
    std::size_t count(Table table) const {
        return table == Table::decal ? decals : names[static_cast<std::size_t>(table)].size();
    }
};

// True for the mods whose game code precaches the built-in list: cstrike and czero.
bool has_game_share(std::string_view mod);

// The game's share in the mod folder named `mod` (cstrike or czero, in any case), with what
// it adds on a map with hostage entities; nothing for any other mod.
std::optional<GameShare> game_share(std::string_view mod, bool hostages);

// True when `relative` (as a .res or a map names it: "sound/…" for a sound) is a file the
// game precaches in any folder or on any map.
bool game_precaches(std::string_view relative);

} // namespace tarnwick::game
