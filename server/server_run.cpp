#include "server/server_run.h"

#include "analysis/file_system.h"

#include <set>

namespace tarnwick::server {

const MapRequests& ServerRun::add(const game::Session& session, const game::CheckedMap& map,
                                  const std::string& map_sent) {
    const auto& folder = session.game_folder(map);
    read_config(folder);
    if (mod_folder_.empty() && !folder.folders().empty())
        mod_folder_ = folder.folders().front().path;
    report_indices_.push_back(map.report_index);
    return maps_.emplace_back(map_requests(session, map, map_sent));
}

void ServerRun::read_config(const game::GameFolder& folder) {
    if (config_read_) return;
    config_read_ = true;
    const auto files = config_files(folder);
    const auto text = files("server.cfg", game::max_config_bytes + 1);
    config_found_ = text.has_value();
    if (text) config_ = game::read_server_config(*text, "server.cfg", files);
}

RunTotal ServerRun::total() const {
    std::set<std::string_view> distinct;
    RunTotal total;
    for (const auto& map : maps_)
        for (const auto& file : map.files)
            if (distinct.insert(file.sent).second) total.bytes += file.size;
    total.files = distinct.size();
    return total;
}

const SyncResult& ServerRun::sync(SyncOptions options) {
    sync_.reset();
    options.mod_folder = mod_folder_;
    return sync_.emplace(sync_download_folder(maps_, options));
}

std::vector<ProbeFile> ServerRun::probe_files() const {
    std::set<std::string_view> asked;
    std::vector<ProbeFile> files;
    for (const auto& map : maps_)
        for (const auto& file : map.files)
            if (asked.insert(file.sent).second)
                files.push_back({file.sent, analysis::to_path(file.source)});
    return files;
}

const std::vector<ProbeResult>&
ServerRun::probe(HttpClient& client, std::string_view site,
                 const std::function<void(const ProbeResult&)>& judged) {
    probed_ = server::probe(client, site, probe_files(), judged);
    return probed_;
}

std::uint64_t ServerRun::size_of(std::string_view sent) const {
    for (const auto& map : maps_)
        for (const auto& file : map.files)
            if (file.sent == sent) return file.size;
    return 0;
}

} // namespace tarnwick::server
