#pragma once

// The game's file formats made in code, for the game folder's tests, benchmark and fuzz
// seeds: texture packages, pack files, studio models and maps with a texture lump.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarnwick::testing {

// The textures themselves are empty.
std::string wad_bytes(const std::vector<std::string>& names);

std::string pak_bytes(const std::vector<std::pair<std::string, std::string>>& files);

struct ModelShape {
    bool textures = true; // false: numtextures 0, the textures are in the T model
    // The files of the sequence groups past the first, as the model's group table names them.
    std::vector<std::string> groups;
    // (event number, option text) of the events of the model's one sequence.
    std::vector<std::pair<int, std::string>> events;
};
std::string studio_model_bytes(const ModelShape& model);

struct TextureSpec {
    std::string name;
    // false: the first pixel offset 0, so the texture comes from a wad (the other three
    // are not 0, which must not matter)
    bool in_map = true;
};
// A BSP30 map with `entities` as its entity lump, a texture lump of `textures` and
// `brush_models` models in its model lump (the world counted).
std::string map_with_textures(std::string_view entities, const std::vector<TextureSpec>& textures,
                              std::size_t brush_models = 0);

void put_file(const std::filesystem::path& root, std::string_view relative, std::string_view bytes);

} // namespace tarnwick::testing
