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

} // namespace tarnwick::game
