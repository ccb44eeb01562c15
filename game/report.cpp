#include "game/report.h"

#include "analysis/single_byte.h"

#include <algorithm>
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
        const auto n = r.count(static_cast<Status>(s));
        if (s >= always_counted && n == 0) continue;
        line += (s ? ", " : " ") + std::to_string(n) + " " +
                std::string(status_name(static_cast<Status>(s)));
    }
    line += "; " + counted(r.unused_wads.size(), "unused wad", "unused wads");
    line += ", " + counted(r.missing_textures.size(), "missing texture", "missing textures");
    if (!r.unchecked_textures.empty())
        line +=
            ", " + counted(r.unchecked_textures.size(), "unchecked texture", "unchecked textures");
    line += ", " + counted(r.entry_warnings(), "warning", "warnings");
    return line;
}

// The counts beside the engine's limits, then an error for each count over its limit.
std::vector<std::string> limit_lines(const MapResolution& r) {
    if (r.limits.empty()) return {};
    std::string counts;
    for (const auto& l : r.limits)
        counts += (counts.empty() ? "" : ", ") + std::to_string(l.count) + " " + l.what + " of " +
                  std::to_string(l.limit);
    std::vector<std::string> lines = {"  limits: " + counts};
    if (r.counts_alone)
        lines.push_back("  the counts are the map's alone: the game and its plugins fill slots "
                        "of their own first (--base-counts models=N,sounds=N,generic=N adds "
                        "them)");
    for (const auto& l : r.limits)
        if (l.over())
            lines.push_back("  error: " + std::to_string(l.count) + " " + l.what + ", " +
                            std::to_string(l.count - l.limit) + " over the limit of " +
                            std::to_string(l.limit));
    return lines;
}

// Where an entry comes from, for people.
std::string source_of(const From& from) {
    if (from.kind == From::Kind::map) return " (from the map)";
    if (from.kind == From::Kind::entities) return " (from the entity text)";
    return " (needed by " + single_byte_to_utf8(from.name()) + ")";
}

// The same beside an entry's status, where the map and its entity text need no words.
std::string needed_by(const Outcome& o) {
    return o.from.named_by_map() ? "" : source_of(o.from);
}

std::string entity_shown(const EntityName& e) {
    const auto name =
        e.classname.empty() ? "an entity without classname" : single_byte_to_utf8(e.classname);
    return e.targetname.empty() ? name : name + " \"" + single_byte_to_utf8(e.targetname) + "\"";
}

// The entities that name a missing entry: three, and how many more.
std::string named_by(const Outcome& o) {
    constexpr std::size_t shown = 3;
    if (o.entities.empty()) return "";
    std::string text = " (named by ";
    for (std::size_t i = 0; i < std::min(shown, o.entities.size()); ++i)
        text += (i ? ", " : "") + entity_shown(o.entities[i]);
    if (o.entities.size() > shown)
        text += " and " + std::to_string(o.entities.size() - shown) + " more";
    return text + ")";
}

// A hostile name with its control bytes as \xNN, so that it cannot break the report's lines.
std::string escaped(std::string_view name) {
    std::string out;
    for (const char c : single_byte_to_utf8(name)) {
        if (static_cast<unsigned char>(c) >= 0x20) {
            out += c;
            continue;
        }
        constexpr char hex[] = "0123456789ABCDEF";
        out += std::string("\\x") + hex[(c >> 4) & 0xF] + hex[c & 0xF];
    }
    return out;
}

std::string entry_line(const Outcome& o) {
    const auto entry = single_byte_to_utf8(o.entry);
    switch (o.status) {
    case Status::missing:
        return "  missing: " + entry + needed_by(o) + named_by(o);
    case Status::case_mismatch:
        return "  case: " + entry + " is spelled " + single_byte_to_utf8(o.spelled) +
               " on the disk" + needed_by(o);
    case Status::unsafe:
        return "  unsafe, not looked up: " + entry + needed_by(o);
    case Status::damaged:
        return "  damaged: " + entry + needed_by(o) + ": " + o.reason +
               ": the client fails on it, and what it needs is unknown";
    case Status::refused:
        return "  refused: " + escaped(o.entry) + source_of(o.from) + named_by(o) + ": " + o.reason;
    case Status::stock:
        return o.reason.empty() ? std::string() : "  stock: " + entry + ": " + o.reason;
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
                                    {"from", single_byte_to_utf8(o.from.name())},
                                    {"followed", o.followed}};
    if (!o.reason.empty()) entry["reason"] = o.reason;
    if (!o.warnings.empty()) entry["warnings"] = o.warnings;
    for (const auto& e : o.entities) {
        nlohmann::ordered_json entity = {{"classname", single_byte_to_utf8(e.classname)}};
        if (!e.targetname.empty()) entity["targetname"] = single_byte_to_utf8(e.targetname);
        entry["entities"].push_back(std::move(entity));
    }
    return entry;
}

nlohmann::ordered_json audit_json(const Audit& a) {
    auto extra = nlohmann::ordered_json::array(), lacking = extra, case_lines = extra,
         refused = extra;
    for (const auto& e : a.extra)
        extra.push_back({{"line", single_byte_to_utf8(e.line)}, {"exists", e.exists}});
    for (const auto& l : a.lacking)
        lacking.push_back({{"entry", single_byte_to_utf8(l.entry)},
                           {"from", single_byte_to_utf8(l.from.name())}});
    for (const auto& c : a.case_lines)
        case_lines.push_back(
            {{"line", single_byte_to_utf8(c.line)}, {"spelled", single_byte_to_utf8(c.spelled)}});
    for (const auto& r : a.refused)
        refused.push_back({{"line", single_byte_to_utf8(r.line)}, {"reason", r.reason}});
    nlohmann::ordered_json audit = {
        {"res", a.res ? nlohmann::ordered_json(*a.res) : nlohmann::ordered_json()},
        {"lines", strings(a.text.lines)},
        {"extra", std::move(extra)},
        {"lacking", std::move(lacking)},
        {"case", std::move(case_lines)},
        {"missing", strings(a.missing)},
        {"refused", std::move(refused)}};
    if (!a.warnings.empty()) audit["warnings"] = a.warnings;
    return audit;
}

} // namespace

