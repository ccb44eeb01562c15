#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::game {

// The images that an overview's description (overviews/<map>.txt) names: the word after
// each word "image" (any case), as the client reads the file (for_each_word), each once.
std::vector<std::string> read_overview_images(std::string_view description);

} // namespace tarnwick::game
