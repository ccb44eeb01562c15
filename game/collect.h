#pragma once

// A map's download folder: the map, its .res and every file the .res lists that is found
// in the game folder and does not ship with the game, laid out as the game lays them out
// and spelled as the .res spells them.

#include "game/game_folder.h"
#include "game/res_lines.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace tarnwick::game {

// refused: the clients would not download it, so it is not copied.
enum class CollectOutcome { copied, already_there, kept, failed, refused };

// What became of one file.
struct Collected {
    CollectOutcome outcome = CollectOutcome::copied;
    std::string path;   // relative to the download folder, UTF-8
    std::string detail; // failed, refused: why
};

// The file's line for people: "copied …", "already there: …", "kept …: a different file
// is there", "cannot copy …: why", "not copied …: why".
std::string collected_text(const Collected& file);

struct CollectResult {
    std::vector<Collected> files; // in the order they were copied, kept or failed
    std::size_t copied = 0;
    bool ok = true; // false when a file could not be copied, or a different one was in the way
};

// Where to collect, and what to do with a different file that is in the way.
struct CollectTarget {
    std::filesystem::path into;
    // Asked with the file's relative path (UTF-8) when a different file is in the way:
    // true replaces it. Unset: it is kept.
    std::function<bool(const std::string&)> replace;
    bool dry_run = false; // nothing is written: each file copied is one that would be
};

struct CollectRequest {
    std::string map_path;  // the map on the disk (UTF-8)
    std::string res_bytes; // the .res as this run made it
    WriteChoice choice;    // what the .res holds
    CollectTarget target;
    std::vector<Outcome> named = {}; // what the .res names besides the map's entries
};

CollectResult collect(const GameFolder& game, const MapResolution& resolution,
                      const CollectRequest& request);

// One file of a download folder: where it goes, and its bytes.
struct CollectFile {
    std::string line;      // relative to the folder, as a .res line (single-byte)
    std::string disk_path; // the file copied (UTF-8); empty: `bytes`
    std::string bytes = {};
    std::string refused = {}; // why it is never copied; empty: it is
};

// Copies `files`, in their order, into the target.
CollectResult collect_files(const std::vector<CollectFile>& files, const CollectTarget& target);

} // namespace tarnwick::game
