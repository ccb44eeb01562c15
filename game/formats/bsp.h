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

// The number of models in the map's model lump: the world and its brush models *1 … *N.
// Throws FormatError: "not a BSP30 map", or a model lump that does not fit.
std::size_t read_bsp_model_count(const ByteSource& map);

} // namespace tarnwick::game
