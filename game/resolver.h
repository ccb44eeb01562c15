#pragma once

// What a map's entries are in the game folder: found, found with other case, missing,
// shipped with the game, or unsafe to look up; and, when asked, what the found files need
// in turn (a model's texture model, sequence groups and sounds; the map's detail textures
// and overviews), and which of the map's textures no texture package holds.

#include "game/entity_references.h"
#include "game/formats/bsp.h"
#include "game/formats/names.h"
#include "game/game_folder.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::game {

// New statuses go at the end, so that the numbers of the old ones stay.
// replaced: a sky face .tga that is missing while its .bmp, which the game takes instead,
// is found.
enum class Status { found, case_mismatch, missing, stock, unsafe, replaced };
inline constexpr int status_count = 6;
// "found", "case", "missing", "stock", "unsafe", "replaced"
std::string_view status_name(Status status);

// Where an entry comes from: the map's scan, its entity text (in a case the scan misses),
// the file of another entry that needs it, or a line of a .res being audited.
struct From {
    enum class Kind { map, entities, entry, res };
    Kind kind = Kind::map;
    std::string entry; // Kind::entry: the entry whose file needs it

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
    std::vector<std::string> warnings; // about the map itself
    std::vector<LimitCount> limits;
    std::size_t brush_models = 0; // the map's model lump: the world and its brush models
    bool counts_alone = true;     // the limits count the map's slots, not the game's
    std::size_t count(Status status) const;
    // The warnings of all the entries.
    std::size_t entry_warnings() const;
    bool over_limit() const;
    // True when any entry or texture is missing.
    bool incomplete() const;
};

// A stock list: one relative path a line, '#' starts a comment.
NameSet read_stock_list(std::string_view text);

// True for an entry that would leave the search folders: "..", an absolute path, a drive.
bool is_unsafe_entry(std::string_view entry);

class Resolver {
public:
    Resolver(const GameFolder& game, NameSet stock_list)
        : game_(game), stock_(std::move(stock_list)) {}

    // `map_path` is the map on the disk (UTF-8), `entries` its scan's entries.
    MapResolution resolve(const std::string& map_path, const std::vector<std::string>& entries,
                          bool follow) const;
    Outcome look_up(const std::string& entry, From from) const;

private:
    bool is_stock(std::string_view entry) const;
    void follow_entries(const BspMap& map, const std::string& map_path,
                        MapResolution& resolution) const;
    void check_textures(const BspMap& map, MapResolution& resolution) const;

    const GameFolder& game_;
    NameSet stock_;
};

// What to write to the .res from a resolution.
struct WriteChoice {
    bool follow = false;
    bool fix_case = false;
    bool skip_missing = false;
    bool skip_stock = false;
    bool only_custom = false; // leave out the stock texture packages, as the window's filter does
};
std::vector<const Outcome*> selected(const MapResolution& resolution, const WriteChoice& choice);
std::string res_line(const Outcome& outcome, const WriteChoice& choice);
std::vector<std::string> res_entries(const MapResolution& resolution, const WriteChoice& choice);

} // namespace tarnwick::game
