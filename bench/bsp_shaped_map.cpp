// A generated map shaped like a compiled one, for the benchmarks: the BSP30 header with
// its 15 lumps, realistic entity text, and binary lumps whose bytes look like what a map
// compiler writes (grid-snapped floats, axial plane normals, small indices, smooth
// lighting and texture pixels), so that '.' and '"' turn up about as often as in real
// maps: once every hundred bytes or so.

#include "bsp_shaped_map.h"
#include "synthetic_map.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>

namespace tarnwick::testing {
namespace {

// How a lump's records are made, one character per field:
//   f  a coordinate: a float on the 1-unit grid, now and then off it
//   n  a normal component: mostly 0 or ±1, else any value in [-1, 1]
//   i  an int32 index,  s  an int16 index,  c  a small count (uint16)
//   l  a lighting byte (smooth),  p  a texture pixel (smooth palette index)
//   v  a compressed visibility byte (zero runs between random bytes)
struct Lump {
    const char* fields;
    double share; // of the binary part of the map
};

// In lump order; lump 0, the entities, is text.
constexpr std::array<Lump, 14> binary_lumps = {{
    {"nnnfi", 0.04},             // planes
    {"pppppppp", 0.10},          // textures (embedded pixels)
    {"fff", 0.04},               // vertexes
    {"v", 0.08},                 // visibility
    {"isssssssscc", 0.04},       // nodes
    {"nnnfnnnfii", 0.04},        // texinfo
    {"ssicclllli", 0.06},        // faces: the light styles are bytes
    {"lllllll", 0.38},           // lighting
    {"iss", 0.05},               // clipnodes
    {"iissssssccllll", 0.04},    // leaves
    {"c", 0.02},                 // marksurfaces
    {"cc", 0.04},                // edges
    {"i", 0.05},                 // surfedges
    {"ffffffffffiiiiiii", 0.02}, // models
}};

class LumpWriter {
public:
    explicit LumpWriter(std::uint32_t seed) : random_(seed) {}

    std::string fill(const Lump& lump, std::size_t size) {
        out_.clear();
        while (out_.size() < size)
            for (const char* f = lump.fields; *f && out_.size() < size; ++f)
                field(*f);
        out_.resize(size);
        return out_;
    }

private:
    void field(char kind) {
        switch (kind) {
        case 'f':
            return put_float(chance(8) ? uniform(-4096, 4096)
                                       : std::round(uniform(-4096, 4096) / 16) * 16);
        case 'n':
            return put_float(chance(3) ? uniform(-1, 1) : static_cast<float>(pick(3)) - 1.0f);
        case 'i':
            return put_int(pick(40000), 4);
        case 's':
            return put_int(pick(4000) - 2000, 2);
        case 'c':
            return put_int(pick(600), 2);
        case 'l':
            return put_byte(walk(light_, 6, 8, 120));
        case 'p':
            return put_byte(walk(pixel_, 10, 0, 255));
        default:
            return put_byte(chance(2) ? 0 : static_cast<int>(pick(256)));
        }
    }

    std::uint32_t pick(std::uint32_t n) { return random_() % n; }
    bool chance(std::uint32_t one_in) { return pick(one_in) == 0; }
    float uniform(float from, float to) {
        return from + (to - from) * static_cast<float>(random_() >> 8) / float(1 << 24);
    }
    // A random walk in [low, high] with steps up to `step` either way.
    int walk(int& value, int step, int low, int high) {
        value += static_cast<int>(pick(2 * step + 1)) - step;
        value = value < low ? low + (low - value) : value > high ? high - (value - high) : value;
        return value;
    }

    void put_byte(int b) { out_ += static_cast<char>(b & 0xFF); }
    void put_int(std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            put_byte(static_cast<int>(v >> (8 * i)));
    }
    void put_float(float v) { put_int(std::bit_cast<std::uint32_t>(v), 4); }

    std::string out_;
    std::mt19937 random_;
    int light_ = 48;
    int pixel_ = 128;
};

} // namespace

std::string bsp_shaped_map(std::size_t size, std::uint32_t seed) {
    // An entity lump of a large map, a few tens of kilobytes, and never most of the map.
    const auto entities =
        realistic_entities(static_cast<int>(std::clamp<std::size_t>(size / 20000, 8, 400)), seed);
    std::vector<std::string> lumps = {entities + '\0'};
    std::size_t used = 4 + 15 * 8 + lumps[0].size();
    const std::size_t binary = size > used ? size - used : 0;
    LumpWriter writer(seed);
    for (std::size_t i = 0; i < binary_lumps.size(); ++i) {
        const bool last = i + 1 == binary_lumps.size();
        const auto length =
            last ? size - std::min(size, used)
                 : static_cast<std::size_t>(binary * binary_lumps[i].share) & ~std::size_t{3};
        lumps.push_back(writer.fill(binary_lumps[i], length));
        used += length;
    }
    return bsp_bytes(lumps);
}

} // namespace tarnwick::testing
