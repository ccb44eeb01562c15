#pragma once

// What a running ReHLDS server printed of its precache tables, as its console commands
// print it: `rescount`, a table of each table's total and limit
//
//       Type    : Total Limit
//       model   : 229   510
//     ------------------------
//     846 Total of precached resource count
//
// and `reslist <model|sound|generic|event|decal>`, a line a resource: its number, its
// index and its name, then its size, hash and flags. A listing's table is said by the
// `reslist TABLE` line before it (as a console log echoes the command, after any prompt).
// Any other line without a number first is a heading and is passed over.

#include "game/engine.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::game {

// The engine keeps a resource's name in 64 bytes.
inline constexpr std::size_t max_listed_name = 63;

struct ServerListing {
    std::array<std::optional<std::size_t>, table_count> totals; // rescount
    std::array<std::vector<std::string>, table_count> names;    // reslist, in order
    std::array<bool, table_count> listed{};                     // a reslist of the table
    bool has_totals() const;
    bool has_names() const;
};

// Throws FormatError naming the line ("line 4: …") of a line that cannot be read, and for
// a text that holds neither a rescount table nor a reslist listing.
ServerListing read_server_listing(std::string_view text);

} // namespace tarnwick::game
