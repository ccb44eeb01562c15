// tarnwick-res: writes the .res resource file of each map named on the command line,
// with the same scan, filter and writer as the window; when asked, resolves each map's
// entries against the game folder first (game/session.h).

#include "analysis/file_system.h"
#include "analysis/module1.h"
#include "analysis/single_byte.h"
#include "analysis/stock_filter.h"
#include "cli/console.h"
#include "cli/cycle_arguments.h"
#include "cli/map_arguments.h"
#include "cli/options.h"
#include "cli/run_summary.h"
#include "cli/server_run.h"
#include "cli/terminal_progress.h"
#include "game/file_source.h"
#include "game/session.h"
#include "server/requests.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace tarnwick;

std::string count_text(std::size_t n) {
    return std::to_string(n) + (n == 1 ? " resource" : " resources");
}

// Writes (or prints, or with --dry-run says it would write) the resource file of `map` with
// `entries`. Returns false on failure.
bool put_res(const std::string& map, const std::vector<std::string>& entries,
             const cli::Options& options, cli::TerminalProgress& display) {
    const auto head = map + ": " + count_text(entries.size()) + ", ";
    if (options.to_stdout) {
        const auto bytes = analysis::format_res_file(entries, analysis::file_name_of(map));
        std::fwrite(bytes.data(), 1, bytes.size(), stdout);
        std::fflush(stdout);
        display.report(head + "printed to standard output");
        return true;
    }
    const auto destination = analysis::res_path_for(map);
    // Whatever is there is kept: a hidden file, a link, a pipe.
    const bool taken = analysis::name_taken(destination);
    const bool dry = options.game.dry_run;
    if (!options.overwrite && taken) {
        display.report(head + (dry ? "would keep" : "kept") + " the existing " + destination +
                       " (--overwrite replaces it)");
        return true;
    }
    if (dry) {
        display.report(head + (taken ? "would replace " : "would write ") + destination);
        return true;
    }
    const auto written = analysis::write_res_file(entries, map);
    if (!written) {
        display.report(head + "cannot write " + written.destination + ": " + written.reason);
        return false;
    }
    display.report(head + "wrote " + written.destination);
    return true;
}

// A row of the check's report as the command line prints it: the text of the game library,
// with a hint where an option would change what it says.
std::string option_hinted(const game::ReportRow& row) {
    auto line = game::row_text(row);
    if (row.kind == game::RowKind::counts_alone)
        line += " (--base-counts adds them)";
    else if (row.kind == game::RowKind::game_share)
        line += " (--base-counts)";
    else if (row.kind == game::RowKind::no_mod_folder)
        line += " (--game names one)";
    return line;
}

// "a, b, c, …": the first few of `names`, single-byte.
std::string first_names(const std::vector<std::string>& names) {
    constexpr std::size_t shown = 3;
    std::string text;
    for (std::size_t i = 0; i < std::min(shown, names.size()); ++i)
        text += (i ? ", " : "") + analysis::single_byte_to_utf8(names[i]);
    return names.size() > shown ? text + ", …" : text;
}

std::string files_text(std::size_t n) {
    return game::counted(n, "file", "files");
}

// What became of the words of the .res replaced that the new list lacks.
void report_old_res(const game::OldRes& old, bool fresh, cli::TerminalProgress& display) {
    if (!old.unreadable.empty()) display.report("  the old .res cannot be read: " + old.unreadable);
    if (!old.carried.empty()) {
        std::vector<std::string> names;
        for (const auto& o : old.carried)
            names.push_back(o.entry);
        display.report(
            (fresh ? "  not kept from the old .res (--fresh): " : "  kept from the old .res: ") +
            files_text(names.size()) + " (" + first_names(names) + ")");
    }
    // One line a reason, in the order the reasons first come.
    std::vector<std::pair<std::string, std::vector<std::string>>> by_reason;
    for (const auto& l : old.left_out) {
        auto at = std::find_if(by_reason.begin(), by_reason.end(),
                               [&](const auto& r) { return r.first == l.reason; });
        if (at == by_reason.end()) at = by_reason.insert(by_reason.end(), {l.reason, {}});
        at->second.push_back(l.word);
    }
    for (const auto& [reason, words] : by_reason)
        display.report("  left out of the old .res: " + first_names(words) + ": " + reason);
}

