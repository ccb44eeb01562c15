#pragma once

// The plan of a download folder's sync: what is at each file's place and in the record,
// and what is to be done about it. Making it reads the folder (and, where stamps do not
// tell, files' bytes) and writes nothing.

#include "server/manifest.h"
#include "server/placing.h"
#include "server/sync.h"

#include <cstddef>
#include <vector>

namespace tarnwick::server {

struct SyncPlan {
    std::vector<Step> steps; // the unchanged included
    std::size_t unneeded = 0;
    bool restamped = false; // the record's stamps were brought up to date: worth writing
};

// `wanted`: one request a path, sorted by path. The record's entries whose bytes were found
// as placed get their new stamps.
SyncPlan plan_sync(const std::vector<const Request*>& wanted, const SyncOptions& options,
                   Manifest& record, Folders& folders);

} // namespace tarnwick::server
