#pragma once

// A whole server's run: the maps of its cycle checked, each with the files a client may
// request; the settings of its server.cfg; its download site synced; the site probed. Each
// step's outcome is kept as typed records, from which a front end makes what people read
// and the JSON report, once.

#include "game/formats/server_config.h"
#include "game/session.h"
#include "server/http_client.h"
#include "server/probe.h"
#include "server/requests.h"
#include "server/sync.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tarnwick::server {

// What a new player downloads for every map of the run: each file counted once.
struct RunTotal {
    std::size_t files = 0;
    std::uint64_t bytes = 0;
};

class ServerRun {
public:
    // Takes the map's requests, with the .res beside it as it is on the disk now. The first
    // map's game folder is the server's: its server.cfg is read, and its mod folder's owner
    // taken as the user the server runs as.
    const MapRequests& add(const game::Session& session, const game::CheckedMap& map,
                           const std::string& map_sent = {});

    // In the order added.
    const std::vector<MapRequests>& maps() const { return maps_; }
    // Where the i-th map stands among the maps of the session's JSON report.
    std::size_t report_index(std::size_t i) const { return report_indices_.at(i); }
    // The server's settings: its defaults until a map is added, or when it has no server.cfg.
    const game::ServerConfig& config() const { return config_; }
    bool config_found() const { return config_found_; }
    RunTotal total() const;

    // Syncs the download folder with every map's requests (`options.mod_folder` is the
    // server's). Throws as sync_download_folder does, and then keeps no result. The result's
    // steps point into maps(): no map is added after.
    const SyncResult& sync(SyncOptions options);
    const std::optional<SyncResult>& synced() const { return sync_; }

    // Each distinct file of the run, in the order the maps first request it.
    std::vector<ProbeFile> probe_files() const;
    // Asks `site` for each of probe_files(); `judged` as in probe().
    const std::vector<ProbeResult>&
    probe(HttpClient& client, std::string_view site,
          const std::function<void(const ProbeResult&)>& judged = {});
    const std::vector<ProbeResult>& probed() const { return probed_; }
    // The size of the server's copy of a file requested; 0 for a name no map requests.
    std::uint64_t size_of(std::string_view sent) const;

private:
    void read_config(const game::GameFolder& folder);

    std::vector<MapRequests> maps_;
    std::vector<std::size_t> report_indices_;
    std::filesystem::path mod_folder_;
    game::ServerConfig config_;
    bool config_read_ = false;
    bool config_found_ = false;
    std::optional<SyncResult> sync_;
    std::vector<ProbeResult> probed_;
};

} // namespace tarnwick::server
