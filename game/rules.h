#pragma once

// What the game's clients and server refuse or limit, checked on a map's resolved entries:
// names (length, characters, dots), texture packages out of the engine's reach, and the
// map's counts against the engine's limits.

#include "game/game_folder.h"
#include "game/resolution.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::game {

inline constexpr std::size_t max_resource_name = 63;
// Slot 0 of each of the engine's tables is reserved: 511 are usable.
inline constexpr std::size_t max_models = 511;
inline constexpr std::size_t max_sounds = 511;
inline constexpr std::size_t max_generic = 511;
inline constexpr std::size_t max_resources = 1280; // the whole resource list
inline constexpr std::size_t max_res_lines = 512;

// The slots the game and its plugins fill before the map's, as a server's own resource
// count prints them; `given` is false when they are not known.
struct BaseCounts {
    std::size_t models = 0, sounds = 0, generic = 0;
    bool given = false;
    bool operator==(const BaseCounts&) const = default;
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

// Adds the map's counts against the engine's limits, each with `base` added: models (the
// map's model lump, and the models and sprites the map names), sounds, generic resources
// (the .res's `res_lines`, the two map lines included), all of them against the whole
// resource list, and the .res's lines against the server's limit.
void count_limits(MapResolution& resolution, std::size_t res_lines, const BaseCounts& base = {});

} // namespace tarnwick::game
