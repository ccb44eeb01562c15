#include "game/game_precache.h"

#include "game/formats/names.h"
#include "game/formats/text_lines.h"
#include "game/game_folder.h"

#include <unordered_set>

namespace tarnwick::game {

extern const std::string_view game_precache_list;

namespace {

struct ListedEntry {
    Table table;
    std::string name;
    std::string when; // empty: always; "hostages", "czero"
};

// The built-in list, one entry a line: table, name, the function that precaches it and,
// for what only some maps or folders take, when. '#' starts a comment line.
std::vector<ListedEntry> parse_list() {
    std::vector<ListedEntry> entries;
    for_each_line(game_precache_list, [&](std::string_view line, std::size_t) {
        if (line.empty() || line.front() == '#') return;
        std::vector<std::string_view> fields;
        for (std::size_t start = 0;;) {
            const auto tab = line.find('\t', start);
            fields.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
            if (tab == std::string_view::npos) break;
            start = tab + 1;
        }
        const auto table = table_named(fields[0]);
        if (!table || fields.size() < 3) return;
        entries.push_back(
            {*table, std::string(fields[1]), fields.size() > 3 ? std::string(fields[3]) : ""});
    });
    return entries;
}

const std::vector<ListedEntry>& listed() {
    static const auto entries = parse_list();
    return entries;
}

// Each listed name as a map or a .res names its file, in lower case.
std::unordered_set<std::string> listed_files() {
    std::unordered_set<std::string> files;
    for (const auto& entry : listed())
        files.insert(lower_ascii((entry.table == Table::sound ? "sound/" : "") + entry.name));
    return files;
}

} // namespace

bool has_game_share(std::string_view mod) {
    return same_name(mod, "cstrike") || same_name(mod, "czero");
}

std::optional<GameShare> game_share(std::string_view mod, bool hostages) {
    if (!has_game_share(mod)) return std::nullopt;
    const bool czero = same_name(mod, "czero");
    GameShare share;
    std::unordered_set<std::string> seen[table_count];
    for (const auto& entry : listed()) {
        if ((entry.when == "hostages" && !hostages) || (entry.when == "czero" && !czero)) continue;
        const auto t = static_cast<std::size_t>(entry.table);
        if (seen[t].insert(lower_ascii(entry.name)).second) share.names[t].push_back(entry.name);
    }
    return share;
}

bool game_precaches(std::string_view relative) {
    static const auto files = listed_files();
    return files.count(index_key(relative)) != 0;
}

} // namespace tarnwick::game
