#pragma once

// Steam's list of its game libraries, steamapps/libraryfolders.vdf: a KeyValues text file
// of "key" "value" pairs and "key" { … } blocks, strings quoted with \ escapes.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::game {

// How deep blocks may nest; Steam's own files go three deep.
inline constexpr std::size_t max_library_nesting = 16;

// The library folders that `vdf` lists, as UTF-8 paths, each once, in the order of the
// file: every "path" value at any depth (today's form, `"0" { "path" "C:\\Steam" … }`)
// and every numbered key with a string value directly inside the "libraryfolders" block
// (the older form, `"1" "D:\\SteamLibrary"`). Keys are compared without regard to case;
// \\ \" \n \t in a quoted string are undone, another \ stays as it is. Empty values and
// values holding a NUL name no folder and are left out. Throws FormatError ("damaged at
// offset N: …") when a string or a block is not closed, a "}" closes nothing, a key has
// no value, or blocks nest deeper than max_library_nesting.
std::vector<std::string> read_library_folders(std::string_view vdf);

} // namespace tarnwick::game
