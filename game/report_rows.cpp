// The rows of a check and of a comparison, and their text for people.

#include "analysis/single_byte.h"
#include "game/report.h"

#include <algorithm>

namespace tarnwick::game {
namespace {

using analysis::single_byte_to_utf8;

MapCounts counts_of(const MapResolution& r) {
    MapCounts counts{r.entries.size(),
                     {},
                     r.unused_wads.size(),
                     r.missing_textures.size(),
                     r.unchecked_textures.size(),
                     r.entry_warnings()};
    for (int s = 0; s < status_count; ++s)
        counts.statuses[s] = r.count(static_cast<Status>(s));
    return counts;
}

// The counts, then an over_limit row for each count over its limit.
void add_limit_rows(const MapResolution& r, std::vector<ReportRow>& rows) {
    if (r.limits.empty()) return;
    rows.push_back({.kind = RowKind::limits, .limits = r.limits});
    if (r.counts_alone) rows.push_back({.kind = RowKind::counts_alone});
    const auto& share = r.game_share;
    if (std::any_of(share.begin(), share.end(), [](std::size_t n) { return n != 0; }))
        rows.push_back({.kind = RowKind::game_share, .numbers = {share.begin(), share.end()}});
    for (const auto& l : r.limits)
        if (l.over()) rows.push_back({.kind = RowKind::over_limit, .limits = {l}});
}

ReportRow entry_row(const Outcome& o) {
    return {.kind = RowKind::entry,
            .status = o.status,
            .entry = o.entry,
            .spelled = o.spelled,
            .from = o.from,
            .entities = o.entities,
            .text = o.reason};
}

// The entries and textures not checked for want of a fallback folder, and their counts.
void add_unchecked_rows(const MapResolution& r, std::vector<ReportRow>& rows) {
    const auto files = r.count(Status::unchecked);
    if (files == 0 && r.unchecked_textures.empty()) return;
    for (const auto& o : r.entries)
        if (o.status == Status::unchecked) rows.push_back(entry_row(o));
    for (const auto& texture : r.unchecked_textures)
        rows.push_back({.kind = RowKind::unchecked_texture, .entry = texture});
    rows.push_back({.kind = RowKind::unchecked_counts,
                    .where = r.unchecked_because,
                    .numbers = {files, r.unchecked_textures.size()}});
}

std::string counts_text(const std::string& map, const MapCounts& c) {
    return map + ": " + counts_summary(c);
}

std::string limits_text(const std::vector<LimitCount>& limits) {
    std::string counts;
    for (const auto& l : limits)
        counts += (counts.empty() ? "" : ", ") + std::to_string(l.count) + " " + l.what + " of " +
                  std::to_string(l.limit);
    return "  limits: " + counts;
}

std::string game_share_text(const std::vector<std::size_t>& n) {
    return "  with the game's own " + counted(n[0], "model", "models") + ", " +
           counted(n[1], "sound", "sounds") + ", " + std::to_string(n[2]) + " generic, " +
           counted(n[3], "event", "events") + " and " + counted(n[4], "decal", "decals") +
           "; the server's plugins add their own";
}

std::string over_text(const LimitCount& l) {
    return "  error: " + std::to_string(l.count) + " " + l.what + ", " +
           std::to_string(l.count - l.limit) + " over the limit of " + std::to_string(l.limit);
}

// Where an entry comes from, for people.
std::string source_of(const From& from) {
    if (from.kind == From::Kind::map) return " (from the map)";
    if (from.kind == From::Kind::entities) return " (from the entity text)";
    return " (needed by " + single_byte_to_utf8(from.name()) + ")";
}

// The same beside an entry's status, where the map and its entity text need no words.
std::string needed_by(const From& from) {
    return from.named_by_map() ? "" : source_of(from);
}

std::string named_by(const std::vector<EntityName>& entities) {
    return entities.empty() ? std::string() : " (named by " + entity_names(entities) + ")";
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

std::string entry_text(const ReportRow& row) {
    const auto entry = single_byte_to_utf8(row.entry);
    switch (row.status) {
    case Status::missing:
        return "  missing: " + entry + needed_by(row.from) + named_by(row.entities);
    case Status::case_mismatch:
        return "  case: " + entry + " is spelled " + single_byte_to_utf8(row.spelled) +
               " on the disk" + needed_by(row.from);
    case Status::unsafe:
        return "  unsafe, not looked up: " + entry + needed_by(row.from);
    case Status::damaged:
        return "  damaged: " + entry + needed_by(row.from) + ": " + row.text +
               ": the client fails on it, and what it needs is unknown";
    case Status::refused:
        return "  refused: " + escaped(row.entry) + source_of(row.from) + named_by(row.entities) +
               ": " + row.text;
    case Status::unchecked:
        return "  not checked: " + entry + needed_by(row.from);
    case Status::stock:
        return row.text.empty() ? std::string() : "  stock: " + entry + ": " + row.text;
    default:
        return {};
    }
}

std::string res_counts_text(const ReportRow& row) {
    const auto& n = row.numbers;
    return "  " + row.where + ": " + counted(n[0], "word", "words") + ": " + std::to_string(n[1]) +
           " extra, " + std::to_string(n[2]) + " lacking, " + std::to_string(n[3]) + " case, " +
           std::to_string(n[4]) + " missing, " + std::to_string(n[5]) + " refused";
}

// The comparison's rows of the .res and of its words.
std::string res_text(const ReportRow& row) {
    const auto word = single_byte_to_utf8(row.entry);
    switch (row.kind) {
    case RowKind::res_counts:
        return res_counts_text(row);
    case RowKind::no_res:
        return "  no .res beside the map";
    case RowKind::extra:
        return "  extra in the .res: " + word +
               (row.exists ? " (the file exists)" : " (no such file)");
    case RowKind::lacking:
        return "  lacking in the .res: " + word + source_of(row.from);
    case RowKind::other_case:
        return "  case in the .res: " + word + " is spelled " + single_byte_to_utf8(row.spelled) +
               " on the disk";
    case RowKind::names_missing:
        return "  names a file that is not there: " + word;
    default: // refused
        return "  refused in the .res: " + word + ": " + row.text;
    }
}

} // namespace

std::string counts_summary(const MapCounts& c) {
    std::string line = counted(c.entries, "entry", "entries") + ":";
    for (int s = 0; s < status_count; ++s) {
        if (s >= always_counted && c.statuses[s] == 0) continue;
        line += (s ? ", " : " ") + std::to_string(c.statuses[s]) + " " +
                std::string(status_name(static_cast<Status>(s)));
    }
    line += "; " + counted(c.unused_wads, "unused wad", "unused wads");
    line += ", " + counted(c.missing_textures, "missing texture", "missing textures");
    if (c.unchecked_textures)
        line += ", " + counted(c.unchecked_textures, "unchecked texture", "unchecked textures");
    return line + ", " + counted(c.warnings, "warning", "warnings");
}

std::string first_names(const std::vector<std::string>& names) {
    std::string text;
    for (std::size_t i = 0; i < std::min(names_shown, names.size()); ++i)
        text += (i ? ", " : "") + names[i];
    if (names.size() > names_shown)
        text += " and " + std::to_string(names.size() - names_shown) + " more";
    return text;
}

std::string entity_names(const std::vector<EntityName>& entities) {
    // Only those shown are spelled out; the rest are counted.
    std::vector<std::string> names(entities.size());
    for (std::size_t i = 0; i < std::min(names_shown, entities.size()); ++i) {
        const auto& e = entities[i];
        names[i] = e.classname.empty() ? "an entity without classname" : escaped(e.classname);
        if (!e.targetname.empty()) names[i] += " \"" + escaped(e.targetname) + "\"";
    }
    return first_names(names);
}

std::vector<ReportRow> report_rows(const MapResolution& r) {
    std::vector<ReportRow> rows = {
        {.kind = RowKind::counts, .where = r.map, .counts = counts_of(r)}};
    if (!r.damaged.empty()) rows.push_back({.kind = RowKind::damaged_map, .text = r.damaged});
    add_limit_rows(r, rows);
    for (const auto& o : r.entries) {
        // What was not checked is said together, after what is missing.
        if (o.status != Status::unchecked) rows.push_back(entry_row(o));
        if (o.engine_sends)
            rows.push_back({.kind = RowKind::entry_warning,
                            .status = o.status,
                            .entry = o.entry,
                            .text = "the engine sends it"});
        for (const auto& warning : o.warnings)
            rows.push_back({.kind = RowKind::entry_warning,
                            .status = o.status,
                            .entry = o.entry,
                            .text = warning});
    }
    for (const auto& wad : r.unused_wads)
        rows.push_back({.kind = RowKind::unused_wad, .entry = wad});
    for (const auto& texture : r.missing_textures)
        rows.push_back({.kind = RowKind::missing_texture, .entry = texture});
    add_unchecked_rows(r, rows);
    for (const auto& warning : r.warnings)
        rows.push_back({.kind = RowKind::map_warning, .text = warning});
    return rows;
}

std::vector<ReportRow> audit_rows(const Audit& a) {
    // Without a .res, what it would lack still follows.
    std::vector<ReportRow> rows = {
        a.res ? ReportRow{.kind = RowKind::res_counts,
                          .where = *a.res,
                          .numbers = {a.text.count(), a.extra.size(), a.lacking.size(),
                                      a.case_lines.size(), a.missing.size(), a.refused.size()}}
              : ReportRow{.kind = RowKind::no_res}};
    for (const auto& e : a.extra)
        rows.push_back({.kind = RowKind::extra, .entry = e.line, .exists = e.exists});
    for (const auto& l : a.lacking)
        rows.push_back({.kind = RowKind::lacking, .entry = l.entry, .from = l.from});
    for (const auto& c : a.case_lines)
        rows.push_back({.kind = RowKind::other_case, .entry = c.line, .spelled = c.spelled});
    for (const auto& m : a.missing)
        rows.push_back({.kind = RowKind::names_missing, .entry = m});
    for (const auto& r : a.refused)
        rows.push_back({.kind = RowKind::refused, .entry = r.line, .text = r.reason});
    if (!a.readable()) rows.push_back({.kind = RowKind::unreadable, .text = a.unreadable});
    if (a.over_limit())
        rows.push_back({.kind = RowKind::over_limit,
                        .limits = {{".res lines", a.text.count(), max_res_lines}}});
    for (const auto& note : a.notes)
        rows.push_back({.kind = RowKind::res_warning, .text = note});
    return rows;
}

ReportRow folder_warning_row(std::string warning) {
    return {.kind = RowKind::folder_warning, .text = std::move(warning)};
}

std::string row_text(const ReportRow& row) {
    switch (row.kind) {
    case RowKind::counts:
        return counts_text(row.where, row.counts);
    case RowKind::limits:
        return limits_text(row.limits);
    case RowKind::counts_alone:
        return "  the counts are the map's alone: the game and its plugins fill slots of their "
               "own first";
    case RowKind::game_share:
        return game_share_text(row.numbers);
    case RowKind::over_limit:
        return over_text(row.limits.front());
    case RowKind::entry:
        return entry_text(row);
    case RowKind::entry_warning:
        return "  " + single_byte_to_utf8(row.entry) + ": " + row.text;
    case RowKind::unused_wad:
        return "  unused wad " + single_byte_to_utf8(row.entry) +
               ": holds none of the map's textures, but the map names it, so clients still need "
               "it: remove it from the map's wad list to drop it";
    case RowKind::missing_texture:
        return "  missing texture: " + single_byte_to_utf8(row.entry);
    case RowKind::unchecked_texture:
        return "  texture not checked: " + single_byte_to_utf8(row.entry);
    case RowKind::unchecked_counts:
        return "  " + counted(row.numbers[0], "file", "files") + " and " +
               counted(row.numbers[1], "texture", "textures") + " not checked: " + row.where +
               " is not there";
    case RowKind::damaged_map:
        return "  damaged map: " + row.text + ": the game refuses to load it";
    case RowKind::folder_warning:
        return "game folder: " + row.text;
    case RowKind::no_mod_folder:
        return row.where + ": no game folder: the map is not in a maps folder";
    case RowKind::folder_error:
        return row.where + ": " + row.text;
    case RowKind::res_counts:
    case RowKind::no_res:
    case RowKind::extra:
    case RowKind::lacking:
    case RowKind::other_case:
    case RowKind::names_missing:
    case RowKind::refused:
        return res_text(row);
    case RowKind::map_warning:
    case RowKind::unreadable:
    case RowKind::res_warning:
        break;
    }
    return "  " + row.text;
}

std::vector<std::string> report_text(const std::vector<ReportRow>& rows) {
    std::vector<std::string> lines;
    for (const auto& row : rows)
        if (auto line = row_text(row); !line.empty()) lines.push_back(std::move(line));
    return lines;
}

std::string counted(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::vector<std::string> text_report(const MapResolution& resolution) {
    return report_text(report_rows(resolution));
}

} // namespace tarnwick::game
