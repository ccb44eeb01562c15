// The resource file writer on any map file name and any list of byte strings: the file
// holds the two map lines and the entries, each followed by CR LF, and nothing else;
// a name that cannot be written fails with a reason and leaves the old file as it was.
//
// The input is read with libFuzzer's data provider: a flag for whether an old file is
// in the way, the map name, then the entries.

#include "analysis/file_system.h"
#include "analysis/module1.h"
#include "analysis/single_byte.h"
#include "fuzz_support.h"

#include <algorithm>
#include <fuzzer/FuzzedDataProvider.h>

namespace tarnwick::fuzzing {
namespace {

constexpr std::string_view old_contents = "maps/old.bsp\r\nmaps/old.res\r\nold.wad\r\n";

// The file's lines, split at every CR LF; the last line must end with one too.
std::vector<std::string> lines_of(std::string_view file) {
    std::vector<std::string> lines;
    while (!file.empty()) {
        const auto end = file.find("\r\n");
        FUZZ_REQUIRE(end != std::string_view::npos, "a last line without CR LF");
        lines.emplace_back(file.substr(0, end));
        file.remove_prefix(end + 2);
    }
    return lines;
}

void check_written(const std::string& file, const std::string& name,
                   const std::vector<std::string>& entries) {
    std::vector<std::string> expected = {"maps/" + name,
                                         "maps/" + name.substr(0, name.size() - 4) + ".res"};
    expected.insert(expected.end(), entries.begin(), entries.end());
    std::string bytes;
    for (const auto& line : expected)
        bytes += line + "\r\n";
    FUZZ_REQUIRE(file == bytes, "file " + shown(file) + "\nexpected " + shown(bytes));
    // Lines come back as they went in, unless one holds a CR LF of its own.
    const bool plain = std::none_of(expected.begin(), expected.end(), [](const std::string& line) {
        return line.find("\r\n") != std::string::npos;
    });
    if (plain) FUZZ_REQUIRE(lines_of(file) == expected, "lines do not round-trip");
}

} // namespace
} // namespace tarnwick::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarnwick;
    using namespace tarnwick::fuzzing;
    static const Scratch scratch;

    FuzzedDataProvider input(data, size);
    const bool old_file = input.ConsumeBool();
    // The map's file name: whatever a file name may hold here.
    auto name = input.ConsumeRandomLengthString(64);
    std::erase_if(name, [](char c) { return c == '/' || c == '\0'; });
    std::vector<std::string> entries;
    while (input.remaining_bytes() > 0)
        entries.push_back(input.ConsumeRandomLengthString());

    for (const auto& e : std::filesystem::directory_iterator(scratch.path()))
        std::filesystem::remove(e.path());
    const auto map_path = scratch.path().string() + "/" + name;
    const auto res_path = analysis::res_path_for(map_path);
    // With four characters or more, the name alone gives the resource file its place.
    const bool in_folder = analysis::char_count(name) >= 4;
    if (old_file && in_folder) write_bytes(res_path, old_contents);
    const auto result = analysis::write_res_file(entries, map_path);
    FUZZ_REQUIRE(result.destination == res_path, result.destination);

    // Writable: a map name of at least four characters, each one the single-byte text has.
    const auto single_byte = analysis::utf8_to_single_byte(name);
    if (single_byte) {
        FUZZ_REQUIRE(analysis::single_byte_to_utf8(*single_byte) == name,
                     "the name " + shown(name) + " does not round-trip");
    }
    // A control byte in the name would break the file's lines: refused.
    const bool control = std::any_of(name.begin(), name.end(),
                                     [](char c) { return static_cast<unsigned char>(c) < 0x20; });
    if (single_byte && single_byte->size() >= 4 && !control) {
        FUZZ_REQUIRE(result.ok, "name " + shown(name) + ": " + result.reason);
        FUZZ_REQUIRE(result.reason.empty(), result.reason);
        check_written(read_bytes(res_path), *single_byte, entries);
        FUZZ_REQUIRE(analysis::format_res_file(entries, name) == read_bytes(res_path),
                     "the file differs from its formatted bytes");
    } else {
        FUZZ_REQUIRE(!result.ok && !result.reason.empty(), "name " + shown(name) + " written");
        if (old_file && in_folder)
            FUZZ_REQUIRE(read_bytes(res_path) == old_contents, "the old file was changed");
        else
            FUZZ_REQUIRE(!std::filesystem::exists(res_path), "a file was written");
    }
    const bool kept = result.ok || (old_file && in_folder);
    FUZZ_REQUIRE(scratch.listing() == (kept ? analysis::file_name_of(res_path) + " " : ""),
                 "left in the folder: " + scratch.listing());
    return 0;
}
