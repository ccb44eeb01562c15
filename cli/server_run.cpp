#include "cli/server_run.h"

#include "analysis/file_system.h"
#include "analysis/single_byte.h"
#include "cli/console.h"
#include "cli/sync_text.h"
#include "game/report.h"
#include "server/record.h"

#include <cstdio>
#include <nlohmann/json.hpp>

namespace tarnwick::cli {
namespace {

using game::counted;

bool over(const server::Request& file, const game::ServerConfig& config) {
    return static_cast<double>(file.size) > config.transfer_max_size;
}

std::string over_limit(const server::Request& file, const game::ServerConfig& config) {
    if (!over(file, config)) return {};
    if (config.transfer_max_size == game::default_transfer_max_size)
        return " (over 10 MiB: the game's own download refuses it at the default "
               "sv_filetransfermaxsize, so it must be on the download site)";
    return " (over sv_filetransfermaxsize, " +
           size_text(static_cast<std::uint64_t>(config.transfer_max_size)) +
           ": the game's own download refuses it, so it must be on the download site)";
}

nlohmann::ordered_json paths(const std::vector<std::string>& list) {
    auto array = nlohmann::ordered_json::array();
    for (const auto& path : list)
        array.push_back(analysis::single_byte_to_utf8(path));
    return array;
}

} // namespace

std::string size_text(std::uint64_t bytes) {
    if (bytes < (1u << 20)) return std::to_string(bytes) + " bytes";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MiB", static_cast<double>(bytes) / (1u << 20));
    return text;
}

void ServerRun::add(const game::Session& session, const game::CheckedMap& map,
                    const std::string& sent, const Report& report, RunSummary& summary) {
    if (!active()) return;
    const auto& requests = run_.add(session, map, sent);
    report_config(report);
    const auto& config = run_.config();
    auto line = "  download: " + counted(requests.files.size(), "file", "files") + ", " +
                size_text(requests.bytes()) + " for a new player";
    const auto* largest = requests.largest();
    if (largest)
        line += "; the largest " + analysis::single_byte_to_utf8(largest->sent) + ", " +
                size_text(largest->size) + over_limit(*largest, config);
    if (verbose_ || (largest && over(*largest, config))) report(line);
    for (const auto& refused : requests.refused)
        report("  never placed on the download site: " +
               analysis::single_byte_to_utf8(refused.name) + ": " + refused.reason);
    summary.never_placed(requests.refused.size(), map.resolution.map);
}

void ServerRun::finish(const Report& report, RunSummary& summary) {
    if (!active()) return;
    const auto total = run_.total();
    report(counted(run_.maps().size(), "map", "maps") + ": " +
           counted(total.files, "distinct file", "distinct files") + ", " + size_text(total.bytes) +
           " in all for a new player");
    if (!options_.fastdl.empty()) sync(report, summary);
    if (!probe(report)) summary.failed(Failure::probe_failed);
}

void ServerRun::sync(const Report& report, RunSummary& summary) {
    const StopSignals signals;
    const auto held_by = [&](std::uint64_t holder, const std::string& then) {
        report(options_.fastdl + " is being synced by " +
               (holder ? "process " + std::to_string(holder) : "another process") + then);
    };
    const server::SyncOptions sync{
        analysis::to_path(options_.fastdl),
        options_.prune,
        dry_run_,
        options_.gzip,
        overwrite_,
        options_.wait,
        {},
        &signals.stop(),
        [&](std::uint64_t holder) { held_by(holder, ": waiting for it to end"); }};
    const server::SyncResult* result = nullptr;
    try {
        result = &run_.sync(sync);
    } catch (const server::FolderBusy& busy) {
        held_by(busy.holder, " (--wait waits for it)");
        return summary.failed(Failure::site_busy);
    } catch (const std::exception& e) {
        report("download folder: " + std::string(e.what()));
        return summary.failed(Failure::unplaced_files);
    }
    for (const auto& line : sync_lines(*result, sync))
        report(line);
    if (!result->ok) summary.failed(Failure::unplaced_files);
    if (result->stopped) summary.stopped(result->stopped);
}

void ServerRun::add_json(nlohmann::ordered_json& report) const {
    if (!active()) return;
    auto& maps = report["maps"];
    for (std::size_t i = 0; i < run_.maps().size(); ++i) {
        const auto& requests = run_.maps()[i];
        auto& map = maps.at(run_.report_index(i));
        map["download_bytes"] = requests.bytes();
        if (requests.refused.empty()) continue;
        auto& never = map["never_placed"] = nlohmann::ordered_json::array();
        for (const auto& refused : requests.refused)
            never.push_back({{"name", analysis::single_byte_to_utf8(refused.name)},
                             {"reason", refused.reason}});
    }
    if (const auto& sync = run_.synced())
        report["fastdl"] = {
            {"added", paths(sync->added)},     {"replaced", paths(sync->replaced)},
            {"removed", paths(sync->removed)}, {"unchanged", paths(sync->unchanged)},
            {"foreign", paths(sync->foreign)}, {"bytes", sync->bytes}};
    add_probe(report);
}

} // namespace tarnwick::cli
