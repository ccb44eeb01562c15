#pragma once

// A server's map cycle (mapcycle.txt) read as the game's server code reads it: token by
// token with its own parser (any byte up to the space, and every byte from 0x80 up,
// separates; "//" where a token would start comments out the rest of the line; a quoted
// string is one token, to its closing quote or the end; each of { } ( ) ' , is a token of
// its own; ';' and ':' are ordinary bytes). The first token of a line is a map; when
// anything but blanks follows it on its line, the next token is that map's rules,
// wherever it lies. An empty token ("") where a map would be ends the cycle.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::game {

// The server keeps a map's name in 32 bytes.
inline constexpr std::size_t max_cycle_name = 31;

struct CycleMap {
    std::string name;     // cut to max_cycle_name bytes
    std::string rules;    // the info string that follows it; empty when none
    std::size_t line = 0; // where the name is, from 1
};

struct MapCycle {
    std::vector<CycleMap> maps; // in order, duplicates kept
    // A map taken as the rules of the one before it (after a comment on that one's line),
    // and so lost from the cycle, each a line naming both.
    std::vector<std::string> warnings;
};

MapCycle read_map_cycle(std::string_view text);

} // namespace tarnwick::game
