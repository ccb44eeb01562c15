#pragma once

#include "game/formats/byte_source.h"

#include <string>
#include <vector>

namespace tarnwick::game {

// What the resolver needs of a compiled map (BSP version 30): the textures it does not
// hold itself, which must come from its texture packages.
struct BspTextures {
    // Names in the order of the texture lump, each once (compared without regard to case).
    std::vector<std::string> external;
};

// Throws FormatError: "not a BSP30 map", or damage to the header or the texture lump.
BspTextures read_bsp_textures(const ByteSource& map);

struct BspLump {
    std::uint64_t at = 0;
    std::uint64_t length = 0;
};
// Lump `index` of the header, checked to lie inside the file. Throws FormatError: "not a
// BSP30 map", or damage to `what`.
BspLump read_bsp_lump(const ByteSource& map, std::size_t index, const char* what);

// The number of models in the map's model lump: the world and its brush models *1 … *N.
// Throws FormatError: "not a BSP30 map", or a model lump that does not fit.
std::size_t read_bsp_model_count(const ByteSource& map);

} // namespace tarnwick::game
