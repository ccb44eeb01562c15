#pragma once

// Line-oriented text files of the game: lines end in LF or CR LF (a lone CR too), fields
// are separated by blanks or tabs, a field may be "quoted", and // starts a comment.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::game {

// Calls `visit` with each line (without its end) and the offset where it starts.
void for_each_line(std::string_view text,
                   const std::function<void(std::string_view, std::size_t)>& visit);

// The fields of `line` up to a // comment; quotes are removed from a quoted field.
std::vector<std::string> split_fields(std::string_view line);

} // namespace tarnwick::game
