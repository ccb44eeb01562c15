#pragma once

// Resource text is one byte per character. Bytes 128-255 map to Unicode through one
// fixed Windows-1252 table (its five unassigned bytes map to the C1 controls of the
// same number), so every byte survives a round trip through the screen's Unicode.

#include <optional>
#include <string>
#include <string_view>

namespace tarnwick::analysis {

char32_t byte_to_unicode(unsigned char byte);
// The byte for `code`, or nothing when the table has no byte for it.
std::optional<unsigned char> unicode_to_byte(char32_t code);

std::string single_byte_to_utf8(std::string_view bytes);
// Appends the UTF-8 form of `code`.
void append_utf8(std::string& out, char32_t code);
// Nothing when `utf8` is malformed or holds a character the table cannot hold.
std::optional<std::string> utf8_to_single_byte(std::string_view utf8);

} // namespace tarnwick::analysis
