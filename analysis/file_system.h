#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tarnwick::analysis {

// Paths are UTF-8 strings; this is the file system's form of one.
std::filesystem::path to_path(const std::string& utf8);
// And back: the UTF-8 string of a path, with '/' between its parts.
std::string utf8_of(const std::filesystem::path& path);

// `text` less its last `count` characters (UTF-8 aware). Throws std::length_error when
// it has fewer than `count` characters.
std::string drop_last_chars(std::string_view text, std::size_t count);
std::size_t char_count(std::string_view utf8);

// The file name of `path` without its directory.
std::string file_name_of(const std::string& path);

// True when an ordinary file lies at `path`: not a directory, device or pipe, and not
// hidden (by a leading dot on POSIX systems, by the hidden or system attribute on
// Windows). It lives with the system's file services, in os/<system>/attributes.cpp.
bool plain_file_exists(const std::string& path);

// True when anything at all lies at `path`: a file, hidden or not, a folder, a device, a
// pipe, a link (one to nothing too). It lives beside plain_file_exists.
bool name_taken(const std::string& path);

} // namespace tarnwick::analysis
