#pragma once

#include "game/formats/byte_source.h"

#include <optional>
#include <string>
#include <vector>

namespace tarnwick::game {

// What the resolver needs of a compiled map (BSP version 29 or 30): the textures it does not
// hold itself, which must come from its texture packages.
struct BspTextures {
    // Names in the order of the texture lump, each once (compared without regard to case).
    std::vector<std::string> external;
};

// Throws FormatError: "not a map of version 29 or 30", or damage to the header or the texture lump.
BspTextures read_bsp_textures(const ByteSource& map);

struct BspLump {
    std::uint64_t at = 0;
    std::uint64_t length = 0;
};
// Lump `index` of the header, checked to lie inside the file. Throws FormatError: "not a
// map of version 29 or 30", or damage to `what`.
BspLump read_bsp_lump(const ByteSource& map, std::size_t index, const char* what);

// The number of models in the map's model lump: the world and its brush models *1 … *N.
// Throws FormatError: "not a map of version 29 or 30", or a model lump that does not fit.
std::size_t read_bsp_model_count(const ByteSource& map);

// The parts of a map the resolver uses, read from one source. Each part is read on its
// own: a damaged lump leaves its error here, and the other parts are still read.
struct BspMap {
    std::string entity_text; // see read_bsp_entity_text
    BspTextures textures;
    std::size_t brush_models = 0; // see read_bsp_model_count
    std::optional<std::string> entity_error, textures_error, models_error;
    std::optional<std::string> damage; // see bsp_damage
};

// Why the game would refuse the map: a header cut short, a version other than 29 or 30 (the
// two its server loads), a lump past the end; nothing when it would load it.
std::optional<std::string> bsp_damage(const ByteSource& map);
// Throws nothing the parts' readers throw; each failure is kept in its part's error.
BspMap read_bsp_map(const ByteSource& map);

} // namespace tarnwick::game
