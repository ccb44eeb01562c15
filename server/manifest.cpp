#include "server/manifest.h"

#include "server/requests.h"

#include <charconv>
#include <cstdio>
#include <vector>

namespace tarnwick::server {
namespace {

constexpr std::string_view header = "tarnwick download folder 1";
constexpr std::size_t fields = 7;

template <typename Number> bool number_of(std::string_view text, Number& value, int base = 10) {
    const auto end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value, base);
    return !text.empty() && error == std::errc() && at == end;
}

// The tab-separated fields of a line; the path, last, may not hold a tab.
std::vector<std::string_view> split(std::string_view line) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const auto tab = line.find('\t', start);
        parts.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
        if (tab == std::string_view::npos || parts.size() > fields) return parts;
        start = tab + 1;
    }
}

bool read_line(std::string_view line, Manifest& manifest) {
    const auto parts = split(line);
    Placed placed;
    if (parts.size() != fields || !number_of(parts[0], placed.size) || parts[1].size() != 8 ||
        !number_of(parts[1], placed.hash, 16) || !number_of(parts[2], placed.stamp.size) ||
        !number_of(parts[3], placed.stamp.time) || !number_of(parts[4], placed.source.size) ||
        !number_of(parts[5], placed.source.time))
        return false;
    // A path the folder never holds would lead a removal elsewhere.
    const auto path = std::string(parts[6]);
    const bool gz = path.ends_with(".gz");
    const auto file = gz ? path.substr(0, path.size() - 3) : path;
    return download_refusal(file).empty() && manifest.emplace(path, placed).second;
}

} // namespace

Manifest read_manifest(std::string_view text) {
    const auto first = text.find('\n');
    if (text.substr(0, first) != header)
        throw game::FormatError("not a record of this program's download folder");
    Manifest manifest;
    std::size_t number = 1;
    for (auto start = first; start != std::string_view::npos && start + 1 < text.size();) {
        ++number;
        const auto end = text.find('\n', start + 1);
        if (end == std::string_view::npos)
            throw game::FormatError("damaged: line " + std::to_string(number) + " is cut");
        if (!read_line(text.substr(start + 1, end - start - 1), manifest))
            throw game::FormatError("damaged at line " + std::to_string(number));
        start = end;
    }
    return manifest;
}

std::string manifest_text(const Manifest& manifest) {
    std::string text(header);
    text += '\n';
    char hash[9];
    for (const auto& [path, placed] : manifest) {
        std::snprintf(hash, sizeof hash, "%08x", static_cast<unsigned>(placed.hash));
        text += std::to_string(placed.size) + '\t' + hash + '\t' +
                std::to_string(placed.stamp.size) + '\t' + std::to_string(placed.stamp.time) +
                '\t' + std::to_string(placed.source.size) + '\t' +
                std::to_string(placed.source.time) + '\t' + path + '\n';
    }
    return text;
}

} // namespace tarnwick::server
