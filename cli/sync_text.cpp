#include "cli/sync_text.h"

#include "analysis/file_system.h"
#include "analysis/single_byte.h"
#include "cli/console.h"

namespace tarnwick::cli {
namespace {

using server::Action;
using server::Reason;

std::string shown(const std::string& relative) {
    return analysis::single_byte_to_utf8(relative);
}

std::string without_gz(const std::string& path) {
    return path.ends_with(".gz") ? path.substr(0, path.size() - 3) : path;
}

// What a .gz this program did not place does, and how to mend it.
std::string foreign_gzip(const std::string& gz, const server::SyncOptions& options) {
    const auto file = without_gz(gz);
    return "not placed by this program; a web server that sends .gz files sends it in place of " +
           shown(file) + ": players get the old " + (file.ends_with(".bsp") ? "map" : "file") +
           (options.gzip ? " (--overwrite replaces it)" : " (--gzip --overwrite replaces it)");
}

std::string kept_why(const server::Step& step, const server::SyncOptions& options) {
    switch (step.reason) {
    case Reason::same_bytes:
        return "not placed by this program, the same bytes as the server's; --overwrite takes it "
               "over";
    case Reason::foreign_gzip:
        return foreign_gzip(step.path, options);
    case Reason::changed_since_placed:
        return "changed since it was placed, so no longer this program's";
    default:
        return "not placed by this program (--overwrite replaces it)";
    }
}

std::string failed_line(const server::StepResult& done) {
    const auto& step = done.step;
    const auto path = shown(step.path);
    switch (done.outcome) {
    case server::Outcome::source_changed:
        return path + ": the server's file changed while it was copied, so it was not put in "
                      "place (tried again at the end)";
    case server::Outcome::source_changing:
        return "not placed: " + path + ": the server's file changed again while it was copied";
    case server::Outcome::not_reached:
        return {}; // counted in the line of the stop
    default:
        return (step.action == Action::remove ? "cannot remove " : "cannot place ") + path + ": " +
               done.detail;
    }
}

// The line of a step, or empty for one people need not hear of.
std::string step_line(const server::StepResult& done, const server::SyncOptions& options) {
    const auto& step = done.step;
    const auto path = shown(step.path);
    const bool planned = done.outcome == server::Outcome::planned;
    if (!planned && done.outcome != server::Outcome::done) return failed_line(done);
    if (step.reason == Reason::unreadable && step.action == Action::remove)
        return (planned ? "would remove " : "removed ") + path +
               ": the copy placed before of what the server never sends";
    if (step.action != Action::keep) return {};
    if (step.reason == Reason::in_the_way)
        return (planned ? "would not place: " : "not placed: ") + path +
               ": a link or a file is in its way (not followed)";
    if (step.reason == Reason::unreadable)
        return path + " leads to a file the server's user cannot read: " +
               (planned ? "would not be published" : "not published");
    return (planned ? "would keep " : "kept ") + path + ": " + kept_why(step, options);
}

std::size_t not_placed(const server::SyncResult& r) {
    std::size_t count = 0;
    for (const auto& step : r.steps)
        if (step.outcome == server::Outcome::failed ||
            step.outcome == server::Outcome::not_reached ||
            step.outcome == server::Outcome::source_changing || server::falls_short(step.step))
            ++count;
    return count;
}

std::string summary(const server::SyncResult& r, const server::SyncOptions& options) {
    const auto dir = analysis::utf8_of(options.dir);
    const auto n = [](std::size_t count) { return std::to_string(count); };
    const auto short_of = not_placed(r);
    if (r.added.empty() && r.replaced.empty() && r.removed.empty() && !short_of)
        return dir + ": nothing to copy: " + n(r.unchanged.size()) + " files already in place" +
               (r.foreign.empty() ? "" : ", " + n(r.foreign.size()) + " kept");
    const bool dry = options.dry_run;
    return dir + ": " + (dry ? "would add " : "added ") + n(r.added.size()) +
           (dry ? ", replace " : ", replaced ") + n(r.replaced.size()) +
           (dry ? ", remove " : ", removed ") + n(r.removed.size()) + "; " + n(r.unchanged.size()) +
           " unchanged, " + n(r.foreign.size()) + " kept; " + n(r.bytes) + " bytes " +
           // A dry run compresses nothing, so the .gz files' bytes are not known.
           (dry ? (options.gzip ? "to write, and their .gz" : "to write") : "written") +
           (short_of ? "; " + n(short_of) + (dry ? " would not be" : " not") + " as they should be"
                     : "");
}

} // namespace

std::vector<std::string> sync_lines(const server::SyncResult& result,
                                    const server::SyncOptions& options) {
    std::vector<std::string> lines;
    if (!result.held)
        return {analysis::utf8_of(options.dir) + ": stopped by " + signal_name(result.stopped) +
                " while waiting for the run that holds it; nothing was changed"};
    if (result.unneeded)
        lines.push_back(std::to_string(result.unneeded) +
                        " files placed before are needed by no map given (--prune removes them)");
    for (const auto& step : result.steps)
        if (auto line = step_line(step, options); !line.empty()) lines.push_back(std::move(line));
    if (!result.record_failure.empty())
        lines.push_back("cannot write the download folder's record: " + result.record_failure +
                        "; its journal keeps what was placed, and the next run folds it in");
    if (result.stopped) {
        std::size_t left = 0;
        for (const auto& step : result.steps)
            left += step.outcome == server::Outcome::not_reached;
        lines.push_back("stopped by " + signal_name(result.stopped) +
                        ": the file in hand was finished and the record written; " +
                        std::to_string(left) + " left for the next run");
    }
    lines.push_back(summary(result, options));
    return lines;
}

} // namespace tarnwick::cli
