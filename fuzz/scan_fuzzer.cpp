// The scanner on any bytes of any length: it returns, keeps to the rules that hold
// for every map, and lists exactly what a plain second scanner lists.
//
// The input is the map itself. Its last byte, when odd, also puts a description file
// beside the map, so that path is taken too; its first bytes choose the chunk size of
// a separate check of the block reader, whose refills a map smaller than one chunk
// would otherwise never reach.

#include "analysis/block_reader.h"
#include "analysis/module1.h"
#include "fuzz_support.h"
#include "reference_scan.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <unordered_set>

namespace tarnwick::fuzzing {
namespace {

using analysis::ResourceList;

constexpr std::string_view map_name = "fuzz.bsp";
constexpr std::string_view description_entry = "maps/fuzz.txt";

// Refuses a range of 0 as the program's bar does, and checks every value it is given.
class CheckedProgress : public analysis::RangeProgress {
public:
    using RangeProgress::Max;
    using RangeProgress::Value;
    void Value(std::int32_t v) override {
        FUZZ_REQUIRE(v >= 0 && v <= Max(),
                     "Value " + std::to_string(v) + " with Max " + std::to_string(Max()));
        RangeProgress::Value(v);
    }
};

bool starts_with(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}
bool ends_with(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

// What every entry of every map looks like, whatever the bytes were.
void check_entry(std::string_view e) {
    FUZZ_REQUIRE(e.size() > 4, shown(e));
    FUZZ_REQUIRE(
        std::none_of(e.begin(), e.end(), [](char c) { return static_cast<unsigned char>(c) < 32; }),
        "control character in " + shown(e));
    FUZZ_REQUIRE(e.find('"') == std::string_view::npos, "quote in " + shown(e));
    if (ends_with(e, ".wad") && e.find_first_of("/\\;") == std::string_view::npos) return;
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 4> kinds = {
        {{"models/", ".mdl"}, {"sprites/", ".spr"}, {"sound/", ".wav"}, {"gfx/", ".tga"}}};
    const bool kind_ok = std::any_of(kinds.begin(), kinds.end(), [&](const auto& k) {
        return starts_with(e, k.first) && ends_with(e, k.second);
    });
    FUZZ_REQUIRE(kind_ok, "no kind fits " + shown(e));
    // Only a sky name runs forward past semicolons.
    FUZZ_REQUIRE(starts_with(e, "gfx/env/") || e.find(';') == std::string_view::npos, shown(e));
}

void check_rules(std::size_t size, bool described, bool ok, const std::vector<std::string>& list,
                 const std::string& why) {
    if (size <= 512) {
        FUZZ_REQUIRE(!ok && list.empty(), "a map of " + std::to_string(size) + " bytes scanned");
        return;
    }
    FUZZ_REQUIRE(ok || list.size() == ResourceList::max_entries, "failed: " + why);
    std::size_t from = 0;
    if (described) {
        FUZZ_REQUIRE(!list.empty() && list[0] == description_entry, "no description entry");
        from = 1;
    }
    std::unordered_set<std::string_view> seen;
    for (std::size_t i = from; i < list.size(); ++i) {
        check_entry(list[i]);
        FUZZ_REQUIRE(seen.insert(list[i]).second, "twice: " + shown(list[i]));
    }
}

std::string differences(const std::vector<std::string>& got, const std::vector<std::string>& want) {
    std::size_t i = 0;
    while (i < got.size() && i < want.size() && got[i] == want[i])
        ++i;
    return "lists part at entry " + std::to_string(i) + " of " + std::to_string(got.size()) + "/" +
           std::to_string(want.size()) + ": " + (i < got.size() ? shown(got[i]) : "(end)") +
           " against " + (i < want.size() ? shown(want[i]) : "(end)");
}

// The blocks as the reader hands them out, with a chunk size of the input's choosing.
void check_blocks(const std::string& path, std::string_view map, std::size_t chunk) {
    analysis::BlockReader reader(path, chunk);
    constexpr std::size_t block = analysis::BlockReader::block_size;
    std::string previous(block, ' ');
    for (std::size_t i = 0;; ++i) {
        const unsigned char* data = reader.next_block();
        std::string expected(map.substr(std::min(map.size(), i * block), block));
        expected.resize(block, ' ');
        FUZZ_REQUIRE(std::memcmp(data, expected.data(), block) == 0, "block " + std::to_string(i));
        FUZZ_REQUIRE(std::memcmp(data - block, previous.data(), block) == 0,
                     "block before " + std::to_string(i));
        FUZZ_REQUIRE(reader.last() == (map.size() < (i + 1) * block),
                     "last at " + std::to_string(i));
        if (reader.last()) break;
        previous = expected;
    }
}

} // namespace
} // namespace tarnwick::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarnwick;
    using namespace tarnwick::fuzzing;
    static const Scratch scratch;
    static const auto map_path = scratch.file(map_name);
    static const auto description_path = scratch.file("fuzz.txt");

    const std::string_view map(reinterpret_cast<const char*>(data), size);
    write_bytes(map_path, map);
    const bool described = size > 0 && (data[size - 1] & 1) != 0;
    static bool description_there = false;
    if (described != description_there) {
        if (described)
            write_bytes(description_path, "");
        else
            std::filesystem::remove(description_path);
        description_there = described;
    }

    analysis::ResourceList list;
    list.append("left from before");
    CheckedProgress progress;
    long pumps = 0;
    std::string why;
    const bool ok = analysis::scan_map(
        map_path, std::string(map_name), list, progress, [&] { ++pumps; }, &why);

    check_rules(size, described, ok, list.entries(), why);
    const auto expected = reference_scan(map, described ? std::string(description_entry) : "");
    FUZZ_REQUIRE(ok == expected.ok, "scan says " + std::to_string(ok) + ": " + why);
    FUZZ_REQUIRE(list.entries() == expected.entries, differences(list.entries(), expected.entries));
    const std::int32_t max = expected.max != 0 ? expected.max : CheckedProgress().Max();
    FUZZ_REQUIRE(progress.Max() == max, "Max " + std::to_string(progress.Max()));
    FUZZ_REQUIRE(progress.Value() == expected.value, "Value " + std::to_string(progress.Value()));
    FUZZ_REQUIRE(pumps == expected.pumps, "pumped " + std::to_string(pumps));

    const std::size_t chunk = size < 2 ? 0 : (data[0] | (data[1] << 8)) % 4096;
    check_blocks(map_path, map, chunk);
    return 0;
}