// What a plain scan's .res drops of the one it replaces, which it keeps byte for byte.
void report_dropped(const std::string& map, const std::vector<std::string>& entries,
                    cli::TerminalProgress& display) {
    std::vector<std::string> lacking;
    try {
        if (const auto old = game::read_res_file(analysis::res_path_for(map)))
            lacking = game::words_lacking(map, entries, *old);
    } catch (const std::exception& e) {
        return display.report("  the old .res cannot be read: " + std::string(e.what()));
    }
    if (lacking.empty()) return;
    display.report("  the old .res named " + std::to_string(lacking.size()) +
                   (lacking.size() == 1 ? " word" : " words") + " the new one lacks (" +
                   first_names(lacking) + "); --follow keeps those the server has");
}

// What one run is given and where it tells what it finds.
struct Run {
    const cli::Options& options;
    game::Session* session;
    cli::ServerRun& server;
    cli::TerminalProgress& display;
    cli::RunSummary& summary;
    bool counts_alone = false; // a map's counts are its own alone: said once, at the end
    bool unchecked = false;    // something was not checked: how to check it said once
    bool extra_said = false;   // the --extra files are checked once a run
    void report(const std::string& line) const { display.report(line); }
};

// A map's limits said only when a count is over one: on a server of hundreds of maps, a
// map with nothing to act on is one line.
bool quiet_limits(const game::ReportRow& row) {
    return row.kind == game::RowKind::limits &&
           std::none_of(row.limits.begin(), row.limits.end(),
                        [](const game::LimitCount& l) { return l.over(); });
}

// A map's rows: what is not checked only counted, and limits kept within, but with
// --verbose; what the run says once left for its end.
void report_rows(const std::vector<game::ReportRow>& rows, Run& run) {
    for (const auto& row : rows) {
        const bool unchecked_name =
            (row.kind == game::RowKind::entry && row.status == game::Status::unchecked) ||
            row.kind == game::RowKind::unchecked_texture;
        if ((unchecked_name || quiet_limits(row)) && !run.options.verbose) continue;
        if (row.kind == game::RowKind::counts_alone) {
            run.counts_alone = true;
            continue;
        }
        run.unchecked = run.unchecked || row.kind == game::RowKind::unchecked_counts;
        if (const auto line = option_hinted(row); !line.empty()) run.report(line);
    }
}

// The --extra files as the first map's game folder has them, said once a run: their
// counts, then each that is not found as named, or that a .res cannot name.
void report_extra(const std::vector<game::Outcome>& extra, Run& run) {
    if (run.extra_said || extra.empty()) return;
    run.extra_said = true;
    std::array<std::size_t, game::status_count> counts{};
    std::vector<std::string> lines;
    bool failed = false;
    for (const auto& o : extra) {
        ++counts[static_cast<int>(o.status)];
        const auto refused = game::res_word_refusal(o.entry);
        failed = failed || !refused.empty() || o.status == game::Status::missing;
        if (!refused.empty())
            lines.push_back("  refused: " + analysis::single_byte_to_utf8(o.entry) + ": " +
                            refused);
        else {
            game::ReportRow row;
            row.kind = game::RowKind::entry;
            row.status = o.status;
            row.entry = o.entry;
            row.spelled = o.spelled;
            row.text = o.reason;
            if (auto line = game::row_text(row); !line.empty()) lines.push_back(std::move(line));
        }
    }
    std::string head =
        run.options.game.extra + ": " + files_text(extra.size()) + ", sent with every map:";
    for (int s = 0; s < game::status_count; ++s)
        if (counts[s])
            head.append(" ")
                .append(std::to_string(counts[s]))
                .append(" ")
                .append(game::status_name(static_cast<game::Status>(s)))
                .append(",");
    head.pop_back();
    run.report(head);
    for (const auto& line : lines)
        run.report(line);
    if (failed && run.options.game.check) run.summary.failed(cli::Failure::extra_files);
}

// The .res this run makes for the map: written beside it (or, in a dry run, that would be),
// or printed with --stdout; nullopt when the run leaves the one there, or none.
std::optional<std::string> own_res(const game::CheckedMap& checked, const cli::Options& options) {
    const auto& map = checked.resolution.map;
    if (!options.puts_res() || (!options.to_stdout && !options.overwrite &&
                                analysis::name_taken(analysis::res_path_for(map))))
        return std::nullopt;
    return analysis::format_res_file(checked.res_lines, analysis::file_name_of(map));
}

