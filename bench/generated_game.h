#pragma once

// A generated game folder of 20,000 files and 100 maps beside it, for the benchmarks that
// resolve maps against a game folder: cstrike/ with models (half of them with a texture
// model and a sound event), sounds, sprites and wads spread over 100 folders each, valve/
// with the stock wad, and maps/ with 100 maps of 40 entries each and a .res beside each
// (half the entries, in other case, and a few extra lines). Each map's entity text names
// its entries, two in a case the scan misses, among 300 lights.

#include "synthetic_map.h"

#include <filesystem>
#include <string>
#include <vector>

namespace tarnwick::testing {

inline constexpr int generated_folder_files = 20000;
inline constexpr int generated_maps = 100;

class GeneratedGame {
public:
    // With `maps` maps beside the game folder.
    explicit GeneratedGame(int maps = generated_maps);

    std::filesystem::path mod() const { return dir_.path() / "cstrike"; }
    struct Map {
        std::string path;
        std::vector<std::string> entries;
    };
    const std::vector<Map>& all_maps() const { return maps_; }

private:
    Map make_map(int m);
    static std::string entity_text(const std::vector<std::string>& entries, int m);

    TempDir dir_;
    std::vector<Map> maps_;
};

// Made once a process.
const GeneratedGame& generated_game();

} // namespace tarnwick::testing
