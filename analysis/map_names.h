#pragma once

// The names a map gives its own files, worked out in one place: its stem (the file name
// less its last four characters, ".bsp"), the two lines every .res begins with, and the
// names of its description, detail and overview files. Everything is single-byte text, as
// the resource lines are.

#include <string>
#include <string_view>

namespace tarnwick::analysis {

struct MapNames {
    std::string name; // "de_foo.bsp"
    std::string stem; // "de_foo"
    // False when the name is shorter than four characters, holds a character that the
    // single-byte text cannot, or a control byte, which would break the .res's lines;
    // `name` and `stem` are then the UTF-8 as it is.
    bool usable = false;

    std::string map_line() const { return "maps/" + name; }          // "maps/de_foo.bsp"
    std::string res_line() const { return "maps/" + stem + ".res"; } // "maps/de_foo.res"
    std::string description() const { return "maps/" + stem + ".txt"; }
    std::string detail() const { return "maps/" + stem + "_detail.txt"; }
    std::string overview(std::string_view extension) const {
        return "overviews/" + stem + std::string(extension);
    }
};

// True when `text` holds a byte below 0x20.
bool has_control_byte(std::string_view text);

// From the map's file name without its folder (UTF-8); the stem drops four characters.
MapNames map_names(std::string_view utf8_file_name);
// The same for the map at `map_path` (UTF-8).
MapNames map_names_of_path(const std::string& map_path);

} // namespace tarnwick::analysis
