#pragma once

// A map's download folder: the map, its .res and every file the .res lists that is found
// in the game folder and does not ship with the game, laid out as the game lays them out
// and spelled as the .res spells them.

#include "game/game_folder.h"
#include "game/resolver.h"

#include <filesystem>
#include <string>
#include <vector>

namespace tarnwick::game {

struct CollectResult {
    std::vector<std::string> lines; // what was copied, kept or failed, each a line for people
    std::size_t copied = 0;
    bool ok = true; // false when a file could not be copied, or a different one was in the way
};

struct CollectRequest {
    std::string map_path;  // the map on the disk (UTF-8)
    std::string res_bytes; // the .res as this run made it
    WriteChoice choice;    // what the .res holds
    std::filesystem::path into;
    bool overwrite = false; // replace a different file that is in the way
};

CollectResult collect(const GameFolder& game, const MapResolution& resolution,
                      const CollectRequest& request);

} // namespace tarnwick::game
