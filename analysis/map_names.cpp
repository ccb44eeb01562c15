#include "analysis/map_names.h"

#include "analysis/file_system.h"
#include "analysis/single_byte.h"

#include <algorithm>

namespace tarnwick::analysis {

bool has_control_byte(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

MapNames map_names(std::string_view utf8_file_name) {
    MapNames names;
    const bool long_enough = char_count(utf8_file_name) >= 4;
    const auto stem = long_enough ? drop_last_chars(utf8_file_name, 4) : std::string();
    auto single_name = utf8_to_single_byte(utf8_file_name);
    auto single_stem = utf8_to_single_byte(stem);
    names.usable = long_enough && single_name && single_stem && !has_control_byte(utf8_file_name);
    names.name = single_name ? std::move(*single_name) : std::string(utf8_file_name);
    names.stem = single_stem ? std::move(*single_stem) : stem;
    return names;
}

MapNames map_names_of_path(const std::string& map_path) {
    return map_names(file_name_of(map_path));
}

} // namespace tarnwick::analysis
