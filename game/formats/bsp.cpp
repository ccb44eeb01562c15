#include "game/formats/bsp.h"

#include "game/formats/entities.h"
#include "game/formats/names.h"

namespace tarnwick::game {
namespace {

// The versions the game's server loads: Half-Life's and the one before it, laid out alike.
constexpr std::int32_t bsp_versions[] = {29, 30};
constexpr std::size_t lump_count = 15;
constexpr std::size_t texture_lump = 2;
constexpr std::size_t model_lump = 14;
constexpr std::size_t model_size = 64; // bounds, origin, 4 head nodes, leaves, faces
constexpr std::size_t header_size = 4 + lump_count * 8;
constexpr std::size_t miptex_size = 16 + 4 + 4 + 4 * 4; // name, width, height, 4 offsets

// Runs `read`, keeping its failure's message in `error`.
template <class Read> void read_part(Read read, std::optional<std::string>& error) {
    try {
        read();
    } catch (const std::exception& e) {
        error = e.what();
    }
}

constexpr const char* not_a_map = "not a map of version 29 or 30";

std::string bsp_header(const ByteSource& map) {
    if (map.size() < header_size) throw FormatError(not_a_map);
    auto header = map.read(0, header_size);
    const auto version = int32_at(header, 0);
    if (version != bsp_versions[0] && version != bsp_versions[1]) throw FormatError(not_a_map);
    return header;
}

} // namespace

BspLump read_bsp_lump(const ByteSource& map, std::size_t index, const char* what) {
    const auto header = bsp_header(map);
    const auto at = int32_at(header, 4 + index * 8);
    const auto length = int32_at(header, 8 + index * 8);
    if (at < 0 || length < 0 ||
        static_cast<std::uint64_t>(at) + static_cast<std::uint64_t>(length) > map.size())
        damaged(4 + index * 8, what);
    return {static_cast<std::uint64_t>(at), static_cast<std::uint64_t>(length)};
}

std::size_t read_bsp_model_count(const ByteSource& map) {
    const auto lump = read_bsp_lump(map, model_lump, "the model lump");
    if (lump.length % model_size != 0) damaged(4 + model_lump * 8, "the model lump");
    return static_cast<std::size_t>(lump.length / model_size);
}

BspTextures read_bsp_textures(const ByteSource& map) {
    const auto header = bsp_header(map);
    const auto lump_at = int32_at(header, 4 + texture_lump * 8);
    const auto lump_length = int32_at(header, 8 + texture_lump * 8);
    BspTextures textures;
    if (lump_length == 0) return textures;
    if (lump_at < 0 || lump_length < 4) damaged(4 + texture_lump * 8, "the texture lump");
    const auto lump =
        map.read(static_cast<std::uint64_t>(lump_at), static_cast<std::uint64_t>(lump_length));
    const auto count = int32_at(lump, 0);
    if (count < 0 || static_cast<std::uint64_t>(count) > (lump.size() - 4) / 4)
        damaged(static_cast<std::uint64_t>(lump_at), "a texture count of " + std::to_string(count));
    NameSet seen;
    for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
        const auto at = int32_at(lump, 4 + i * 4);
        if (at == -1) continue; // a texture the compiler left out
        if (at < 0 || static_cast<std::size_t>(at) > lump.size() ||
            lump.size() - static_cast<std::size_t>(at) < miptex_size)
            damaged(static_cast<std::uint64_t>(lump_at) + 4 + i * 4,
                    "texture " + std::to_string(i) + " lies outside the texture lump");
        const auto mip = static_cast<std::size_t>(at);
        // The engine looks at the first pixel offset alone: 0 means the pixels come from
        // a texture package, whatever the other three hold.
        const bool in_map = int32_at(lump, mip + 24) != 0;
        const auto name = name_at(lump, mip, 16);
        if (!in_map && !name.empty() && seen.insert(name)) textures.external.push_back(name);
    }
    return textures;
}

std::optional<std::string> bsp_damage(const ByteSource& map) {
    try {
        for (std::size_t lump = 0; lump < lump_count; ++lump)
            read_bsp_lump(map, lump, ("lump " + std::to_string(lump)).c_str());
    } catch (const FormatError& e) {
        return e.what();
    }
    return std::nullopt;
}

BspMap read_bsp_map(const ByteSource& source) {
    BspMap map;
    map.damage = bsp_damage(source);
    read_part([&] { map.entity_text = read_bsp_entity_text(source); }, map.entity_error);
    read_part([&] { map.textures = read_bsp_textures(source); }, map.textures_error);
    read_part([&] { map.brush_models = read_bsp_model_count(source); }, map.models_error);
    return map;
}

} // namespace tarnwick::game
