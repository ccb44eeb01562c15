// Writes a generated map of a given size, for the end-to-end test and the benchmarks:
//   tarnwick-make-map [--bsp] SIZE_IN_MB PATH [SEED]
// --bsp makes a map shaped like a compiled one (bsp_shaped_map); without it the map is
// realistic entity text followed by random bytes (realistic_map).

#include "bsp_shaped_map.h"
#include "synthetic_map.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
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
