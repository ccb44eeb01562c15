#pragma once

// The few file services a download folder's sync needs beyond the analysis library's, each
// one call to the system where it can be: a sync looks at and writes every file of a site.
// One implementation for POSIX systems (os/posix/) and one for Windows (os/windows/).

#include "analysis/os/files.h"
#include "server/manifest.h"

#include <filesystem>

namespace tarnwick::server::os {

using analysis::os::Handle;

struct Look {
    enum class Kind { nothing, plain, folder, link, other } kind = Kind::nothing;
    Stamp stamp = {}; // of a plain file
};

enum class Links { kept, followed };

// What is at `path`; a link itself unless its links are followed.
Look look_at(const std::filesystem::path& path, Links links = Links::kept);

// The stamp of `file`, a plain file open for reading at `path`. Throws analysis::FileError.
Stamp stamp_of(Handle file, const std::filesystem::path& path);

} // namespace tarnwick::server::os
