#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::game {

// The detail textures that a map's detail file (maps/<map>_detail.txt: lines of a world
// texture, a detail texture and two scales) names, as "gfx/<detail texture>.tga", each
// once, in the order of the file. Lines with fewer than two fields are skipped.
std::vector<std::string> read_detail_textures(std::string_view detail_file);

} // namespace tarnwick::game