// Copies the map's download folder (--collect), the files the sync would place for it, or
// says what it would copy; false when a file failed or was kept.
bool collect(const game::CheckedMap& checked, const std::string& sent,
             const std::optional<std::string>& res, const Run& run) {
    const auto& options = run.options;
    const bool overwrite = options.overwrite;
    const bool dry = options.writes_nothing();
    const auto result = game::collect_files(
        server::folder_files(*run.session, checked, sent, res ? &*res : nullptr),
        {analysis::to_path(options.game.collect),
         [overwrite](const std::string&) { return overwrite; }, dry});
    for (const auto& file : result.files) {
        const bool copied = file.outcome == game::CollectOutcome::copied;
        run.report("  " + (dry && copied ? "would copy " + file.path : game::collected_text(file)) +
                   (file.outcome == game::CollectOutcome::kept && !overwrite
                        ? " (--overwrite replaces it)"
                        : ""));
    }
    run.report(checked.resolution.map + (dry ? ": would collect " : ": collected ") +
               std::to_string(result.copied) + " files into " + options.game.collect);
    return result.ok;
}

// Resolves the map's entries in the game folder, reports them, and writes the .res the
// options ask for (nothing in a mode that reads, nor with --fastdl); what fails goes to
// the summary.
void resolve_and_put(const cli::MapArgument& argument, const std::vector<std::string>& scanned,
                     Run& run) {
    const auto& map = argument.path;
    const auto& options = run.options;
    const auto report = [&](const std::string& line) { run.report(line); };
    const auto resolved = run.session->resolve(map, scanned);
    report_rows(resolved.rows, run);
    if (!resolved.map) return run.summary.failed(cli::Failure::unread_map);
    const auto& checked = *resolved.map;
    const auto& resolution = checked.resolution;
    report_extra(checked.extra, run);
    run.summary.checked(resolution);
    if (options.game.check) {
        run.server.add(*run.session, checked, argument.sent, report, run.summary);
        if (resolution.incomplete() || resolution.has_problems() || resolution.over_limit())
            run.summary.failed(cli::Failure::checked_map);
        if (!options.game.audit) return;
        const auto audit = run.session->audit(checked);
        report_rows(game::audit_rows(audit), run);
        if (audit.failed()) run.summary.failed(cli::Failure::failed_audit);
        return;
    }
    // Taken before it is written: the game folder's index knows only what was there. Only
    // --collect needs it.
    const auto res = options.game.collect.empty() ? std::nullopt : own_res(checked, options);
    if (options.puts_res()) {
        if (!put_res(map, checked.res_lines, options, run.display))
            run.summary.failed(cli::Failure::unwritten_res);
        report_old_res(checked.old, options.fresh, run.display);
    }
    // After the .res is written: what the server sends is the .res beside the map.
    run.server.add(*run.session, checked, argument.sent, report, run.summary);
    if (!options.game.collect.empty() && !collect(checked, argument.sent, res, run))
        run.summary.failed(cli::Failure::uncollected);
}

// Analyses one map and writes (or prints) its resource file; what fails goes to the summary.
void process(const cli::MapArgument& argument, Run& run) {
    const auto& map = argument.path;
    const auto& options = run.options;
    if (!cli::has_map_extension(map)) {
        run.report(map + ": not a .bsp map, skipped");
        return run.summary.failed(cli::Failure::unread_map);
    }
    analysis::ResourceList list;
    std::string why;
    run.display.start_map(map);
    cli::MapProgress progress(run.display);
    if (!analysis::scan_map(map, analysis::file_name_of(map), list, progress, {}, &why)) {
        run.report(map + ": cannot read the map: " + why);
        return run.summary.failed(cli::Failure::unread_map);
    }
    if (run.session) return resolve_and_put(argument, analysis::shown_entries(list, true), run);
    const auto entries = analysis::shown_entries(list, !options.only_custom);
    if (!options.puts_res()) return run.report(map + ": " + count_text(entries.size()));
    if (options.overwrite && !options.to_stdout) report_dropped(map, entries, run.display);
    if (!put_res(map, entries, options, run.display))
        run.summary.failed(cli::Failure::unwritten_res);
}

// One argument of the batch: a map, or what it names instead.
void process_argument(const cli::MapArgument& argument, Run& run) {
    try {
        if (argument.problem.empty()) return process(argument, run);
        // A map the cycle skips has been said once already, by the cycle's reading.
        if (!argument.said) run.report(argument.path + ": " + argument.problem);
        if (!argument.note)
            run.summary.failed(argument.said ? cli::Failure::skipped_map
                                             : cli::Failure::unread_map);
    } catch (const std::exception& e) {
        run.report(argument.path + ": " + e.what());
        run.summary.failed(cli::Failure::unread_map);
    }
}

