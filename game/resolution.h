#pragma once

// What a map's check finds, as plain values: each entry's status, where it comes from and
// where it was found, the map's warnings and its counts against the engine's limits. The
// resolver fills these; the rules, the report, the audit, collect and both front ends read
// them.

#include "game/engine.h"
#include "game/game_folder.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::game {

// New statuses go at the end, so that the numbers of the old ones stay.
// replaced: a sky face .tga that is missing while its .bmp, which the game takes instead,
// is found.
// refused: a name that a file names in turn (followed) which is not of the kind that file
// gives, or which the clients' download filter or the server's .res reading refuses: never
// listed, written or collected. damaged: a custom file the client fails on (a model that
// cannot be read): what it needs is unknown. unchecked: not in the folders that are there,
// while a fallback folder that could hold it is not (and no stock list says whether the game
// ships it).
enum class Status {
    found,
    case_mismatch,
    missing,
    stock,
    unsafe,
    replaced,
    refused,
    damaged,
    unchecked
};
inline constexpr int status_count = 9;
// The statuses that every report's counts line shows; the later ones only when an entry
// has them.
inline constexpr int always_counted = 6;
// "found", "case", "missing", "stock", "unsafe", "replaced", "refused", "damaged", "unchecked"
std::string_view status_name(Status status);
// The entry's file is in the game folder where it is not the game's own: found, or found
// with other case.
constexpr bool present(Status status) {
    return status == Status::found || status == Status::case_mismatch;
}

struct EntityName {
    std::string classname;  // empty when the entity has none
    std::string targetname; // empty when it has none
};

// Where an entry comes from: the map's scan, its entity text (in a case the scan misses),
// the file of another entry that needs it, or a line of a .res being audited.
struct From {
    enum class Kind { map, entities, entry, res };
    Kind kind = Kind::map;
    std::string entry; // Kind::entry: the entry whose file needs it

    // Constructors of its own: as an aggregate, GCC's -O3 takes its entry for uninitialized
    // in every report row made with designated initializers, and warns.
    From() noexcept {}
    From(Kind k, std::string e) : kind(k), entry(std::move(e)) {}

    static From map() { return {}; }
    static From entities() { return {Kind::entities, {}}; }
    static From res() { return {Kind::res, {}}; }
    static From needed_by(std::string entry) { return {Kind::entry, std::move(entry)}; }
    // The map or its entity text: what the engine gives a place of its own.
    bool named_by_map() const { return kind == Kind::map || kind == Kind::entities; }
    // "map", "entities", "res", or the entry, as programs are given it (single-byte).
    std::string name() const;
};

struct Outcome {
    std::string entry; // as the map (or the file that needs it) names it, single-byte
    Status status = Status::missing;
    std::string file;    // where it was found, for people (UTF-8); empty when not found
    std::string spelled; // the relative path as the disk spells it; empty when not found
    From from;
    bool followed = false; // added by following, not by the scan
    std::optional<Place> place;
    std::string reason;                // why an entry has its status when its file does not say it
    std::vector<std::string> warnings; // about this entry's file ("not a studio model")
    std::vector<EntityName> entities;  // with following: the entities that name it
    bool engine_sends = false;         // the engine chosen precaches it by itself
};

// A count of the map's against the engine's limit ("models", "sounds", ".res lines").
struct LimitCount {
    std::string what;
    std::size_t count = 0;
    std::size_t limit = 0;
    bool over() const { return count > limit; }
};

struct MapResolution {
    std::string map; // as given (UTF-8)
    std::vector<Outcome> entries;
    std::vector<std::string> unused_wads;
    std::vector<std::string> missing_textures;
    // With a fallback folder not there: the textures no package that is there holds, and
    // which folders are not there ("valve/").
    std::vector<std::string> unchecked_textures;
    std::string unchecked_because;
    std::vector<std::string> warnings; // about the map itself
    std::string damaged;               // why the game refuses the map; empty when it loads it
    std::vector<LimitCount> limits;
    std::size_t brush_models = 0; // the map's model lump: the world and its brush models
    // The inline models *1 … *N that an entity's model key names, each once.
    std::size_t named_inline_models = 0;
    bool hostages = false;            // an entity of the map is a hostage
    std::vector<std::string> wad_key; // the packages of worldspawn's wad key, as opened
    bool counts_alone = true;         // the limits count the map's slots, not the game's
    // The game's own share the limits start from, by table; all 0 when they do not.
    std::array<std::size_t, table_count> game_share{};
    std::size_t count(Status status) const;
    // The warnings of all the entries, each unsafe or refused entry one of them.
    std::size_t entry_warnings() const;
    bool over_limit() const;
    // True when any entry or texture is missing.
    bool incomplete() const;
    // True when the map or an entry is damaged, or an entry unsafe or refused: a check of
    // the map fails.
    bool has_problems() const;
};

} // namespace tarnwick::game
