#pragma once

// The entity text of a compiled map (lump 0): entities in braces, each a list of
// "key" "value" pairs.

#include "game/formats/byte_source.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarnwick::game {

// The most of the entity lump that is read; real maps hold a few hundred kilobytes.
inline constexpr std::uint64_t max_entity_text = 4u << 20;

// The entity lump of a BSP map, up to its first NUL. Throws FormatError: "not a map of
// version 29 or 30", a lump that does not fit in the file, or one larger than max_entity_text.
std::string read_bsp_entity_text(const ByteSource& map);

// One entity's pairs in order, as views into the text they were read from.
using EntityPairs = std::vector<std::pair<std::string_view, std::string_view>>;

// Calls `visit` with each entity of `text` in order. Read as the game reads it: tokens
// are quoted strings (to the closing quote, or the end), braces, or words between
// blanks; tokens outside braces are skipped, a key left without its value is dropped,
// and a "{" inside an entity or the end of the text ends the entity.
void for_each_entity(std::string_view text, const std::function<void(const EntityPairs&)>& visit);

} // namespace tarnwick::game
