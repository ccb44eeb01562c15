#pragma once

// What the game's clients and server refuse or limit, checked on a map's resolved entries:
// names (length, characters, dots), texture packages out of the engine's reach, and the
// map's counts against the engine's limits.

#include "game/engine.h"
#include "game/game_folder.h"
#include "game/resolution.h"

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::game {

inline constexpr std::size_t max_resource_name = 63;
inline constexpr std::size_t max_res_lines = 512;

// What the game and the server's plugins precache before the map, as a server's own
// listings tell it: counts alone (models=N,… or a rescount table), or names (reslist), each
// less the map it was taken on. `given` is false when nothing is known of them.
struct BaseCounts {
    std::array<std::size_t, table_count> counts{};
    std::array<std::vector<std::string>, table_count> names{};
    bool given = false;
    bool operator==(const BaseCounts&) const = default;
    std::size_t& operator[](Table table) { return counts[static_cast<std::size_t>(table)]; }
};

// What the limits of a map are counted with.
struct LimitSettings {
    Engine engine = Engine::hlds;
    std::string mod;                    // the mod folder's name: cstrike and czero have a share
    std::vector<std::string> res_words; // the words of the .res, the map's two lines first
    const BaseCounts* base = nullptr;   // nothing: the game's share, if known, else none
    bool default_description = false;   // the server has maps/default.txt
};

// True for the players' spray packages (a name holding "pldecal" or "tempdecal"), which
// the engine makes on each client and skips in a map's wad list.
bool is_spray_package(std::string_view name);

// True for an entry that would leave the search folders: "..", an absolute path, a drive.
bool is_unsafe_entry(std::string_view entry);

// The reasons a name breaks the rules of resource names (those of what is sent included),
// each a warning.
std::vector<std::string> name_warnings(std::string_view entry);

// Why the server drops `word` of a .res (a backslash, ':', '..', a program's extension),
// each a reason; empty when it takes it.
std::vector<std::string> server_refusals(std::string_view word);

// Why the clients' download filter refuses to download `name`, or its bytes break the
// download, each a reason; empty when it may be downloaded.
std::vector<std::string> download_refusals(std::string_view name);

// What a file names another as ("a sequence group") and the extensions such a file has.
struct FileKind {
    const char* what;
    std::span<const std::string_view> extensions;
};

// Why a name that a file gives (followed, and looked up as `named`) must not be listed,
// written or collected: a control byte, not of the kind `kind` (nullptr: its reader gave it its
// kind), out of the game's folders, or, when it would be sent, refused by the download filter or
// the server's .res reading, or split into words by the server. Empty when it may be.
std::string followed_refusal(const Outcome& named, const FileKind* kind);

// Where a texture package that is missing at the top of every search folder lies deeper
// in one, and where it must go; empty when it is nowhere in the game folder.
std::string deep_wad_warning(const GameFolder& game, std::string_view wad);

// Adds the warnings of the rules to each entry of `resolution` (what the clients' download
// filter refuses to the entries that are sent: found, case or missing).
void apply_rules(const GameFolder& game, MapResolution& resolution);

// What the map itself asks `engine` to precache, each table's names: the map, its inline
// models as that engine takes them, the models, sprites and sounds it names (sounds without
// "sound/"), and the generic files the engine adds for it by itself. Not the .res's words.
std::array<std::vector<std::string>, table_count> map_precache(const MapResolution& resolution,
                                                               Engine engine);

// True for an entry that `engine` precaches by itself as a generic resource of the map: its
// sky, overview, detail textures, texture packages, and its models' T models and groups.
bool engine_sends(const MapResolution& resolution, const Outcome& entry, Engine engine);

// Adds the map's counts against the engine's limits: each table of `settings.engine`, its
// base and the map's share, the map's entries the base holds taking no new slot; the whole
// list, the bytes of its message; and the .res's words against the server's limit.
void count_limits(MapResolution& resolution, const LimitSettings& settings);

// A base less the share of the map it was taken on (resolved in the same folder): names
// less the map's own (those the game precaches kept), counts less the slots it took.
BaseCounts base_without_map(const BaseCounts& listed, const MapResolution& map,
                            const std::vector<std::string>& res_words, const std::string& mod);

} // namespace tarnwick::game
