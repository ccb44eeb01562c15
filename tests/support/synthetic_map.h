#pragma once

// Synthetic maps for tests, benchmarks and fuzz seeds: a BSP30 header and an entity
// lump among binary noise, with text placed at exact offsets (across block borders).

#include <cstdint>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::testing {

// Little-endian 32-bit integers, as the game's files hold them: added at the end of
// `out`, or written over the four bytes at `at`.
void add_int32(std::string& out, std::uint32_t v);
void set_int32(std::string& out, std::size_t at, std::uint32_t v);

// A BSP30 map of the (at most 15) `lumps` in lump order, one right after another behind
// the header; the lumps not given are empty.
std::string bsp_bytes(const std::vector<std::string>& lumps);

class MapBuilder {
public:
    // Quiet noise has no dot and no double quote, so it can never form a reference or
    // end one; loud noise is every byte value.
    enum class Noise { quiet, loud };

    explicit MapBuilder(std::uint32_t seed = 7, Noise noise = Noise::quiet);

    // Starts the map: a BSP30 map whose one lump, the entities, is `text` and its
    // terminating zero byte.
    MapBuilder& entities(std::string_view text);
    MapBuilder& append(std::string_view bytes);
    MapBuilder& noise(std::size_t count);
    MapBuilder& pad_to(std::size_t size);
    // Overwrites the bytes at `offset` with `text`, growing the map with noise as needed.
    MapBuilder& put(std::size_t offset, std::string_view text);

    std::size_t size() const { return bytes_.size(); }
    const std::string& bytes() const { return bytes_; }

private:
    char noise_byte();

    std::mt19937 random_;
    Noise kind_;
    std::string bytes_;
};

// An entity lump of a playable map: worldspawn with texture packages and a sky, and
// `entities` point and brush entities with models, sounds, sprites and images.
std::string realistic_entities(int entities, std::uint32_t seed = 11);

// A map of about `size` bytes: header, realistic entity text, then loud noise.
std::string realistic_map(std::size_t size, std::uint32_t seed = 11);

std::string many_references_entities(int count);

void write_file(const std::filesystem::path& path, std::string_view bytes);
std::string read_file(const std::filesystem::path& path);
// The same for UTF-8 paths, as TempDir::file gives them.
void write_file(const std::string& utf8_path, std::string_view bytes);
std::string read_file(const std::string& utf8_path);
std::filesystem::path utf8_path(std::string_view utf8);

// A fresh folder that is removed with everything in it at the end of the scope.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The path of `name` inside the folder, as a UTF-8 string.
    std::string file(std::string_view name) const;
    // Every name in the folder with its bytes ("<folder>" for a folder), to compare the
    // folder before and after an operation.
    std::map<std::string, std::string> contents() const;

private:
    std::filesystem::path path_;
};

} // namespace tarnwick::testing
