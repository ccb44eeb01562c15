#include "analysis/file_system.h"

#include "analysis/os/files.h"

#include <stdexcept>

namespace tarnwick::analysis {

std::filesystem::path to_path(const std::string& utf8) {
    const std::u8string u8(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size());
    return std::filesystem::path(u8);
}

std::string utf8_of(const std::filesystem::path& path) {
    const auto u8 = path.generic_u8string();
    return std::string(reinterpret_cast<const char*>(u8.data()), u8.size());
}

std::size_t char_count(std::string_view utf8) {
    std::size_t n = 0;
    for (char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}

std::string drop_last_chars(std::string_view text, std::size_t count) {
    std::size_t end = text.size();
    for (std::size_t dropped = 0; dropped < count; ++dropped) {
        if (end == 0)
            throw std::length_error("text has fewer than " + std::to_string(count) + " characters");
        --end;
        while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
            --end;
    }
    return std::string(text.substr(0, end));
}

std::string file_name_of(const std::string& path) {
    const auto cut = path.find_last_of(os::path_separators);
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

} // namespace tarnwick::analysis
