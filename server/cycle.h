#pragma once

// The maps a server's cycle runs, each looked up as the server looks it up: maps/NAME.bsp
// through the game folder's search path, packs included.

#include "game/game_folder.h"

#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::server {

struct CycleMap {
    std::string name;     // as the cycle names it, single-byte
    std::string path;     // the map on the disk (UTF-8); empty when skipped or in a pack
    std::size_t line = 0; // where the cycle names it first
    bool skipped = false; // not a map the server has: it skips it
    bool in_pack = false; // inside a pack file: it ships with the game
};

struct Cycle {
    std::vector<CycleMap> maps; // each map once, in the order of the cycle
    // The reading's warnings, the names skipped and a cycle that names no map (the server
    // stays on its default map), for people.
    std::vector<std::string> lines;
};

// The cycle in `text`, looked up in `game`; `file` names it in the lines.
Cycle read_cycle(const game::GameFolder& game, std::string_view text, const std::string& file);

} // namespace tarnwick::server
