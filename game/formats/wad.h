#pragma once

#include "game/formats/byte_source.h"

#include <string>
#include <vector>

namespace tarnwick::game {

// The names in a texture package's (WAD3, or the older WAD2 the engine reads too) directory,
// in directory order. Throws FormatError: "not a WAD2 or WAD3 texture package", or a
// damaged directory.
std::vector<std::string> read_wad_names(const ByteSource& wad);

} // namespace tarnwick::game
