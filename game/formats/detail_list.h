#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::game {

// The detail textures that a map's detail file (maps/<map>_detail.txt) names, as
// "gfx/<detail texture>.tga", each once, in the order of the file. The file is read as
// the engine reads it: words (for_each_word), four to a record of a world texture, a
// detail texture and two scales, however they are spread over the lines; a last record
// of fewer than four words is not read.
std::vector<std::string> read_detail_textures(std::string_view detail_file);

} // namespace tarnwick::game
