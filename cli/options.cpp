#include "cli/options.h"

#include "analysis/file_system.h"
#include "server/http_client.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <filesystem>
#include <memory>

namespace tarnwick::cli {

namespace {

constexpr const char* description =
    "Writes MAP.res beside each map: the resource file that tells a game server which\n"
    "files (texture packages, sky images, models, sprites, sounds, images and the map's\n"
    "description file) to send to players along with the map.";

constexpr const char* footer =
    "With --game or any other option of the game folder, each map's entries are looked up\n"
    "in the mod folder (after <mod>_addon with --addon), <mod>_downloads, the fallback\n"
    "folders (liblist.gam's fallback_dir, its own in turn, and valve last) and their pack\n"
    "files, and a report goes to standard error.\n"
    "\n"
    "--check, --audit, --probe, --dry-run and --make-stock-list write nothing but the\n"
    "--report file, whatever else is given: beside them, --fastdl and --collect say what\n"
    "they would do. --fastdl writes the site and no .res.\n"
    "\n"
    "Exit status: 0 when every map was analysed, 1 when any map could not be read or\n"
    "its file not written (or, with --check, when a file or texture is missing or a limit\n"
    "is passed; with --audit also when a .res lacks a file that exists, names a missing\n"
    "one or holds a word the server drops; with --mapcycle also when the cycle names a\n"
    "map the server does not have; with --fastdl also when a file that should be on the\n"
    "site is not, or another run holds DIR; with --probe also when the site does not give\n"
    "a file as the server has it), 130 or 143 when SIGINT or SIGTERM stopped the sync (the\n"
    "file in hand finished, the record written), 2 for a usage error.";

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
    // Beside an option's name only its value: which options exclude or need each other is
    // left to the usage error, as the name column has no room for it.
    std::string make_option_opts(const CLI::Option* opt) const override {
        auto text = CLI::Formatter::make_option_opts(opt);
        return text.substr(0, std::min(text.find(" Excludes:"), text.find(" Needs:")));
    }
};

constexpr const char* base_form = "models=N,sounds=N,generic=N,events=N,decals=N";

// The base's numbers: each name at most once, in any order, any left out.
game::BaseCounts base_counts_of(const std::string& text) {
    game::BaseCounts counts;
    counts.given = true;
    bool seen[game::table_count] = {};
    for (std::size_t start = 0;;) {
        const auto end = text.find(',', start);
        const auto part = text.substr(start, end == std::string::npos ? end : end - start);
        const auto equals = part.find('=');
        auto name = part.substr(0, equals);
        const auto number = equals == std::string::npos ? std::string() : part.substr(equals + 1);
        if (name.ends_with('s')) name.pop_back();
        const auto table = game::table_named(name);
        const auto which = table ? static_cast<std::size_t>(*table) : 0;
        if (!table || seen[which] || number.empty() || number.size() > 6 ||
            number.find_first_not_of("0123456789") != std::string::npos)
            throw CLI::ValidationError("--base-counts", std::string("neither a file nor ") +
                                                            base_form + ": " + text);
        seen[which] = true;
        counts[*table] = std::stoul(number);
        if (end == std::string::npos) return counts;
        start = end + 1;
    }
}

// --base-counts: a file there is the server's listings, else the numbers.
void take_base_counts(const std::string& text, GameOptions& game) {
    if (text.empty()) return;
    std::error_code ec;
    if (std::filesystem::is_regular_file(analysis::to_path(text), ec))
        game.base_listing = text;
    else
        game.base_counts = base_counts_of(text);
}

void add_game_options(CLI::App& app, Options& options, std::string& base_counts,
                      std::string& engine) {
    auto& game = options.game;
    auto& choice = game.choice;
    const char* group = "The game folder";
    app.add_option("--game", game.game,
                   "the mod folder (default: the folder above the map's maps/)")
        ->type_name("DIR")
        ->group(group);
    app.add_option("--stock-list", game.stock_list,
                   "files that ship with the game, one relative path a line")
        ->type_name("FILE")
        ->group(group);
    app.add_flag("--follow", choice.follow,
                 "also list what the listed files need (models: textures, sequences, sounds) "
                 "and what the entity text names in another case")
        ->group(group);
    auto* check =
        app.add_flag("--check", game.check,
                     "report only, write nothing; "
                     "status 1 when anything is missing, unsafe, refused, damaged or over a limit")
            ->group(group);
    auto* audit =
        app.add_flag("--audit", game.audit,
                     "compare the .res beside each map with what --follow would write; "
                     "implies --check; status 1 when a .res lacks a file, names a missing one or "
                     "holds a word the server drops")
            ->group(group);
    app.add_option("--report", game.report, "also write the report as JSON to FILE")
        ->type_name("FILE")
        ->group(group);
    app.add_flag("--fix-case", choice.fix_case,
                 "write each entry as the disk spells it, with '/' between its parts")
        ->group(group);
    app.add_flag("--skip-missing", choice.skip_missing, "leave out what is not found")
        ->group(group);
    app.add_flag("--skip-stock", choice.skip_stock, "leave out what ships with the game")
        ->group(group);
    app.add_flag("--addon", game.addon,
                 "look in <mod>_addon first, as the game does when started with its own --addon")
        ->group(group);
    app.add_option("--engine", engine,
                   "the server's engine, whose limits are counted: hlds (the default) or rehlds")
        ->check(CLI::IsMember({"hlds", "rehlds"}, CLI::ignore_case).description(""))
        ->type_name("hlds|rehlds")
        ->group(group);
    app.add_option("--extra", game.extra,
                   "files the server sends with every map (its plugins' sounds and models), one "
                   "path a line as in a .res: added to every .res written and to every map's "
                   "files on the site, and checked once")
        ->type_name("FILE")
        ->group(group);
    auto* base = app.add_option("--base-counts", base_counts,
                                "what the game and its plugins precache before the map: a file "
                                "of what a running ReHLDS printed (its rescount table, or its "
                                "reslist listings each after its command), or the numbers; "
                                "without it, the game's own share for cstrike and czero")
                     ->type_name("FILE|models=N,sounds=N,...")
                     ->group(group);
    app.add_option("--base-map", game.base_map,
                   "the map the server was on when --base-counts was printed (default: the one "
                   "its reslist names); its own share is taken out of the base")
        ->type_name("NAME")
        ->group(group)
        ->needs(base);
    auto* collect = app.add_option("--collect", game.collect,
                                   "copy into DIR the files --fastdl would place for the map: the "
                                   "map, its .res and its custom files")
                        ->type_name("DIR")
                        ->group(group);
    app.add_option("--mapcycle", game.mapcycle,
                   "check the maps the cycle FILE names, as the server reads it, instead of MAP "
                   "(default mod folder: the cycle's folder)")
        ->type_name("FILE")
        ->group(group)
        ->excludes(app.get_option("MAP"));
    const char* site = "The server's download site";
    auto* fastdl = app.add_option("--fastdl", game.fastdl,
                                  "keep DIR, the download site's folder, in sync with every file "
                                  "a client may request for the maps (spelled as the server sends "
                                  "it), from the .res files that are there; writes no .res; a file "
                                  "this program did not place is kept and reported")
                       ->type_name("DIR")
                       ->group(site);
    app.add_flag("--dry-run", game.dry_run,
                 "say what the run would write (the .res files, --collect, --fastdl); write "
                 "nothing")
        ->group(site);
    // What changes how --fastdl syncs, and means nothing without it.
    const struct {
        const char* name;
        bool* flag;
        const char* help;
    } sync_flags[] = {
        {"--prune", &game.prune,
         "also remove what an earlier --fastdl placed and no map given needs any more"},
        {"--gzip", &game.gzip,
         "also write NAME.gz beside each file, for a web server's precompressed gzip"},
        {"--wait", &game.wait,
         "wait for another run that is syncing DIR to end (without it, this run ends with "
         "status 1 at once)"},
    };
    for (const auto& f : sync_flags)
        app.add_flag(f.name, *f.flag, f.help)->group(site)->needs(fastdl);
    app.add_option("--probe", game.probe_url,
                   "ask the download site at URL (default: the sv_downloadurl of the server's "
                   "server.cfg) for every file a client would request, and judge each answer; "
                   "status 1 when any file is not ok")
        ->type_name("[URL]")
        ->expected(0, 1)
        ->group(site);
    app.add_option("--make-stock-list", options.make_stock_list,
                   "print what a clean installation's DIR and fallback hold")
        ->type_name("DIR")
        ->group(group);
    check->excludes(collect)->excludes(app.get_option("--stdout"));
    audit->excludes(collect)->excludes(app.get_option("--stdout"));
}

// --probe takes the word after it only when it is a web address: `--probe de_x.bsp` probes
// the server's own site for that map.
void take_probe(const CLI::App& app, Options& options) {
    auto& game = options.game;
    game.probe = app.count("--probe") > 0;
    auto& url = game.probe_url;
    if (url.empty() || url.starts_with("http://") || url.starts_with("https://")) return;
    if (!app.get_option("MAP")->empty() || game.mapcycle.empty())
        options.maps.insert(options.maps.begin(), url);
    else
        throw CLI::ValidationError("--probe", "not an http:// or https:// address: " +
                                                  server::without_credentials(url));
    url.clear();
}

} // namespace

