#pragma once

// What the entity text of a map names, as the scan names it, and which entity names it:
// the scan's patterns are exact, so a name in another case ("kaboom.WAV", a "SkyName"
// key) is only found here.

#include "game/resolution.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::game {

struct EntityReference {
    std::string entry;   // with the scan's leading folder, single-byte
    std::size_t entity;  // in EntityReferences::entities
    bool scanned = true; // the scan's exact patterns find it as well
};

// The most references kept, as many as the scan's list holds: a real map names far
// fewer, and a made one must not fill the memory.
inline constexpr std::size_t max_entity_references = 32767;

struct EntityReferences {
    std::vector<EntityName> entities;
    std::vector<EntityReference> references; // in the order of the text
    std::vector<std::string> wads;           // of worldspawn's wad key, as the engine opens them
    std::vector<std::string> ignored_skies;  // sky keys the game ignores, "\"key\" \"value\""
    bool cut = false;                        // it named more than max_entity_references
};

// The package the engine opens for one ';'-separated part of the map's wad key: the file
// name with its extension replaced by ".wad" ("\cs\mytex" is "mytex.wad", "Custom.WAD"
// is "Custom.wad"); empty for a spray package or an empty part.
std::string wad_of_part(std::string_view part);

// From each "key" "value" pair of the entity text: a value ending in .mdl, .spr, .wav
// or .tga (any case) with the scan's leading folder put in front; the packages of the
// first entity's (worldspawn's) "wad" key, the key compared exactly, as the engine opens
// them (wad_of_part); and the six faces of worldspawn's "skyname" key, the one the game
// takes. A sky key elsewhere or in another case is kept among the ignored skies.
EntityReferences entity_references(std::string_view entity_text);

} // namespace tarnwick::game
