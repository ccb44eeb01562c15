#include "game/audit.h"

#include "analysis/file_system.h"
#include "analysis/map_names.h"
#include "analysis/module1.h"
#include "analysis/single_byte.h"
#include "game/file_source.h"
#include "game/formats/text_lines.h"

#include <filesystem>
#include <system_error>
#include <unordered_map>
#include <unordered_set>

namespace tarnwick::game {
namespace {

// UTF-16 after its BOM, as UTF-8, up to a NUL character; a lone surrogate becomes U+FFFD
// and an odd last byte is dropped.
std::string utf16_to_utf8(std::string_view bytes, bool big_endian) {
    std::string out;
    const auto unit = [&](std::size_t i) -> char32_t {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return big_endian ? (a << 8 | b) : (b << 8 | a);
    };
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (c == 0) break;
        if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size()) {
            const auto low = unit(i + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        analysis::append_utf8(out, c >= 0xD800 && c < 0xE000 ? U'\uFFFD' : c);
    }
    return out;
}

bool is_utf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t length = c < 0x80                ? 1
                                   : c >= 0xC2 && c < 0xE0 ? 2
                                   : c >= 0xE0 && c < 0xF0 ? 3
                                   : c >= 0xF0 && c < 0xF5 ? 4
                                                           : 0;
        if (length == 0 || text.size() - i < length) return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        // Overlong forms, surrogates and code points past U+10FFFF.
        const auto next = static_cast<unsigned char>(text[i + 1 < text.size() ? i + 1 : i]);
        if ((c == 0xE0 && next < 0xA0) || (c == 0xED && next >= 0xA0) ||
            (c == 0xF0 && next < 0x90) || (c == 0xF4 && next >= 0x90))
            return false;
        i += length;
    }
    return true;
}

// The text as the lines are read from it, and whether its lines are UTF-8.
std::pair<std::string, bool> decoded(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE")) return {utf16_to_utf8(bytes.substr(2), false), true};
    if (bytes.starts_with("\xFE\xFF")) return {utf16_to_utf8(bytes.substr(2), true), true};
    const bool bom = bytes.starts_with("\xEF\xBB\xBF");
    if (bom) bytes.remove_prefix(3);
    bytes = bytes.substr(0, bytes.find('\0'));
    return {std::string(bytes), bom || is_utf8(bytes)};
}

std::string_view trimmed(std::string_view line) {
    const auto first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return line.substr(first, line.find_last_not_of(" \t") - first + 1);
}

// A UTF-8 line as the program's single-byte text; one the table cannot hold stays UTF-8,
// and names no file the map names.
std::string single_byte_line(std::string_view line, bool utf8) {
    if (!utf8) return std::string(line);
    auto single = analysis::utf8_to_single_byte(line);
    return single ? std::move(*single) : std::string(line);
}

// The two lines every .res starts with: the map and the .res itself.
std::unordered_set<std::string> own_lines(const std::string& map_path) {
    const auto names = analysis::map_names_of_path(map_path);
    return {index_key(names.map_line()), index_key(names.res_line())};
}

} // namespace

ResText read_res_text(std::string_view bytes) {
    ResText text;
    text.cut = bytes.size() > res_read_limit;
    const auto [decoded_text, is_utf8_text] = decoded(bytes.substr(0, res_read_limit));
    const bool utf8 = is_utf8_text; // a lambda cannot capture a structured binding in C++20
    for_each_line(decoded_text, [&](std::string_view line, std::size_t) {
        line = trimmed(line);
        if (line.empty() || line.starts_with("//")) return;
        if (text.lines.size() == res_line_limit) {
            ++text.dropped;
            return;
        }
        text.lines.push_back(single_byte_line(line, utf8));
    });
    return text;
}

std::optional<ResText> read_res_file(const std::string& utf8_path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(analysis::to_path(utf8_path), error)) return std::nullopt;
    const FileSource file(utf8_path);
    auto text = read_res_text(file.read(0, std::min<std::uint64_t>(file.size(), res_read_limit)));
    text.cut = file.size() > res_read_limit;
    return text;
}

Audit audit_res(const Resolver& resolver, const MapResolution& resolution,
                std::optional<std::string> res, ResText text) {
    Audit audit;
    audit.res = std::move(res);
    audit.text = std::move(text);
    std::unordered_map<std::string, const Outcome*> needed;
    for (const auto& o : resolution.entries)
        needed.emplace(index_key(o.entry), &o);
    const auto own = own_lines(resolution.map);
    std::unordered_set<std::string> named;
    for (const auto& line : audit.text.lines) {
        const auto key = index_key(line);
        named.insert(key);
        if (own.contains(key)) continue;
        const auto it = needed.find(key);
        if (it == needed.end()) {
            const auto looked = resolver.look_up(line, From::res());
            audit.extra.push_back({line, looked.place.has_value()});
            if (looked.status == Status::missing) audit.missing.push_back(line);
        } else if (it->second->status == Status::missing) {
            audit.missing.push_back(line);
        } else if (it->second->place && with_slashes(line) != it->second->spelled) {
            audit.case_lines.push_back({line, it->second->spelled});
        }
    }
    for (const auto& o : resolution.entries) {
        const bool found = o.status == Status::found || o.status == Status::case_mismatch;
        if (found && !named.contains(index_key(o.entry)))
            audit.lacking.push_back({o.entry, o.from});
    }
    return audit;
}

Audit audit_map(const Resolver& resolver, const MapResolution& resolution) {
    const auto res = analysis::res_path_for(resolution.map);
    std::optional<ResText> text;
    try {
        text = read_res_file(res);
    } catch (const std::exception& e) {
        auto audit = audit_res(resolver, resolution, res, {});
        audit.readable = false;
        audit.warnings.push_back(std::string("cannot read the .res: ") + e.what());
        return audit;
    }
    if (!text) return audit_res(resolver, resolution, std::nullopt, {});
    auto audit = audit_res(resolver, resolution, res, std::move(*text));
    if (audit.text.count() > max_res_lines)
        audit.warnings.push_back("error: " + std::to_string(audit.text.count()) + " .res lines, " +
                                 std::to_string(audit.text.count() - max_res_lines) +
                                 " over the limit of " + std::to_string(max_res_lines));
    if (audit.text.cut)
        audit.warnings.push_back("only the first " + std::to_string(res_read_limit >> 20) +
                                 " MB of the .res was read");
    if (audit.text.dropped)
        audit.warnings.push_back(std::to_string(audit.text.dropped) + " lines past the first " +
                                 std::to_string(res_line_limit) + " were counted, not compared");
    return audit;
}

} // namespace tarnwick::game
