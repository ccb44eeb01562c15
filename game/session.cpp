#include "game/session.h"

#include "analysis/file_system.h"
#include "analysis/module1.h"
#include "game/file_source.h"
#include "game/formats/names.h"
#include "game/formats/text_lines.h"
#include "game/old_res.h"
#include "game/rules.h"

#include <stdexcept>

namespace tarnwick::game {
namespace {

namespace fs = std::filesystem;

NameSet read_stock_list_file(const std::string& path) {
    if (path.empty()) return {};
    try {
        return read_stock_list(read_small_file(FileSource(path), 64u << 20));
    } catch (const std::exception& e) {
        throw std::runtime_error("cannot read the stock list " + path + ": " + e.what());
    }
}

} // namespace

NameSet read_stock_list(std::string_view text) {
    NameSet names;
    for_each_line(text, [&](std::string_view line, std::size_t) {
        line = line.substr(0, line.find('#'));
        const auto first = line.find_first_not_of(" \t");
        if (first == std::string_view::npos) return;
        const auto last = line.find_last_not_of(" \t");
        names.insert(index_key(line.substr(first, last - first + 1)));
    });
    return names;
}

std::optional<fs::path> mod_folder_of(const std::string& map_path) {
    std::error_code ec;
    const auto folder =
        fs::absolute(analysis::to_path(map_path), ec).lexically_normal().parent_path();
    if (ec || !same_name(analysis::utf8_of(folder.filename()), "maps")) return std::nullopt;
    return folder.parent_path();
}

Session::Session(SessionSettings settings)
    : settings_(std::move(settings)), stock_(read_stock_list_file(settings_.stock_list)) {}

const GameFolder& Session::folder(const fs::path& mod) {
    auto& folder = folders_[mod];
    if (!folder) folder = std::make_unique<GameFolder>(mod, settings_.addon);
    return *folder;
}

Resolved Session::resolve(const std::string& map_path, const std::vector<std::string>& entries) {
    if (!settings_.game.empty())
        return resolve_in(analysis::to_path(settings_.game), settings_.choice, map_path, entries);
    if (const auto mod = mod_folder_of(map_path))
        return resolve_in(*mod, settings_.choice, map_path, entries);
    return {std::nullopt, {{.kind = RowKind::no_mod_folder, .where = map_path}}};
}

Resolved Session::resolve_in(const fs::path& mod, const WriteChoice& choice,
                             const std::string& map_path, const std::vector<std::string>& entries) {
    const GameFolder* listed = nullptr;
    try {
        listed = &folder(mod);
    } catch (const std::exception& e) {
        return {std::nullopt,
                {{.kind = RowKind::folder_error, .text = e.what(), .where = map_path}}};
    }
    Resolved resolved;
    if (!warned_[listed]) {
        warned_[listed] = true;
        for (const auto& warning : listed->warnings())
            resolved.rows.push_back(folder_warning_row(warning));
    }
    const Resolver resolver(*listed, stock_, settings_.unchecked_without_fallback);
    CheckedMap map{resolver.resolve(map_path, entries, choice.follow), {}, mod, choice, {}, {}};
    map.res_lines = res_entries(map.resolution, choice);
    add_extra(resolver, map);
    if (settings_.old_res != OldResUse::ignore) {
        map.old = carry_old_res(resolver, map_path, map.res_lines, choice);
        if (settings_.old_res == OldResUse::carry)
            for (auto& line : map.old.lines(choice))
                map.res_lines.push_back(std::move(line));
        olds_.push_back(map.old);
    }
    // The two lines of the map, then the lines chosen.
    count_limits(map.resolution, 2 + map.res_lines.size(), settings_.base_counts);
    for (auto& row : report_rows(map.resolution))
        resolved.rows.push_back(std::move(row));
    resolved_.push_back(map.resolution);
    resolved.map = std::move(map);
    return resolved;
}

// The extra files, each checked as a map's entry, and those a .res may name added to its
// lines once.
void Session::add_extra(const Resolver& resolver, CheckedMap& map) const {
    NameSet listed;
    for (const auto& line : map.res_lines)
        listed.insert(index_key(line));
    for (const auto& word : settings_.extra) {
        auto& outcome = map.extra.emplace_back(resolver.look_up(word, From::res()));
        if (res_word_refusal(word).empty() && left_out_by(outcome, map.choice).empty() &&
            listed.insert(index_key(word)))
            map.res_lines.push_back(res_line(outcome, map.choice));
    }
}

Audit Session::audit(const CheckedMap& map) {
    const Resolver resolver(folder(map.mod), stock_, settings_.unchecked_without_fallback);
    return audits_.emplace_back(audit_map(resolver, map.resolution));
}

CollectResult Session::collect(const CheckedMap& map, CollectTarget target) const {
    const auto& path = map.resolution.map;
    const auto res = analysis::format_res_file(map.res_lines, analysis::file_name_of(path));
    auto named = map.extra;
    if (settings_.old_res == OldResUse::carry)
        named.insert(named.end(), map.old.carried.begin(), map.old.carried.end());
    return game::collect(*folders_.at(map.mod), map.resolution,
                         {path, res, map.choice, std::move(target), std::move(named)});
}

std::string Session::json() const {
    return json_text(json_document());
}

nlohmann::ordered_json Session::json_document() const {
    return game::json_document(resolved_, audits_, olds_);
}

std::string stock_list_of(const std::string& mod) {
    const GameFolder folder(analysis::to_path(mod));
    std::string list = "# What ships with the game, from " + mod + "\n";
    for (const auto& path : folder.all_paths())
        list += path + "\n";
    return list;
}

} // namespace tarnwick::game
