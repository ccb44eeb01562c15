// tarnwick-res: writes the .res resource file of each map named on the command line,
// with the same scan, filter and writer as the window.

#include "analysis/file_system.h"
#include "analysis/module1.h"
#include "analysis/stock_filter.h"
#include "cli/console.h"
#include "cli/map_arguments.h"
#include "cli/options.h"
#include "cli/terminal_progress.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace tarnwick;

std::string count_text(std::size_t n) {
    return std::to_string(n) + (n == 1 ? " resource" : " resources");
}

// Analyses one map and writes (or prints) its resource file. Returns false on failure.
bool process(const std::string& map, const cli::Options& options, cli::TerminalProgress& display) {
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
    const auto entries = analysis::shown_entries(list, !options.only_custom);
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

} // namespace

int tarnwick::cli::run(const std::vector<std::string>& arguments) {
    Options options;
    if (const auto status = parse_options(arguments, options)) return *status;
    const auto maps = expand_map_arguments(options.maps, options.recursive);
    cli::TerminalProgress display(maps.size());
    bool all_done = true;
    for (const auto& [map, problem] : maps) {
        bool done = false;
        try {
            if (problem.empty())
                done = process(map, options, display);
            else
                display.report(map + ": " + problem);
        } catch (const std::exception& e) {
            display.report(map + ": " + e.what());
        }
        all_done = done && all_done;
        display.finish_map();
    }
    display.clear();
    return all_done ? 0 : 1;
}
