#include "game/rules.h"

#include "analysis/file_system.h"
#include "analysis/single_byte.h"
#include "game/formats/names.h"

#include <algorithm>
#include <cstdio>

namespace tarnwick::game {
namespace {

// The server splits each line of a .res into words at these.
constexpr std::string_view word_breaks = " (){}':,";

std::string_view file_name_part(std::string_view entry) {
    const auto slash = entry.find_last_of("/\\");
    return slash == std::string_view::npos ? entry : entry.substr(slash + 1);
}

std::string shown_byte(char c) {
    if (c == ' ') return "a space";
    char text[8];
    std::snprintf(text, sizeof text, "'%c'", c);
    return text;
}

// Counted only when the map or its entities name it: what a model needs is loaded with
// the model, not given a place of its own.
std::size_t count_named(const MapResolution& r, std::initializer_list<std::string_view> ends) {
    return static_cast<std::size_t>(std::count_if(r.entries.begin(), r.entries.end(), [&](auto& o) {
        return o.from.named_by_map() &&
               std::any_of(ends.begin(), ends.end(),
                           [&](std::string_view end) { return ends_with_name(o.entry, end); });
    }));
}

std::string too_long(std::string_view entry, const GameFolder*) {
    if (entry.size() <= max_resource_name) return {};
    return std::to_string(entry.size()) + " characters, longer than the " +
           std::to_string(max_resource_name) + " the engine holds in a resource name";
}

std::string word_break(std::string_view entry, const GameFolder*) {
    std::string breaks;
    for (const char c : word_breaks)
        if (entry.find(c) != std::string_view::npos)
            breaks += (breaks.empty() ? "" : ", ") + shown_byte(c);
    if (breaks.empty()) return {};
    return "holds " + breaks + ", at which the server splits a .res line into words";
}

std::string not_printable(std::string_view entry, const GameFolder*) {
    if (std::none_of(entry.begin(), entry.end(),
                     [](unsigned char c) { return c < 0x20 || c > 0x7e; }))
        return {};
    return "holds bytes outside printable ASCII, which break the download";
}

std::string two_dots(std::string_view entry, const GameFolder*) {
    const auto name = file_name_part(entry);
    if (std::count(name.begin(), name.end(), '.') <= 1) return {};
    return "more than one dot in the file name: clients refuse to download it";
}

bool missing_wad(const Outcome& o) {
    return o.status == Status::missing && ends_with_name(o.entry, ".wad");
}

std::string deep_wad(std::string_view entry, const GameFolder* game) {
    return deep_wad_warning(*game, entry);
}

// One rule of the clients or the server. `applies` picks the entries it is checked on,
// nullptr for every entry by its name alone; `broken` gives its warning, or nothing when
// the entry keeps it.
struct Rule {
    const char* what;
    bool (*applies)(const Outcome&);
    std::string (*broken)(std::string_view entry, const GameFolder* game);
};

const Rule rules[] = {
    {"the engine's length of a resource name", nullptr, too_long},
    {"the bytes at which the server splits a .res line", nullptr, word_break},
    {"printable ASCII, for the download", nullptr, not_printable},
    {"one dot in a file name, for the clients' download", nullptr, two_dots},
    {"texture packages at the top of a search folder", missing_wad, deep_wad},
};

} // namespace

std::vector<std::string> name_warnings(std::string_view entry) {
    std::vector<std::string> warnings;
    for (const auto& rule : rules)
        if (!rule.applies)
            if (auto warning = rule.broken(entry, nullptr); !warning.empty())
                warnings.push_back(std::move(warning));
    return warnings;
}

std::string deep_wad_warning(const GameFolder& game, std::string_view wad) {
    const auto name = file_name_part(wad);
    for (const auto& path : game.paths_named(name)) {
        for (const auto& place : game.candidates(path)) {
            if (place.pack >= 0) continue;
            const auto top = game.folders()[place.folder].path /
                             analysis::to_path(analysis::single_byte_to_utf8(name));
            const auto to = top.generic_u8string();
            return "not at the top of any search folder, where the engine looks: it lies at " +
                   game.describe(place) + " and must go to " + std::string(to.begin(), to.end());
        }
    }
    return {};
}

void apply_rules(const GameFolder& game, MapResolution& r, std::size_t brush_models) {
    for (auto& o : r.entries)
        for (const auto& rule : rules)
            if (!rule.applies || rule.applies(o))
                if (auto warning = rule.broken(o.entry, &game); !warning.empty())
                    o.warnings.push_back(std::move(warning));
    r.limits.push_back({"models", brush_models + count_named(r, {".mdl", ".spr"}), max_models});
    r.limits.push_back({"sounds", count_named(r, {".wav"}), max_sounds});
}

void count_res_lines(MapResolution& r, std::size_t lines) {
    r.limits.push_back({".res lines", lines, max_res_lines});
}

} // namespace tarnwick::game
