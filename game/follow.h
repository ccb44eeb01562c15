#pragma once

// What the files of a map need in turn, one row a kind of file: the map itself (its detail
// file and overview description), the overview description (its image), a studio model (its texture
// model, sequence groups and event sounds), the detail file (its textures), and a sky set (the .bmp
// faces the game takes when the .tga back face is missing). A new kind of file is one row and its
// reader.

#include "analysis/map_names.h"
#include "game/formats/studio_model.h"
#include "game/game_folder.h"
#include "game/resolution.h"
#include "game/rules.h"

#include <functional>
#include <string>
#include <vector>

namespace tarnwick::game {

// What the rows know of the map being resolved.
struct FollowContext {
    std::function<Outcome(const std::string& entry, From from)> look_up;
    const GameFolder& game;
    std::vector<Outcome>& entries; // the map's entries so far
    analysis::MapNames names;      // of the map's own files
    std::string detail_beside;     // the detail file beside the map on the disk (UTF-8)
};

// A name a file gives, and the kind of file it must be (followed_refusal).
struct Need {
    std::string entry;
    const FileKind* kind = nullptr;
};

// One kind of file. Both functions are given the entry, or nullptr for the map itself;
// `needs` reads the file, and may mark the entry (a sky face the game replaces).
struct FollowRow {
    const char* what;
    bool (*applies)(const Outcome* entry, const FollowContext& context);
    std::vector<Need> (*needs)(Outcome* entry, const FollowContext& context);
    // The client fails on such a file when it cannot be read: the entry is then damaged.
    bool unreadable_is_damaged = false;
};

// What the studio model `entry` needs by `model`, each with its kind.
std::vector<Need> model_follow_needs(const std::string& entry, const StudioModel& model);

// The entries that `entry` (nullptr: the map itself) needs, by every row that applies, in
// the order of the rows. A file that cannot be read leaves its error in `warnings` (or, by
// a row that says so, in the entry's reason, and the entry damaged) and needs nothing; a
// refused entry needs nothing either.
std::vector<Need> needs_of(Outcome* entry, const FollowContext& context,
                           std::vector<std::string>& warnings);

} // namespace tarnwick::game
