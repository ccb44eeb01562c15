// The probe of the server's download site (--probe), the last step of a server run.

#include "analysis/file_system.h"
#include "analysis/single_byte.h"
#include "cli/server_run.h"

#include <map>
#include <nlohmann/json.hpp>

namespace tarnwick::cli {

// The in-game download's limit is the server's too: read for every server run, but what
// its reading warns of is the probe's to say.
void ServerRun::read_config(const game::GameFolder& folder, const Report& report) {
    if (config_) return;
    const auto files = server::config_files(folder);
    const auto text = files("server.cfg");
    config_ = text ? game::read_server_config(*text, "server.cfg", files) : game::ServerConfig{};
    if (!options_.probe) return;
    if (!text) report("server.cfg: not found; the server's defaults are taken");
    for (const auto& warning : config_->warnings)
        report(warning);
}

bool ServerRun::probe(const Report& report) {
    if (!options_.probe) return true;
    const auto config = config_.value_or(game::ServerConfig{});
    auto site = options_.probe_url;
    if (site.empty()) {
        try {
            site = server::configured_site(config);
        } catch (const std::exception& e) {
            report("probe: " + std::string(e.what()));
            return false;
        }
    }
    std::vector<server::ProbeFile> files;
    std::map<std::string, std::uint64_t> sizes;
    for (const auto& map : maps_)
        for (const auto& file : map.files)
            if (sizes.emplace(file.sent, file.size).second)
                files.push_back({file.sent, analysis::to_path(file.source)});
    probed_ = server::probe(*server::make_http_client(), site, files);
    std::map<server::Verdict, std::size_t> counts;
    for (const auto& result : probed_) {
        ++counts[result.verdict];
        if (result.verdict == server::Verdict::ok) continue;
        auto line = "probe: " + analysis::single_byte_to_utf8(result.entry) + ": " +
                    std::string(server::verdict_name(result.verdict));
        if (!result.detail.empty()) line += " (" + result.detail + ")";
        if (result.verdict == server::Verdict::missing)
            line += "; " + server::missing_cost(sizes[result.entry], config);
        report(line);
    }
    auto summary = "probe of " + site + ": " + std::to_string(probed_.size()) +
                   (probed_.size() == 1 ? " file" : " files");
    for (const auto& [verdict, count] : counts)
        summary += ", " + std::to_string(count) + " " + std::string(server::verdict_name(verdict));
    report(summary);
    return counts.size() == (counts.count(server::Verdict::ok) ? 1u : 0u);
}

void ServerRun::add_probe(nlohmann::ordered_json& report) const {
    if (!options_.probe) return;
    auto list = nlohmann::ordered_json::array();
    for (const auto& r : probed_)
        list.push_back({{"entry", analysis::single_byte_to_utf8(r.entry)},
                        {"url", r.url},
                        {"verdict", server::verdict_name(r.verdict)},
                        {"status", r.status},
                        {"detail", r.detail}});
    report["probe"] = std::move(list);
}

} // namespace tarnwick::cli