// What is said once a run, then the summary.
void finish(const Run& run) {
    if (run.counts_alone)
        run.report(option_hinted({.kind = game::RowKind::counts_alone}).substr(2));
    if (run.unchecked)
        run.report("what was not checked: check on the full installation, or give --stock-list a "
                   "list made there by --make-stock-list; --check does not fail on it" +
                   std::string(run.options.verbose ? "" : " (--verbose names it)"));
    for (const auto& line : run.summary.lines())
        run.report(line);
}

// The words of the --extra list, read as the server reads a .res.
std::vector<std::string> extra_files(const std::string& path) {
    if (path.empty()) return {};
    try {
        const auto text = game::read_res_text(
            game::read_small_file(game::FileSource(path), game::res_read_limit));
        if (text.utf16) throw std::runtime_error("UTF-16, of which a .res reading takes nothing");
        return text.lines;
    } catch (const std::exception& e) {
        throw std::runtime_error("cannot read the extra list " + path + ": " + e.what());
    }
}

// The session of the game folder options, when any is given.
std::unique_ptr<game::Session> game_session(const cli::Options& options) {
    if (!options.game.any()) return nullptr;
    auto choice = options.game.choice;
    choice.only_custom = options.only_custom;
    auto mod = options.game.game;
    if (mod.empty() && !options.game.mapcycle.empty())
        mod = cli::mod_of_cycle(options.game.mapcycle);
    // A .res replaced keeps the files it names that the new list lacks.
    auto old_res = game::OldResUse::ignore;
    if (options.puts_res() && options.overwrite && !options.to_stdout)
        old_res = options.fresh ? game::OldResUse::report : game::OldResUse::carry;
    // A server copy often lacks valve/: the command line says what it could not check.
    const auto& game = options.game;
    return std::make_unique<game::Session>(game::SessionSettings{
        mod, game.stock_list, choice, game.base_counts, game.addon, true, game.engine,
        game.base_listing, game.base_map, old_res, extra_files(game.extra)});
}

// The maps to analyse: the arguments, or the cycle's maps.
std::vector<cli::MapArgument> map_arguments(const cli::Options& options, game::Session* session,
                                            cli::TerminalProgress& display) {
    if (options.game.mapcycle.empty())
        return cli::expand_map_arguments(options.maps, options.recursive);
    return cli::cycle_arguments(options.game.mapcycle, session->settings().game, *session,
                                [&](const std::string& line) { display.report(line); });
}

// Writes the JSON report of every map resolved (--report); false when it failed.
bool write_report(const game::Session& session, const cli::ServerRun& server,
                  const std::string& path, cli::TerminalProgress& display) {
    if (path.empty()) return true;
    try {
        auto report = session.json_document();
        server.add_json(report);
        game::replace_whole_file(analysis::to_path(path),
                                 game::MemorySource(game::json_text(report)));
    } catch (const std::exception& e) {
        display.report("cannot write the report " + path + ": " + e.what());
        return false;
    }
    return true;
}

} // namespace

int tarnwick::cli::run(const std::vector<std::string>& arguments) {
    Options options;
    if (const auto status = parse_options(arguments, options)) return *status;
    std::unique_ptr<game::Session> session;
    try {
        if (!options.make_stock_list.empty())
            std::cout << game::stock_list_of(options.make_stock_list);
        session = game_session(options);
    } catch (const std::exception& e) {
        std::cerr << "tarnwick-res: " << e.what() << "\n";
        return 1;
    }
    std::vector<MapArgument> maps;
    try {
        cli::TerminalProgress early(0);
        maps = map_arguments(options, session.get(), early);
    } catch (const std::exception& e) {
        std::cerr << "tarnwick-res: " << e.what() << "\n";
        return 1;
    }
    cli::TerminalProgress display(maps.size());
    cli::ServerRun server(options);
    cli::RunSummary summary;
    Run run{options, session.get(), server, display, summary};
    for (const auto& argument : maps) {
        process_argument(argument, run);
        display.finish_map();
    }
    const auto report = [&](const std::string& line) { display.report(line); };
    server.finish(report, summary);
    if (session && !write_report(*session, server, options.game.report, display))
        summary.failed(cli::Failure::unwritten_res);
    finish(run);
    display.clear();
    return summary.status();
}
