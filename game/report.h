#pragma once

// The resolver's findings for people (text, a few lines a map) and for programs (JSON).

#include "game/audit.h"
#include "game/resolution.h"

#include <string>
#include <vector>

namespace tarnwick::game {

// The counts, then each problem a line: missing files with the entry that needs them, case
// mismatches with both spellings, unsafe entries, unused wads, missing textures, warnings.
std::vector<std::string> text_report(const MapResolution& resolution);

// The audit of a map's .res: what it lacks and holds too much, each a line.
std::vector<std::string> audit_report(const Audit& audit);

// {"maps":[{"map":…,"entries":[{"entry","status","file","spelled","from",…}],
//  "unused_wads":[…],"missing_textures":[…],"audit":{…}}]} with entries in the order of
// the .res; "audit" only when `audits` (one a map, in the same order) are given.
std::string json_report(const std::vector<MapResolution>& maps,
                        const std::vector<Audit>& audits = {});

} // namespace tarnwick::game
