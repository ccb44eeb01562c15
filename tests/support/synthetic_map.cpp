#include "synthetic_map.h"

#include <array>
#include <fstream>
#include <stdexcept>

namespace tarnwick::testing {

void add_int32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>(v >> (8 * i));
}

void set_int32(std::string& out, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out[at + static_cast<std::size_t>(i)] = static_cast<char>(v >> (8 * i));
}

std::string bsp_bytes(const std::vector<std::string>& lumps) {
    std::string out;
    add_int32(out, 30);
    auto offset = static_cast<std::uint32_t>(4 + 15 * 8);
    for (std::size_t i = 0; i < 15; ++i) {
        const auto length = static_cast<std::uint32_t>(i < lumps.size() ? lumps[i].size() : 0);
        add_int32(out, offset);
        add_int32(out, length);
        offset += length;
    }
    for (const auto& lump : lumps)
        out += lump;
    return out;
}

MapBuilder::MapBuilder(std::uint32_t seed, Noise noise) : random_(seed), kind_(noise) {}

char MapBuilder::noise_byte() {
    for (;;) {
        const auto b = static_cast<char>(random_() & 0xFF);
        if (kind_ == Noise::loud || (b != '.' && b != '"')) return b;
    }
}

MapBuilder& MapBuilder::entities(std::string_view text) {
    bytes_ = bsp_bytes({std::string(text) + '\0'});
    return *this;
}

MapBuilder& MapBuilder::append(std::string_view bytes) {
    bytes_.append(bytes);
    return *this;
}

MapBuilder& MapBuilder::noise(std::size_t count) {
    bytes_.reserve(bytes_.size() + count);
    for (std::size_t i = 0; i < count; ++i)
        bytes_ += noise_byte();
    return *this;
}

MapBuilder& MapBuilder::pad_to(std::size_t size) {
    if (size > bytes_.size()) noise(size - bytes_.size());
    return *this;
}

MapBuilder& MapBuilder::put(std::size_t offset, std::string_view text) {
    pad_to(offset + text.size());
    bytes_.replace(offset, text.size(), text);
    return *this;
}

std::string realistic_entities(int entities, std::uint32_t seed) {
    std::mt19937 random(seed);
    static constexpr std::array<const char*, 6> models = {"models/props/crate.mdl",
                                                          "models/player/vip/vip.mdl",
                                                          "models/w_c4.mdl",
                                                          "models\\de_foo\\barrel.mdl",
                                                          "tree01.mdl",
                                                          "models/hostage.mdl"};
    static constexpr std::array<const char*, 5> sounds = {
        "ambience/wind.wav", "ambience/rain.wav", "de_foo/door1.wav", "sound/de_foo/bell.wav",
        "doors/doormove2.wav"};
    static constexpr std::array<const char*, 3> sprites = {"sprites/glow01.spr", "flare.spr",
                                                           "sprites/de_foo/smoke.spr"};
    std::string text =
        "{\n\"wad\" \"\\half-life\\valve\\halflife.wad;\\cs\\cstrike\\cstrike.wad;"
        "\\cs\\cstrike\\de_foo.wad;\\cs\\cstrike\\decals.wad\"\n\"skyname\" \"desert\"\n"
        "\"mapversion\" \"220\"\n\"classname\" \"worldspawn\"\n}\n";
    for (int i = 0; i < entities; ++i) {
        const auto origin = std::to_string(random() % 4096) + " " + std::to_string(random() % 4096);
        switch (random() % 4) {
        case 0:
            text += "{\n\"model\" \"" + std::string(models[random() % models.size()]) +
                    "\"\n\"origin\" \"" + origin + " 0\"\n\"classname\" \"cycler\"\n}\n";
            break;
        case 1:
            text += "{\n\"message\" \"" + std::string(sounds[random() % sounds.size()]) +
                    "\"\n\"health\" \"10\"\n\"classname\" \"ambient_generic\"\n}\n";
            break;
        case 2:
            text += "{\n\"model\" \"" + std::string(sprites[random() % sprites.size()]) +
                    "\"\n\"rendermode\" \"5\"\n\"classname\" \"env_sprite\"\n}\n";
            break;
        default:
            text += "{\n\"model\" \"*" + std::to_string(i) +
                    "\"\n\"classname\" \"func_wall\"\n\"rendercolor\" \"0 0 0\"\n}\n";
        }
    }
    return text;
}

std::string realistic_map(std::size_t size, std::uint32_t seed) {
    MapBuilder map(seed, MapBuilder::Noise::loud);
    map.entities(realistic_entities(120, seed));
    map.pad_to(size);
    return map.bytes();
}

std::string many_references_entities(int count) {
    std::string text;
    text.reserve(static_cast<std::size_t>(count) * 48);
    for (int i = 0; i < count; ++i)
        text += "{\"message\" \"ambience/loop" + std::to_string(i) +
                ".wav\" \"classname\" \"ambient_generic\"}\n";
    return text;
}

namespace {

std::string shown(const std::filesystem::path& path) {
    const auto u8 = path.u8string();
    return std::string(reinterpret_cast<const char*>(u8.data()), u8.size());
}

} // namespace

void write_file(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + shown(path));
}

std::string read_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + shown(path));
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TempDir::TempDir() {
    std::random_device seed;
    const auto base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        path_ = base / ("tarnwick-test-" + std::to_string(seed()));
        if (std::filesystem::create_directory(path_)) return;
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path utf8_path(std::string_view utf8) {
    return std::filesystem::path(
        std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

void write_file(const std::string& utf8, std::string_view bytes) {
    write_file(utf8_path(utf8), bytes);
}

std::string read_file(const std::string& utf8) {
    return read_file(utf8_path(utf8));
}

std::string TempDir::file(std::string_view name) const {
    return shown(path_ / utf8_path(name));
}

std::map<std::string, std::string> TempDir::contents() const {
    std::map<std::string, std::string> out;
    for (const auto& e : std::filesystem::directory_iterator(path_))
        out[shown(e.path().filename())] = e.is_directory() ? "<folder>" : read_file(e.path());
    return out;
}

} // namespace tarnwick::testing
