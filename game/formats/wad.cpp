#include "game/formats/wad.h"

namespace tarnwick::game {
namespace {

constexpr std::size_t header_size = 12; // "WAD3" or "WAD2", entry count, directory offset
constexpr std::size_t entry_size = 32;  // offset, sizes, type, compression, padding, name
constexpr std::size_t name_at_entry = 16;

} // namespace

std::vector<std::string> read_wad_names(const ByteSource& wad) {
    constexpr const char* foreign = "not a WAD2 or WAD3 texture package";
    if (wad.size() < header_size) throw FormatError(foreign);
    const auto header = wad.read(0, header_size);
    if (header.compare(0, 4, "WAD3") != 0 && header.compare(0, 4, "WAD2") != 0)
        throw FormatError(foreign);
    const auto directory =
        read_table(wad, int32_at(header, 8), int32_at(header, 4), entry_size, "wad entries");
    std::vector<std::string> names;
    names.reserve(directory.size() / entry_size);
    for (std::size_t at = 0; at < directory.size(); at += entry_size)
        names.push_back(name_at(directory, at + name_at_entry, 16));
    return names;
}

} // namespace tarnwick::game
