// Writes a generated map of a given size, for the end-to-end test and the benchmarks:
//   tarnwick-make-map [--bsp] SIZE_IN_MB PATH [SEED]
// --bsp makes a map shaped like a compiled one (bsp_shaped_map); without it the map is
// realistic entity text followed by random bytes (realistic_map).
//   tarnwick-make-map --game FOLDER
// makes a small game folder instead: FOLDER/cstrike with maps/de_e2e.bsp and some of what
// it needs, one file in another case, one missing, one unsafe, one the server would split,
// and a model that needs more files.

#include "bsp_shaped_map.h"
#include "synthetic_game.h"
#include "synthetic_map.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

namespace {

int make_game(const std::filesystem::path& folder) {
    using namespace tarnwick::testing;
    const auto mod = folder / "cstrike";
    put_file(
        mod, "maps/de_e2e.bsp",
        map_with_textures(R"({"classname" "worldspawn" "wad" "\cs\halflife.wad;\cs\e2e.wad"})"
                          R"({"classname" "cycler" "model" "models/e2e/guard.mdl"})"
                          R"({"classname" "ambient_generic" "message" "sound/e2e/Drip.wav"})"
                          R"({"classname" "ambient_generic" "message" "sound/e2e/gone.wav"})"
                          R"({"classname" "ambient_generic" "message" "sound/e2e/../up.wav"})"
                          R"({"classname" "ambient_generic" "message" "sound/e2e/far away.wav"})",
                          {{"wall", false}}));
    put_file(mod, "e2e.wad", wad_bytes({"wall"}));
    put_file(mod, "models/e2e/guard.mdl",
             studio_model_bytes({false, {}, {{5004, "e2e/step.wav"}}}));
    put_file(mod, "models/e2e/guardT.mdl", studio_model_bytes({}));
    put_file(mod, "sound/e2e/drip.wav", "RIFF");
    put_file(mod, "sound/e2e/step.wav", "RIFF");
    put_file(mod, "sound/e2e/far away.wav", "RIFF");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--game") == 0) return make_game(argv[2]);
    const bool bsp = argc > 1 && std::strcmp(argv[1], "--bsp") == 0;
    argv += bsp;
    argc -= bsp;
    if (argc != 3 && argc != 4) {
        std::cerr << "usage: tarnwick-make-map [--bsp] SIZE_IN_MB PATH [SEED]\n";
        return 2;
    }
    const std::size_t size = std::strtoull(argv[1], nullptr, 10) << 20;
    const auto seed =
        argc == 4 ? static_cast<std::uint32_t>(std::strtoul(argv[3], nullptr, 10)) : 11;
    // One generated stretch of 8 MB, repeated: large maps cost no more to make.
    const auto piece_size = std::min<std::size_t>(size, 8 << 20);
    const auto piece = bsp ? tarnwick::testing::bsp_shaped_map(piece_size, seed)
                           : tarnwick::testing::realistic_map(piece_size, seed);
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    for (std::size_t written = 0; written < size && out; written += piece.size())
        out.write(piece.data(),
                  static_cast<std::streamsize>(std::min(piece.size(), size - written)));
    if (!out) {
        std::cerr << "tarnwick-make-map: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
