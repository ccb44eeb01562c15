#pragma once

// Text files as the engine's own parser reads them, word by word (a .res on the server,
// a detail file and an overview description on the client).

#include <functional>
#include <string_view>

namespace tarnwick::game {

// Calls `visit` with each word of `text`, which ends at its first NUL. Bytes up to the
// space, ',' and every byte from 0x80 up separate words (the engine's characters are
// signed); "//" where a word would start makes the rest of the line a comment; a quoted
// string is one word, to its closing quote or the end; each of { } ( ) ' : is a word of
// its own. An empty word ("") ends the reading, as the engine stops at it.
void for_each_word(std::string_view text, const std::function<void(std::string_view)>& visit);

} // namespace tarnwick::game
