#include "game/formats/pak.h"

namespace tarnwick::game {
namespace {

constexpr std::size_t header_size = 12;
constexpr std::size_t entry_size = 64;
constexpr std::size_t name_size = 56;

} // namespace

std::vector<PakEntry> read_pak_directory(const ByteSource& pak) {
    if (pak.size() < header_size) throw FormatError("not a pack file");
    const auto header = pak.read(0, header_size);
    if (header.compare(0, 4, "PACK") != 0) throw FormatError("not a pack file");
    const auto directory_at = int32_at(header, 4);
    const auto directory_length = int32_at(header, 8);
    if (directory_length < 0 || directory_length % entry_size != 0)
        damaged(8, "a directory length of " + std::to_string(directory_length));
    const auto directory =
        read_table(pak, directory_at, directory_length / entry_size, entry_size, "pack entries");
    std::vector<PakEntry> entries;
    entries.reserve(directory.size() / entry_size);
    for (std::size_t at = 0; at < directory.size(); at += entry_size) {
        PakEntry entry{name_at(directory, at, name_size),
                       static_cast<std::uint32_t>(int32_at(directory, at + name_size)),
                       static_cast<std::uint32_t>(int32_at(directory, at + name_size + 4))};
        if (std::uint64_t{entry.offset} + entry.length > pak.size())
            damaged(static_cast<std::uint64_t>(directory_at) + at,
                    "entry " + entry.name + " lies outside the file");
        entries.push_back(std::move(entry));
    }
    return entries;
}

} // namespace tarnwick::game
