// Writes a generated map of a given size, for the end-to-end test and the benchmarks:
//   tarnwick-make-map SIZE_IN_MB PATH

#include "synthetic_map.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: tarnwick-make-map SIZE_IN_MB PATH\n";
        return 2;
    }
    const std::size_t size = std::strtoull(argv[1], nullptr, 10) << 20;
    // One generated stretch of 8 MB, repeated: large maps cost no more to make.
    const auto piece = tarnwick::testing::realistic_map(std::min<std::size_t>(size, 8 << 20));
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
