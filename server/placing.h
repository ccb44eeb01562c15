#pragma once

// The file work of a download folder: stamps, hashes, links in the way, and files written
// beside their place and renamed into it, so that a web server never sends half a file.

#include "server/manifest.h"

#include <filesystem>
#include <optional>
#include <string>

namespace tarnwick::server {

// The stamp of a plain file (never through a link); nothing when it is not one.
std::optional<Stamp> plain_file_stamp(const std::filesystem::path& path);

// The stamp to record: one too recent to tell a later change in the same tick of the
// file system's clock from no change gets a time no file has, so the next run reads the
// bytes.
Stamp settled(const Stamp& stamp);

// The CRC-32 of a file's bytes. Throws analysis::FileError.
std::uint32_t file_hash(const std::filesystem::path& path);

// True when a part of `relative` below `dir` is a link, or something other than a folder
// where a folder must be: nothing is written there.
bool link_in_the_way(const std::filesystem::path& dir, const std::string& relative);

struct Written {
    std::optional<Placed> file; // when the file was written
    std::optional<Placed> gz;   // when its .gz was written
};

// Writes `source` to `to` (when `file`) and its gzip to `to`.gz (when `gzip`), each beside
// its place first, then renamed into it. Throws std::runtime_error (or analysis::FileError)
// and leaves neither half written.
Written place_file(const std::filesystem::path& source, const std::filesystem::path& to, bool file,
                   bool gzip);

} // namespace tarnwick::server
