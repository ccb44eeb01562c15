#include "cli/run_summary.h"

#include "analysis/file_system.h"
#include "cli/console.h"
#include "game/report.h"

#include <algorithm>

namespace tarnwick::cli {
namespace {

using game::counted;

// The map's name as people know it: its file's name without the folders.
std::string map_name(const std::string& path) {
    return analysis::utf8_of(analysis::to_path(path).filename());
}

std::string failure_text(Failure failure, std::size_t n) {
    switch (failure) {
    case Failure::unread_map:
        return counted(n, "map", "maps") + (n == 1 ? " was" : " were") + " not read";
    case Failure::skipped_map:
        return counted(n, "map", "maps") + " of the cycle " + (n == 1 ? "is" : "are") +
               " not on the server";
    case Failure::unwritten_res:
        return counted(n, ".res file", ".res files") + " not written";
    case Failure::checked_map:
        return counted(n, "map has", "maps have") + " something to mend";
    case Failure::failed_audit:
        return counted(n, ".res file fails", ".res files fail") + " the audit";
    case Failure::extra_files:
        return "the --extra list names files that are missing or refused";
    case Failure::uncollected:
        return counted(n, "map was", "maps were") + " not collected whole";
    case Failure::unplaced_files:
        return "the download site lacks files it should have";
    case Failure::site_busy:
        return "another run is syncing the download site";
    case Failure::probe_failed:
        return "the site does not give every file as the server has it";
    }
    return {};
}

} // namespace

void RunSummary::add(const std::string& kind, std::size_t entries, const std::string& map) {
    if (entries == 0) return;
    auto at = std::find_if(problems_.begin(), problems_.end(),
                           [&](const auto& p) { return p.first == kind; });
    if (at == problems_.end()) at = problems_.insert(problems_.end(), {kind, {}});
    at->second.entries += entries;
    at->second.maps.push_back(map_name(map));
}

void RunSummary::checked(const game::MapResolution& map) {
    ++maps_;
    using game::Status;
    add("missing", map.count(Status::missing), map.map);
    add("missing textures", map.missing_textures.size(), map.map);
    add("case", map.count(Status::case_mismatch), map.map);
    add("unsafe", map.count(Status::unsafe), map.map);
    add("refused", map.count(Status::refused), map.map);
    add("damaged", map.count(Status::damaged) + (map.damaged.empty() ? 0 : 1), map.map);
    add("over a limit",
        std::count_if(map.limits.begin(), map.limits.end(), [](auto& l) { return l.over(); }),
        map.map);
    add("warnings", map.entry_warnings() + map.warnings.size(), map.map);
    add("not checked", map.count(Status::unchecked) + map.unchecked_textures.size(), map.map);
}

std::vector<std::string> RunSummary::lines() const {
    std::vector<std::string> lines;
    if (maps_ > 0) {
        lines.push_back(counted(maps_, "map", "maps") + " checked" +
                        (problems_.empty() ? ": nothing to mend" : ":"));
        for (const auto& [kind, problem] : problems_)
            lines.push_back("  " + kind + ": " + counted(problem.entries, "entry", "entries") +
                            " in " + counted(problem.maps.size(), "map", "maps") + " (" +
                            game::first_names(problem.maps) + ")");
    }
    if (status() == 0) {
        lines.push_back("exit 0");
        return lines;
    }
    std::string why;
    if (signal_) why = "stopped by " + signal_name(signal_);
    for (const auto& [failure, count] : failures_)
        why += (why.empty() ? "" : "; ") + failure_text(failure, count);
    lines.push_back("exit " + std::to_string(status()) + ": " + why);
    return lines;
}

int RunSummary::status() const {
    if (signal_) return 128 + signal_;
    return failures_.empty() ? 0 : 1;
}

} // namespace tarnwick::cli
