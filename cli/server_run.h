#pragma once

// What a run says of a whole server (--mapcycle, --fastdl, --probe): the server's run
// (server/server_run.h) driven, each step said as it ends, and its part of the JSON report.

#include "cli/options.h"
#include "cli/run_summary.h"
#include "game/formats/server_config.h"
#include "game/session.h"
#include "server/probe.h"
#include "server/server_run.h"

#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace tarnwick::cli {

class ServerRun {
public:
    using Report = std::function<void(const std::string&)>;

    explicit ServerRun(const Options& options)
        : options_(options.game), overwrite_(options.overwrite), dry_run_(options.writes_nothing()),
          verbose_(options.verbose) {}
    // Nothing of this is done, nor said, without --mapcycle or --fastdl.
    bool active() const {
        return !options_.mapcycle.empty() || !options_.fastdl.empty() || options_.probe;
    }

    // Takes the map's requests and reports what clients may not download (counted in the
    // summary too), and their sizes when a file is too large for the in-game download (or
    // with --verbose).
    void add(const game::Session& session, const game::CheckedMap& map, const std::string& sent,
             const Report& report, RunSummary& summary);
    // The whole set's size, then the sync with --fastdl, then the probe with --probe; a sync
    // that failed, or a probe that found a file that is not ok, goes to the summary.
    void finish(const Report& report, RunSummary& summary);
    // The session's report with each map's download_bytes and the run's fastdl and probe.
    void add_json(nlohmann::ordered_json& report) const;

private:
    // What reading the server's settings warns of, with --probe, once.
    void report_config(const Report& report);
    void sync(const Report& report, RunSummary& summary);
    bool probe(const Report& report);
    void add_probe(nlohmann::ordered_json& report) const;

    const GameOptions& options_;
    bool overwrite_;
    bool dry_run_; // the sync says what it would do
    bool verbose_; // each map's download said, not only one over the in-game limit
    server::ServerRun run_;
    bool config_said_ = false;
};

// "12,345 bytes" or "1.5 MiB"
std::string size_text(std::uint64_t bytes);

} // namespace tarnwick::cli
