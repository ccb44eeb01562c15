// Writes a generated map of a given size, for the end-to-end test and the benchmarks:
//   tarnwick-make-map [--bsp] SIZE_IN_MB PATH [SEED]
// --bsp makes a map shaped like a compiled one (bsp_shaped_map); without it the map is
// realistic entity text followed by random bytes (realistic_map).
//   tarnwick-make-map --game FOLDER
// makes a small game folder instead: FOLDER/cstrike with maps/de_e2e.bsp and some of what
// it needs, one file in another case, one missing, and a model that needs more files.
// Hostile files, each named as given, to try the check as an attacker would:
//   tarnwick-make-map --model FILE [GROUP...]    a studio model whose sequence-group table
//                                                names each GROUP
//   tarnwick-make-map --overview FILE IMAGE      an overview description naming IMAGE
//   tarnwick-make-map --entity FILE KEY VALUE    a map with one entity besides worldspawn,
//                                                KEY VALUE, with \r \n \t \\ \xNN in VALUE
//                                                made the bytes they stand for

#include "bsp_shaped_map.h"
#include "synthetic_game.h"
#include "synthetic_map.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

namespace {

int make_game(const std::filesystem::path& folder) {
    using namespace tarnwick::testing;
    const auto mod = folder / "cstrike";
    put_file(mod, "maps/de_e2e.bsp",
             map_with_textures(R"({"classname" "worldspawn" "wad" "\cs\halflife.wad;\cs\e2e.wad"})"
                               R"({"classname" "cycler" "model" "models/e2e/guard.mdl"})"
                               R"({"classname" "ambient_generic" "message" "sound/e2e/Drip.wav"})"
                               R"({"classname" "ambient_generic" "message" "sound/e2e/gone.wav"})",
                               {{"wall", false}}));
    put_file(mod, "e2e.wad", wad_bytes({"wall"}));
    put_file(mod, "models/e2e/guard.mdl",
             studio_model_bytes({false, {}, {{5004, "e2e/step.wav"}}}));
    put_file(mod, "models/e2e/guardT.mdl", studio_model_bytes({}));
    put_file(mod, "sound/e2e/drip.wav", "RIFF");
    put_file(mod, "sound/e2e/step.wav", "RIFF");
    return 0;
}

// `text` with its escapes made the bytes they stand for.
std::string unescaped(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char c = text[++i];
        if (c == 'x' && i + 2 < text.size()) {
            out += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
            i += 2;
        } else {
            out += c == 'r' ? '\r' : c == 'n' ? '\n' : c == 't' ? '\t' : c;
        }
    }
    return out;
}

// The hostile files of the usage; -1 when `argv` asks for none of them.
int make_hostile(int argc, char** argv) {
    using namespace tarnwick::testing;
    const std::string_view mode = argc > 2 ? argv[1] : "";
    if (mode == "--model") {
        write_file(std::filesystem::path(argv[2]),
                   studio_model_bytes({true, std::vector<std::string>(argv + 3, argv + argc), {}}));
    } else if (mode == "--overview" && argc == 4) {
        write_file(std::filesystem::path(argv[2]),
                   "layer\n{\n\tIMAGE \"" + std::string(argv[3]) + "\"\n}\n");
    } else if (mode == "--entity" && argc == 5) {
        write_file(std::filesystem::path(argv[2]),
                   map_with_textures(R"({"classname" "worldspawn"}{")" + std::string(argv[3]) +
                                         "\" \"" + unescaped(argv[4]) + "\"}",
                                     {}));
    } else {
        return -1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--game") == 0) return make_game(argv[2]);
    if (const int status = make_hostile(argc, argv); status >= 0) return status;
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
