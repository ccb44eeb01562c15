#pragma once

// The maps that the arguments of tarnwick-res name: maps themselves, folders of maps and,
// on Windows, wildcard patterns.

#include <string>
#include <vector>

namespace tarnwick::cli {

// True when `path` ends in ".bsp", in any case.
bool has_map_extension(const std::string& path);

// One map to analyse, or, when `problem` is set, an argument that named none; the
// problem is reported in its place in the batch.
struct MapArgument {
    std::string path;
    std::string problem;
    std::string sent =
        {};            // the map's name as the server sends it (from a cycle); empty: its file's
    bool note = false; // the problem is only said: the map has nothing to check
    bool said = false; // a map the cycle skips: its reading has said so
};

// The arguments in order. A folder stands for every .bsp file in it, sorted by name, and
// with `recursive` for those in its subfolders as well; a pattern for what it matches;
// anything else for itself (the batch refuses it when it is no map).
std::vector<MapArgument> expand_map_arguments(const std::vector<std::string>& arguments,
                                              bool recursive);

} // namespace tarnwick::cli