bool GameOptions::any() const {
    // --dry-run only says what the run would write, whatever else is given.
    auto given = *this;
    given.dry_run = false;
    return given != GameOptions{};
}

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
                 "replace an existing .res file (it is kept otherwise); with --fastdl, replace "
                 "on the site what this program did not place");
    app.add_flag("--fresh", options.fresh,
                 "with --overwrite and the game folder: write the new list alone, without the "
                 "files of the old .res that the new list lacks (they are kept otherwise)");
    app.add_flag("--stdout", options.to_stdout,
                 "print each .res file to standard output instead of writing it");
    app.add_flag("--verbose", options.verbose,
                 "name each file and texture not checked, not only their count");
    app.add_flag("-r,--recursive", options.recursive,
                 "take the maps in the subfolders of a folder too");
    auto* maps =
        app.add_option("MAP", options.maps, "the maps (.bsp), or folders of maps")->type_name("");
    std::string base_counts, engine;
    add_game_options(app, options, base_counts, engine);

    // CLI11 takes the arguments last first, without the program's name.
    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
    if (!reversed.empty()) reversed.pop_back();
    try {
        app.parse(reversed);
        take_probe(app, options);
        if (options.maps.empty() && options.make_stock_list.empty() &&
            options.game.mapcycle.empty())
            throw CLI::RequiredError(maps->get_name());
        if (options.game.audit) options.game.check = options.game.choice.follow = true;
        take_base_counts(base_counts, options.game);
        if (!engine.empty()) options.game.engine = *game::engine_named(engine);
    } catch (const CLI::ParseError& e) {
        const int status = app.exit(e);
        return status == 0 ? 0 : usage_error;
    }
    return std::nullopt;
}

} // namespace tarnwick::cli
