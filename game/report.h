#pragma once

// The resolver's findings as rows that say what they are, for both front ends to show in
// their own way; the text of those rows for people (a few lines a map), and the JSON report
// for programs.

#include "game/audit.h"
#include "game/old_res.h"
#include "game/resolution.h"

#include <array>
#include <cstddef>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace tarnwick::game {

// What a row of a report is. The check of a map gives the first group, the game folder
// the second, the comparison with the map's .res the last.
enum class RowKind {
    counts,            // the map's entries by status, its unused wads, missing textures, warnings
    damaged_map,       // the game refuses to load the map
    limits,            // the map's counts beside the engine's limits
    counts_alone,      // the limits count the map's slots, not the game's
    over_limit,        // a count over its limit (the map's, or the .res's lines)
    entry,             // an entry, with its status
    entry_warning,     // what the rules or the reading of its file say of an entry
    unused_wad,        // a texture package named by the map that holds none of its textures
    missing_texture,   // a texture found in no package
    unchecked_texture, // a texture no package there holds, while a fallback folder is not there
    unchecked_counts,  // how many files and textures were not checked, for want of which folder
    map_warning,       // about the map itself
    folder_warning,    // about the game folder, said once a session
    no_mod_folder,     // the map is in no mod's maps folder and none was named
    folder_error,      // the game folder cannot be listed
    res_counts,        // the .res's words and what the comparison found
    no_res,            // the map has no .res beside it
    extra,             // a .res word naming a file the map does not need
    lacking,           // a file the map needs that no .res word names
    other_case,        // a .res word naming a needed file in another case
    names_missing,     // a .res word naming a file that is not there
    refused,           // a .res word the server drops
    unreadable,        // the .res cannot be read, or the server reads nothing of it
    res_warning,       // about reading the .res
    game_share,        // the limits count the game's own share first (said once a session)
};

// The counts of a map's check, for its first row.
struct MapCounts {
    std::size_t entries = 0;
    std::array<std::size_t, status_count> statuses{};
    std::size_t unused_wads = 0;
    std::size_t missing_textures = 0;
    std::size_t unchecked_textures = 0;
    std::size_t warnings = 0;
};

struct ReportRow {
    RowKind kind = RowKind::map_warning;
    Status status = Status::found;      // entry: its status
    std::string entry{};                // the entry, package, texture or .res word, single-byte
    std::string spelled{};              // a case mismatch: the disk's spelling
    From from{};                        // entry, lacking: what needs it
    std::vector<EntityName> entities{}; // entry: the entities that name it
    std::string text{}; // a warning, an entry's reason, why the map is damaged or the .res unread
    // counts, folder_error, no_mod_folder: the map; res_counts: the .res; unchecked_counts: the
    // folder that is not there
    std::string where{};
    MapCounts counts{};               // counts
    std::vector<LimitCount> limits{}; // limits: each count; over_limit: the one over
    // res_counts: words, extra, lacking, case, missing, refused; unchecked_counts: files, textures
    std::vector<std::size_t> numbers{};
    bool exists = false; // extra: a file of that name is in the game folder
};

// The counts, why the map is damaged, the limits, every entry (found ones too) each followed
// by its warnings, the unused wads, the missing textures, what was not checked (its entries,
// its textures, their counts) and the map's warnings.
std::vector<ReportRow> report_rows(const MapResolution& resolution);
// The .res's counts (or that there is none), then what it holds too much, lacks, spells
// otherwise, names that is not there and what the server drops; then its warnings.
std::vector<ReportRow> audit_rows(const Audit& audit);
ReportRow folder_warning_row(std::string warning);

// The counts of a map's check as its counts row says them, without the map: "7 entries: 4
// found, …; 1 unused wad, …".
std::string counts_summary(const MapCounts& counts);
// Of a long list of names, those a report shows: the first three, then how many more
// ("a, b, c and 2 more").
inline constexpr std::size_t names_shown = 3;
std::string first_names(const std::vector<std::string>& names);
// The entities that name an entry, as first_names() shows them: `classname "targetname"`,
// control bytes as \xNN (UTF-8).
std::string entity_names(const std::vector<EntityName>& entities);

// The row as a line for people; empty for a row the text leaves out (an entry found, or
// stock without a reason).
std::string row_text(const ReportRow& row);
// The lines of `rows`, those the text leaves out left out.
std::vector<std::string> report_text(const std::vector<ReportRow>& rows);

// The text of report_rows().
std::vector<std::string> text_report(const MapResolution& resolution);

// "1 file", "2 files": a count and its noun, for people.
std::string counted(std::size_t n, const char* one, const char* many);

// {"maps":[{"map":…,"entries":[{"entry","status","file","spelled","from",…}],
//  "unused_wads":[…],"missing_textures":[…],"audit":{…},"carried":[…],"left_out":[…]}]}
// with entries in the order of the .res; "audit" only when `audits` (one a map, in the same
// order) are given, "carried" and "left_out" when `olds` are and the map had a .res.
std::string json_report(const std::vector<MapResolution>& maps,
                        const std::vector<Audit>& audits = {},
                        const std::vector<OldRes>& olds = {});
// The same as a document, for a front end to add its own parts to before it is written.
nlohmann::ordered_json json_document(const std::vector<MapResolution>& maps,
                                     const std::vector<Audit>& audits = {},
                                     const std::vector<OldRes>& olds = {});
// The files the server sends with every map, as one map's game folder has them: each as an
// entry of a map is, with "refused" when a .res cannot name it.
nlohmann::ordered_json extra_json(const std::vector<Outcome>& extra);
// The document as the report's text.
std::string json_text(const nlohmann::ordered_json& document);

} // namespace tarnwick::game
