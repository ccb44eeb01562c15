#pragma once

// A download folder kept in sync with what clients may request: what is new is added, what
// changed (at its source, or in the folder since it was placed) replaced, and with `prune`
// what was placed for a map no longer given removed. A file this program did not place is
// never removed, nor replaced without `overwrite`; it is reported.

#include "server/requests.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tarnwick::server {

struct SyncOptions {
    std::filesystem::path dir = {};
    bool prune = false;
    bool dry_run = false; // plan only: nothing is written
    bool gzip = false;    // NAME.gz beside each file, for a web server's precompressed gzip
    bool overwrite = false;
};

struct SyncResult {
    // Relative paths, '/' between parts (single-byte).
    std::vector<std::string> added, replaced, removed, unchanged, foreign;
    std::uint64_t bytes = 0;        // written (with a dry run: that would be)
    std::vector<std::string> lines; // what went wrong or was kept, and the summary, for people
    bool ok = true;                 // false when a file could not be placed or removed
};

// Throws std::runtime_error when the folder's record is damaged or not this program's:
// then nothing is changed.
SyncResult sync_download_folder(const std::vector<MapRequests>& maps, const SyncOptions& options);

} // namespace tarnwick::server
