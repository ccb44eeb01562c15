#pragma once

// The resolver's findings for people (text, a few lines a map) and for programs (JSON).

#include "game/resolver.h"

#include <string>
#include <vector>

namespace tarnwick::game {

// The counts, then each problem a line: missing files with the entry that needs them, case
// mismatches with both spellings, unsafe entries, unused wads, missing textures, warnings.
std::vector<std::string> text_report(const MapResolution& resolution);

// {"maps":[{"map":…,"entries":[{"entry","status","file","spelled","from",…}],
//  "unused_wads":[…],"missing_textures":[…]}]} with entries in the order of the .res.
std::string json_report(const std::vector<MapResolution>& maps);

} // namespace tarnwick::game
