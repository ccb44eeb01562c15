#pragma once

// What a download folder's sync says to people: a line for each file kept, not placed or
// failed, and the summary; a dry run says the same as what would happen.

#include "server/sync.h"

#include <string>
#include <vector>

namespace tarnwick::cli {

std::vector<std::string> sync_lines(const server::SyncResult& result,
                                    const server::SyncOptions& options);

} // namespace tarnwick::cli
