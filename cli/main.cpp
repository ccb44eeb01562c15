// tarnwick-res: writes the .res resource file of each map named on the command line,
// with the same scan, filter and writer as the window.

#include "analysis/file_system.h"
#include "analysis/module1.h"
#include "analysis/stock_filter.h"
#include "cli/console.h"
#include "cli/terminal_progress.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

using namespace tarnwick;

constexpr const char* usage_text =
    "Usage: tarnwick-res [--only-custom] [--overwrite] [--stdout] MAP.bsp...\n";

constexpr const char* help_text =
    "Writes MAP.res beside each map: the resource file that tells a game server which\n"
    "files (texture packages, sky images, models, sprites, sounds, images and the map's\n"
    "description file) to send to players along with the map.\n"
    "\n"
    "  --only-custom  leave out the texture packages that ship with the game\n"
    "  --overwrite    replace an existing .res file (it is kept otherwise)\n"
    "  --stdout       print each .res file to standard output instead of writing it\n"
    "  --help         show this text\n"
    "  --version      show the version\n"
    "\n"
    "Exit status: 0 when every map was analysed, 1 when any map could not be read or\n"
    "its file not written, 2 for a usage error.\n";

struct Options {
    bool only_custom = false;
    bool overwrite = false;
    bool to_stdout = false;
    std::vector<std::string> maps;
};

enum class Parse { run, done, usage_error };

Parse parse(const std::vector<std::string>& arguments, Options& options) {
    bool only_maps = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
        if (only_maps || arg.empty() || arg[0] != '-' || arg == "-") {
            options.maps.push_back(arg);
        } else if (arg == "--") {
            only_maps = true;
        } else if (arg == "--only-custom") {
            options.only_custom = true;
        } else if (arg == "--overwrite") {
            options.overwrite = true;
        } else if (arg == "--stdout") {
            options.to_stdout = true;
        } else if (arg == "--help" || arg == "-h") {
            std::cout << usage_text << '\n' << help_text;
            return Parse::done;
        } else if (arg == "--version") {
            std::cout << "tarnwick-res " TARNWICK_VERSION "\n";
            return Parse::done;
        } else {
            std::cerr << "tarnwick-res: unknown option '" << arg << "'\n" << usage_text;
            return Parse::usage_error;
        }
    }
    if (options.maps.empty()) {
        std::cerr << "tarnwick-res: no map given\n" << usage_text;
        return Parse::usage_error;
    }
    return Parse::run;
}

bool has_map_extension(const std::string& path) {
    if (path.size() < 4) return false;
    std::string ext = path.substr(path.size() - 4);
    for (auto& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".bsp";
}

std::string count_text(std::size_t n) {
    return std::to_string(n) + (n == 1 ? " resource" : " resources");
}

// Analyses one map and writes (or prints) its resource file. Returns false on failure.
bool process(const std::string& map, const Options& options, cli::TerminalProgress& display) {
    if (!has_map_extension(map)) {
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
    switch (parse(arguments, options)) {
    case Parse::done:
        return 0;
    case Parse::usage_error:
        return 2;
    case Parse::run:
        break;
    }
    cli::TerminalProgress display(options.maps.size());
    bool all_done = true;
    for (const auto& map : options.maps) {
        try {
            all_done = process(map, options, display) && all_done;
        } catch (const std::exception& e) {
            display.report(map + ": " + e.what());
            all_done = false;
        }
        display.finish_map();
    }
    display.clear();
    return all_done ? 0 : 1;
}