std::vector<std::string> audit_report(const Audit& a) {
    std::vector<std::string> lines = {!a.res ? "  no .res beside the map"
                                             : "  " + *a.res + ": " +
                                                   counted(a.text.count(), "word", "words") + ": " +
                                                   std::to_string(a.extra.size()) + " extra, " +
                                                   std::to_string(a.lacking.size()) + " lacking, " +
                                                   std::to_string(a.case_lines.size()) + " case, " +
                                                   std::to_string(a.missing.size()) + " missing, " +
                                                   std::to_string(a.refused.size()) + " refused"};
    for (const auto& e : a.extra)
        lines.push_back("  extra in the .res: " + single_byte_to_utf8(e.line) +
                        (e.exists ? " (the file exists)" : " (no such file)"));
    for (const auto& l : a.lacking)
        lines.push_back("  lacking in the .res: " + single_byte_to_utf8(l.entry) +
                        source_of(l.from));
    for (const auto& c : a.case_lines)
        lines.push_back("  case in the .res: " + single_byte_to_utf8(c.line) + " is spelled " +
                        single_byte_to_utf8(c.spelled) + " on the disk");
    for (const auto& m : a.missing)
        lines.push_back("  missing in the .res: " + single_byte_to_utf8(m));
    for (const auto& r : a.refused)
        lines.push_back("  refused in the .res: " + single_byte_to_utf8(r.line) + ": " + r.reason);
    for (const auto& w : a.warnings)
        lines.push_back("  " + w);
    return lines;
}

namespace {

// What could not be checked for want of a fallback folder, and how to check it.
std::vector<std::string> unchecked_lines(const MapResolution& r) {
    const auto files = r.count(Status::unchecked);
    if (files == 0 && r.unchecked_textures.empty()) return {};
    std::vector<std::string> lines;
    for (const auto& o : r.entries)
        if (o.status == Status::unchecked)
            lines.push_back("  not checked: " + single_byte_to_utf8(o.entry) + needed_by(o));
    for (const auto& texture : r.unchecked_textures)
        lines.push_back("  texture not checked: " + single_byte_to_utf8(texture));
    lines.push_back("  " + counted(files, "file", "files") + " and " +
                    counted(r.unchecked_textures.size(), "texture", "textures") + " not checked (" +
                    r.unchecked_because +
                    " is not there): check on the full installation, or give --stock-list a "
                    "list made there by --make-stock-list; --check does not fail on them");
    return lines;
}

} // namespace

std::vector<std::string> text_report(const MapResolution& r) {
    std::vector<std::string> lines = {counts_line(r)};
    if (!r.damaged.empty())
        lines.push_back("  damaged map: " + r.damaged + ": the game refuses to load it");
    for (auto& line : limit_lines(r))
        lines.push_back(std::move(line));
    for (const auto& o : r.entries) {
        if (auto line = entry_line(o); !line.empty()) lines.push_back(std::move(line));
        for (const auto& warning : o.warnings)
            lines.push_back("  " + single_byte_to_utf8(o.entry) + ": " + warning);
    }
    for (const auto& wad : r.unused_wads)
        lines.push_back("  unused wad " + single_byte_to_utf8(wad) +
                        ": holds none of the map's textures, but the map names it, so clients "
                        "still need it: remove it from the map's wad list to drop it");
    for (const auto& texture : r.missing_textures)
        lines.push_back("  missing texture: " + single_byte_to_utf8(texture));
    for (auto& line : unchecked_lines(r))
        lines.push_back(std::move(line));
    for (const auto& warning : r.warnings)
        lines.push_back("  " + warning);
    return lines;
}

std::string json_report(const std::vector<MapResolution>& maps, const std::vector<Audit>& audits) {
    auto list = nlohmann::ordered_json::array();
    for (std::size_t i = 0; i < maps.size(); ++i) {
        const auto& r = maps[i];
        auto entries = nlohmann::ordered_json::array();
        for (const auto& o : r.entries)
            entries.push_back(entry_json(o));
        nlohmann::ordered_json map = {{"map", r.map},
                                      {"entries", std::move(entries)},
                                      {"unused_wads", strings(r.unused_wads)},
                                      {"missing_textures", strings(r.missing_textures)}};
        if (!r.unchecked_textures.empty())
            map["unchecked_textures"] = strings(r.unchecked_textures);
        if (!r.warnings.empty()) map["warnings"] = r.warnings;
        if (!r.damaged.empty()) map["damaged"] = r.damaged;
        for (const auto& l : r.limits)
            map["limits"][l.what] = {{"count", l.count}, {"limit", l.limit}};
        if (!r.limits.empty()) map["counts_alone"] = r.counts_alone;
        if (i < audits.size()) map["audit"] = audit_json(audits[i]);
        list.push_back(std::move(map));
    }
    // Names that are not UTF-8 (a map path given in another encoding) are shown, not refused.
    return nlohmann::ordered_json{{"maps", std::move(list)}}.dump(
               2, ' ', false, nlohmann::json::error_handler_t::replace) +
           "\n";
}

} // namespace tarnwick::game
