#pragma once

// What the entity text of a map names, as the scan names it, and which entity names it:
// the scan's patterns are exact, so a name in another case ("kaboom.WAV", a "SkyName"
// key) is only found here.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::game {

struct EntityName {
    std::string classname;  // empty when the entity has none
    std::string targetname; // empty when it has none
};

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
    bool cut = false;                        // it named more than max_entity_references
};

// From each "key" "value" pair of the entity text: a value ending in .mdl, .spr, .wav
// or .tga (any case) with the scan's leading folder put in front; the packages of a "wad"
// key that end in .wad (any case), each the last part of a ';'-separated path; and the
// six faces of a sky key, however it is spelled.
EntityReferences entity_references(std::string_view entity_text);

} // namespace tarnwick::game
