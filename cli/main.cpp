// tarnwick-res: writes the .res resource file of each map named on the command line,
// with the same scan, filter and writer as the window; when asked, resolves each map's
// entries against the game folder first (cli/game_session.h).

#include "analysis/file_system.h"
#include "analysis/module1.h"
#include "analysis/stock_filter.h"
#include "cli/console.h"
#include "cli/game_session.h"
#include "cli/map_arguments.h"
#include "cli/options.h"
#include "cli/terminal_progress.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace tarnwick;

std::string count_text(std::size_t n) {
    return std::to_string(n) + (n == 1 ? " resource" : " resources");
}

// Writes (or prints) the resource file of `map` with `entries`. Returns false on failure.
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
    if (!options.overwrite && analysis::plain_file_exists(destination)) {
        display.report(head + "kept the existing " + destination + " (--overwrite replaces it)");
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

// Resolves the map's entries in the game folder, reports them, and writes the .res the
// options ask for (nothing with --check). Returns false on failure, or when --check finds
// something missing.
bool resolve_and_put(const std::string& map, const std::vector<std::string>& scanned,
                     const cli::Options& options, cli::GameSession& session,
                     cli::TerminalProgress& display) {
    const auto report = [&](const std::string& line) { display.report(line); };
    const auto resolution = session.resolve(map, scanned, report);
    if (!resolution) return false;
    if (options.game.check) return !resolution->incomplete();
    auto entries = game::res_entries(*resolution, options.game.choice);
    if (options.only_custom)
        std::erase_if(entries, [](const std::string& e) { return analysis::is_stock_wad(e); });
    bool ok = put_res(map, entries, options, display);
    if (!options.game.collect.empty()) {
        const auto res = analysis::format_res_file(entries, analysis::file_name_of(map));
        ok = session.collect(*resolution, map, res, options.overwrite, report) && ok;
    }
    return ok;
}

// Analyses one map and writes (or prints) its resource file. Returns false on failure.
bool process(const std::string& map, const cli::Options& options, cli::GameSession* session,
             cli::TerminalProgress& display) {
    if (!cli::has_map_extension(map)) {
        display.report(map + ": not a .bsp map, skipped");
        return false;
    }
    analysis::current_map_name = analysis::file_name_of(map);
    analysis::ResourceList list;
    std::string why;
    display.start_map(map);
    cli::MapProgress progress(display);
    if (!analysis::scan_map(map, list, progress, {}, &why)) {
        display.report(map + ": cannot read the map: " + why);
        return false;
    }
    if (session)
        return resolve_and_put(map, analysis::shown_entries(list, true), options, *session,
                               display);
    return put_res(map, analysis::shown_entries(list, !options.only_custom), options, display);
}

// The session of the game folder options, when any is given.
std::unique_ptr<cli::GameSession> game_session(const cli::Options& options) {
    if (!options.game.any()) return nullptr;
    return std::make_unique<cli::GameSession>(options.game);
}

} // namespace

int tarnwick::cli::run(const std::vector<std::string>& arguments) {
    Options options;
    if (const auto status = parse_options(arguments, options)) return *status;
    std::unique_ptr<GameSession> session;
    try {
        if (!options.make_stock_list.empty()) std::cout << stock_list_of(options.make_stock_list);
        session = game_session(options);
    } catch (const std::exception& e) {
        std::cerr << "tarnwick-res: " << e.what() << "\n";
        return 1;
    }
    const auto maps = expand_map_arguments(options.maps, options.recursive);
    cli::TerminalProgress display(maps.size());
    bool all_done = true;
    for (const auto& [map, problem] : maps) {
        bool done = false;
        try {
            if (problem.empty())
                done = process(map, options, session.get(), display);
            else
                display.report(map + ": " + problem);
        } catch (const std::exception& e) {
            display.report(map + ": " + e.what());
        }
        all_done = done && all_done;
        display.finish_map();
    }
    if (session)
        all_done = session->write_report([&](const std::string& line) { display.report(line); }) &&
                   all_done;
    display.clear();
    return all_done ? 0 : 1;
}
