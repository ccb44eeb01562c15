#include "game/report.h"

#include "analysis/single_byte.h"

#include <nlohmann/json.hpp>

namespace tarnwick::game {
namespace {

using analysis::single_byte_to_utf8;

std::string counted(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string counts_line(const MapResolution& r) {
    std::string line = r.map + ": " + counted(r.entries.size(), "entry", "entries") + ":";
    for (int s = 0; s < status_count; ++s) {
        line += (s ? ", " : " ") + std::to_string(r.count(static_cast<Status>(s))) + " " +
                std::string(status_name(static_cast<Status>(s)));
    }
    line += "; " + counted(r.unused_wads.size(), "unused wad", "unused wads");
    line += ", " + counted(r.missing_textures.size(), "missing texture", "missing textures");
    return line;
}

std::string needed_by(const Outcome& o) {
    return o.from == "map" ? "" : " (needed by " + single_byte_to_utf8(o.from) + ")";
}

std::string entry_line(const Outcome& o) {
    const auto entry = single_byte_to_utf8(o.entry);
    switch (o.status) {
    case Status::missing:
        return "  missing: " + entry + needed_by(o);
    case Status::case_mismatch:
        return "  case: " + entry + " is spelled " + single_byte_to_utf8(o.spelled) +
               " on the disk" + needed_by(o);
    case Status::unsafe:
        return "  unsafe, not looked up: " + entry + needed_by(o);
    default:
        return {};
    }
}

nlohmann::ordered_json strings(const std::vector<std::string>& texts) {
    auto list = nlohmann::ordered_json::array();
    for (const auto& text : texts)
        list.push_back(single_byte_to_utf8(text));
    return list;
}

nlohmann::ordered_json entry_json(const Outcome& o) {
    nlohmann::ordered_json entry = {{"entry", single_byte_to_utf8(o.entry)},
                                    {"status", status_name(o.status)},
                                    {"file", o.file},
                                    {"spelled", single_byte_to_utf8(o.spelled)},
                                    {"from", single_byte_to_utf8(o.from)},
                                    {"followed", o.followed}};
    if (!o.warnings.empty()) entry["warnings"] = o.warnings;
    return entry;
}

} // namespace

std::vector<std::string> text_report(const MapResolution& r) {
    std::vector<std::string> lines = {counts_line(r)};
    for (const auto& o : r.entries) {
        if (auto line = entry_line(o); !line.empty()) lines.push_back(std::move(line));
        for (const auto& warning : o.warnings)
            lines.push_back("  " + single_byte_to_utf8(o.entry) + ": " + warning);
    }
    for (const auto& wad : r.unused_wads)
        lines.push_back("  unused wad: " + single_byte_to_utf8(wad));
    for (const auto& texture : r.missing_textures)
        lines.push_back("  missing texture: " + single_byte_to_utf8(texture));
    for (const auto& warning : r.warnings)
        lines.push_back("  " + warning);
    return lines;
}

std::string json_report(const std::vector<MapResolution>& maps) {
    auto list = nlohmann::ordered_json::array();
    for (const auto& r : maps) {
        auto entries = nlohmann::ordered_json::array();
        for (const auto& o : r.entries)
            entries.push_back(entry_json(o));
        nlohmann::ordered_json map = {{"map", r.map},
                                      {"entries", std::move(entries)},
                                      {"unused_wads", strings(r.unused_wads)},
                                      {"missing_textures", strings(r.missing_textures)}};
        if (!r.warnings.empty()) map["warnings"] = r.warnings;
        list.push_back(std::move(map));
    }
    // Names that are not UTF-8 (a map path given in another encoding) are shown, not refused.
    return nlohmann::ordered_json{{"maps", std::move(list)}}.dump(
               2, ' ', false, nlohmann::json::error_handler_t::replace) +
           "\n";
}

} // namespace tarnwick::game
