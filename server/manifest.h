#pragma once

// The record a download folder keeps of the files this program placed in it: each file's
// path, size and content hash, and the stamps (size and time) of it and of its source when
// it was placed, so that a run with nothing changed reads no file's bytes.

#include "game/formats/byte_source.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace tarnwick::server {

inline constexpr std::string_view manifest_name = ".tarnwick-fastdl";

// A file's size and modification time, as the system gives them.
struct Stamp {
    std::uint64_t size = 0;
    std::int64_t time = 0;
    bool operator==(const Stamp&) const = default;
};

struct Placed {
    std::uint64_t size = 0;
    std::uint32_t hash = 0; // CRC-32 of its bytes
    Stamp stamp;            // of the file in the folder, when placed
    Stamp source;           // of the file it was copied from, when placed
    bool operator==(const Placed&) const = default;
};

// By relative path ('/' between parts), sorted.
using Manifest = std::map<std::string, Placed>;

// Throws game::FormatError for a file that is no manifest of this program, or a damaged
// one (with the line), and for a path that a download folder never holds.
Manifest read_manifest(std::string_view text);
std::string manifest_text(const Manifest& manifest);

// The journal beside the record: what a run placed and removed, a line as each file lands,
// so that a run stopped at any instant leaves a trace of every file it placed.
inline constexpr std::string_view journal_header = "tarnwick download folder journal 1\n";
std::string journal_placed(const std::string& path, const Placed& placed);
std::string journal_removed(const std::string& path);
// Applies a journal to `manifest`. A last line cut short (the run was stopped while it was
// written, before the file it names was put in place) is left out, and so is a journal cut
// within its header (stopped, or out of disk, as the journal was begun): it names nothing.
// Throws game::FormatError as read_manifest does.
void apply_journal(std::string_view text, Manifest& manifest);

} // namespace tarnwick::server
