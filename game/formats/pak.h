#pragma once

#include "game/formats/byte_source.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tarnwick::game {

struct PakEntry {
    std::string name; // relative path as the pack spells it
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
};

// The directory of a pack file ("PACK", directory offset, directory length; 64-byte
// entries of a 56-byte name, offset and length). Every entry's data lies inside the file.
// Throws FormatError: "not a pack file", or a damaged directory.
std::vector<PakEntry> read_pak_directory(const ByteSource& pak);

} // namespace tarnwick::game
