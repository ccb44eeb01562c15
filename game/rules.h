#pragma once

// What the game's clients and server refuse or limit, checked on a map's resolved entries:
// names (length, characters, dots), texture packages out of the engine's reach, and the
// map's counts against the engine's limits.

#include "game/game_folder.h"
#include "game/resolver.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::game {

inline constexpr std::size_t max_resource_name = 63;
inline constexpr std::size_t max_models = 512;
inline constexpr std::size_t max_sounds = 512;
inline constexpr std::size_t max_res_lines = 512;

// The reasons a name breaks the rules of resource names (those of what is sent included),
// each a warning.
std::vector<std::string> name_warnings(std::string_view entry);

// Where a texture package that is missing at the top of every search folder lies deeper
// in one, and where it must go; empty when it is nowhere in the game folder.
std::string deep_wad_warning(const GameFolder& game, std::string_view wad);

// Adds the warnings of the rules to each entry of `resolution` (what the clients' download
// filter refuses to the entries that are sent: found, case or missing), and its counts of models
// (with `brush_models`, the map's model lump) and sounds against the engine's limits.
void apply_rules(const GameFolder& game, MapResolution& resolution, std::size_t brush_models);

// Adds the count of the .res's lines (the two map lines included) against the server's limit.
void count_res_lines(MapResolution& resolution, std::size_t lines);

} // namespace tarnwick::game
