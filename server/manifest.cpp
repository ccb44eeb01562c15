#include "server/manifest.h"

#include "server/requests.h"

#include <charconv>
#include <cstdio>
#include <optional>
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

// A path the folder never holds would lead a removal elsewhere.
bool held(const std::string& path) {
    const bool gz = path.ends_with(".gz");
    return download_refusal(gz ? path.substr(0, path.size() - 3) : path).empty();
}

std::optional<std::pair<std::string, Placed>> entry_of(std::string_view line) {
    const auto parts = split(line);
    Placed placed;
    if (parts.size() != fields || !number_of(parts[0], placed.size) || parts[1].size() != 8 ||
        !number_of(parts[1], placed.hash, 16) || !number_of(parts[2], placed.stamp.size) ||
        !number_of(parts[3], placed.stamp.time) || !number_of(parts[4], placed.source.size) ||
        !number_of(parts[5], placed.source.time) || !held(std::string(parts[6])))
        return std::nullopt;
    return std::pair{std::string(parts[6]), placed};
}

bool read_line(std::string_view line, Manifest& manifest) {
    const auto entry = entry_of(line);
    return entry && manifest.insert(*entry).second;
}

bool journal_line(std::string_view line, Manifest& manifest) {
    if (line.starts_with("-\t")) {
        const auto path = std::string(line.substr(2));
        if (!held(path)) return false;
        manifest.erase(path);
        return true;
    }
    const auto entry = line.starts_with("+\t") ? entry_of(line.substr(2)) : std::nullopt;
    if (entry) manifest[entry->first] = entry->second;
    return entry.has_value();
}

std::string line_of(const std::string& path, const Placed& placed) {
    char hash[9];
    std::snprintf(hash, sizeof hash, "%08x", static_cast<unsigned>(placed.hash));
    return std::to_string(placed.size) + '\t' + hash + '\t' + std::to_string(placed.stamp.size) +
           '\t' + std::to_string(placed.stamp.time) + '\t' + std::to_string(placed.source.size) +
           '\t' + std::to_string(placed.source.time) + '\t' + path + '\n';
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
    for (const auto& [path, placed] : manifest)
        text += line_of(path, placed);
    return text;
}

std::string journal_placed(const std::string& path, const Placed& placed) {
    return "+\t" + line_of(path, placed);
}

std::string journal_removed(const std::string& path) {
    return "-\t" + path + '\n';
}

void apply_journal(std::string_view text, Manifest& manifest) {
    // Else a full disk that left the journal empty would stop every later run.
    if (journal_header.starts_with(text)) return;
    if (!text.starts_with(journal_header))
        throw game::FormatError("not a journal of this program's download folder");
    std::size_t number = 1;
    for (auto start = journal_header.size(); start < text.size();) {
        ++number;
        const auto end = text.find('\n', start);
        if (end == std::string_view::npos) return;
        if (!journal_line(text.substr(start, end - start), manifest))
            throw game::FormatError("damaged at line " + std::to_string(number));
        start = end + 1;
    }
}

} // namespace tarnwick::server
