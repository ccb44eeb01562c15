#pragma once

// The lines of a map's .res, chosen once from its resolution: what is followed, in which
// spelling, and what is left out.

#include "game/resolution.h"

#include <string>
#include <vector>

namespace tarnwick::game {

// What to write to the .res from a resolution.
struct WriteChoice {
    bool follow = false;
    bool fix_case = false;
    bool skip_missing = false;
    bool skip_stock = false;
    bool only_custom = false; // leave out the stock texture packages, as the window's filter does
    bool operator==(const WriteChoice&) const = default;
};
// Why the options leave `outcome` out of a .res ("ships with the game (--skip-stock)");
// empty when they keep it.
std::string left_out_by(const Outcome& outcome, const WriteChoice& choice);
std::vector<const Outcome*> selected(const MapResolution& resolution, const WriteChoice& choice);
std::string res_line(const Outcome& outcome, const WriteChoice& choice);
std::vector<std::string> res_entries(const MapResolution& resolution, const WriteChoice& choice);

} // namespace tarnwick::game
