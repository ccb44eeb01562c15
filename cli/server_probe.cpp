// The probe of the server's download site (--probe), the last step of a server run.

#include "analysis/single_byte.h"
#include "cli/server_run.h"
#include "cli/terminal_progress.h"

#include <map>
#include <nlohmann/json.hpp>

namespace tarnwick::cli {

// The in-game download's limit is the server's too: read for every server run, but what
// its reading warns of is the probe's to say.
void ServerRun::report_config(const Report& report) {
    if (config_said_ || !options_.probe) return;
    config_said_ = true;
    if (!run_.config_found()) report("server.cfg: not found; the server's defaults are taken");
    for (const auto& warning : run_.config().warnings)
        report(warning);
}

namespace {

std::string files_counted(std::size_t n) {
    return std::to_string(n) + (n == 1 ? " file" : " files");
}

// What the probe has found so far, by verdict.
class ProbeTally {
public:
    void add(const server::ProbeResult& result) {
        ++counts_[result.verdict];
        ++judged_;
    }
    std::string progress(std::string_view site, std::size_t files) const {
        return "probe of " + std::string(site) + ": " + std::to_string(judged_) + " of " +
               files_counted(files) + verdicts();
    }
    std::string verdicts() const {
        std::string text;
        for (const auto& [verdict, count] : counts_)
            text += ", " + std::to_string(count) + " " + std::string(server::verdict_name(verdict));
        return text;
    }
    bool all_ok() const { return counts_.size() == (counts_.count(server::Verdict::ok) ? 1u : 0u); }

private:
    std::map<server::Verdict, std::size_t> counts_;
    std::size_t judged_ = 0;
};

} // namespace

bool ServerRun::probe(const Report& report) {
    if (!options_.probe) return true;
    const auto& config = run_.config();
    auto site = options_.probe_url;
    if (site.empty()) {
        try {
            site = server::configured_site(config);
        } catch (const std::exception& e) {
            report("probe: " + std::string(e.what()));
            return false;
        }
    }
    const auto files = run_.probe_files().size();
    const auto shown_site = server::without_credentials(site);
    ProbeTally tally;
    {
        TerminalStatus status;
        status.show_now("probe of " + shown_site + ": " + files_counted(files) + " to ask");
        run_.probe(*server::make_http_client(), site, [&](const server::ProbeResult& result) {
            tally.add(result);
            status.show([&] { return tally.progress(shown_site, files); });
        });
    }
    std::size_t given_up = 0;
    for (const auto& result : run_.probed()) {
        if (result.verdict == server::Verdict::ok) continue;
        if (result.not_asked) {
            ++given_up; // said once below, not once for each file
            continue;
        }
        auto line = "probe: " + analysis::single_byte_to_utf8(result.entry) + ": " +
                    std::string(server::verdict_name(result.verdict));
        if (!result.detail.empty()) line += " (" + result.detail + ")";
        if (result.verdict == server::Verdict::missing)
            line += "; " + server::missing_cost(run_.size_of(result.entry), config);
        report(line);
    }
    if (given_up > 0)
        report("probe: " + files_counted(given_up) +
               " not asked: " + std::string(server::SiteWatch::given_up) + " (" +
               std::to_string(server::SiteWatch::unanswered_in_a_row) +
               " requests in a row got no answer)");
    report("probe of " + shown_site + ": " + files_counted(run_.probed().size()) +
           tally.verdicts());
    return tally.all_ok();
}

void ServerRun::add_probe(nlohmann::ordered_json& report) const {
    if (!options_.probe) return;
    auto list = nlohmann::ordered_json::array();
    for (const auto& r : run_.probed())
        list.push_back({{"entry", analysis::single_byte_to_utf8(r.entry)},
                        {"url", r.url},
                        {"verdict", server::verdict_name(r.verdict)},
                        {"status", r.status},
                        {"detail", r.detail}});
    report["probe"] = std::move(list);
}

} // namespace tarnwick::cli
