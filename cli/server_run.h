#pragma once

// What a run does for a whole server (--mapcycle, --fastdl): the files a client may request
// for each map checked and their sizes, then the download folder's sync, and their part of
// the JSON report.

#include "cli/options.h"
#include "game/session.h"
#include "server/requests.h"
#include "server/sync.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tarnwick::cli {

class ServerRun {
public:
    using Report = std::function<void(const std::string&)>;

    explicit ServerRun(const Options& options)
        : options_(options.game), overwrite_(options.overwrite) {}
    // Nothing of this is done, nor said, without --mapcycle or --fastdl.
    bool active() const { return !options_.mapcycle.empty() || !options_.fastdl.empty(); }

    // Takes the map's requests and reports their sizes.
    void add(const game::Session& session, const game::CheckedMap& map, const std::string& sent,
             const Report& report);
    // The whole set's size, then the sync with --fastdl. False when the sync failed.
    bool finish(const Report& report);
    // The session's JSON with each map's download_bytes and the run's fastdl.
    std::string json(const std::string& session_json) const;

private:
    const GameOptions& options_;
    bool overwrite_;
    std::vector<server::MapRequests> maps_;
    std::optional<server::SyncResult> sync_;
};

// "12,345 bytes" or "1.5 MiB"
std::string size_text(std::uint64_t bytes);

} // namespace tarnwick::cli
