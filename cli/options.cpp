#include "cli/options.h"

#include <CLI/CLI.hpp>
#include <memory>

namespace tarnwick::cli {

namespace {

constexpr const char* description =
    "Writes MAP.res beside each map: the resource file that tells a game server which\n"
    "files (texture packages, sky images, models, sprites, sounds, images and the map's\n"
    "description file) to send to players along with the map.";

constexpr const char* footer =
    "Exit status: 0 when every map was analysed, 1 when any map could not be read or\n"
    "its file not written, 2 for a usage error.";

constexpr int usage_error = 2;

// The usage line first, as people (and help2man, which makes the manual page from this
// text) expect it.
class HelpFormatter : public CLI::Formatter {
public:
    std::string make_help(const CLI::App* app, std::string name,
                          CLI::AppFormatMode mode) const override {
        return make_usage(app, std::move(name)) + '\n' + make_description(app) +
               make_positionals(app) + make_groups(app, mode) + '\n' + make_footer(app);
    }
};

} // namespace

std::optional<int> parse_options(const std::vector<std::string>& arguments, Options& options) {
    CLI::App app(description, "tarnwick-res");
    app.footer(footer);
    app.formatter(std::make_shared<HelpFormatter>());
    // A path such as /maps/x.bsp is a map on every system, never an option.
    app.allow_windows_style_options(false);
    app.set_version_flag("--version", "tarnwick-res " TARNWICK_VERSION, "show the version");
    app.set_help_flag("-h,--help", "show this text");
    app.add_flag("--only-custom", options.only_custom,
                 "leave out the texture packages that ship with the game");
    app.add_flag("--overwrite", options.overwrite,
                 "replace an existing .res file (it is kept otherwise)");
    app.add_flag("--stdout", options.to_stdout,
                 "print each .res file to standard output instead of writing it");
    app.add_flag("-r,--recursive", options.recursive,
                 "take the maps in the subfolders of a folder too");
    app.add_option("MAP", options.maps, "the maps (.bsp), or folders of maps")
        ->required()
        ->type_name("");

    // CLI11 takes the arguments last first, without the program's name.
    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
    if (!reversed.empty()) reversed.pop_back();
    try {
        app.parse(reversed);
    } catch (const CLI::ParseError& e) {
        const int status = app.exit(e);
        return status == 0 ? 0 : usage_error;
    }
    return std::nullopt;
}

} // namespace tarnwick::cli
