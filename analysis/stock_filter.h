#pragma once

#include "analysis/resource_list.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::analysis {

// The texture packages that ship with the game.
inline constexpr std::array<std::string_view, 23> stock_wads = {
    "cs_dust.wad",   "ajawad.wad",     "de_aztec.wad", "cached.wad",      "chateau.wad",
    "cs_747.wad",    "cs_assault.wad", "cs_bdog.wad",  "cs_cbble.wad",    "cs_havana.wad",
    "cs_office.wad", "cstrike.wad",    "halflife.wad", "de_airstrip.wad", "de_piranesi.wad",
    "de_storm.wad",  "de_vertigo.wad", "itsitaly.wad", "prodigy.wad",     "torntextures.wad",
    "liquids.wad",   "xeno.wad",       "decals.wad",
};

// True when `entry` is exactly one of the stock names (whole entry, case-sensitive).
bool is_stock_wad(std::string_view entry);

// The entries of `list` that are shown: all of them, or all but the stock packages.
std::vector<std::string> shown_entries(const ResourceList& list, bool show_all);

} // namespace tarnwick::analysis
