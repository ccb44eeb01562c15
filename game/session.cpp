#include "game/session.h"

#include "analysis/file_system.h"
#include "analysis/map_names.h"
#include "analysis/module1.h"
#include "game/entity_references.h"
#include "game/file_source.h"
#include "game/formats/bsp.h"
#include "game/formats/entities.h"
#include "game/formats/names.h"
#include "game/formats/server_listing.h"
#include "game/formats/text_lines.h"
#include "game/old_res.h"
#include "game/resolver.h"
#include "game/rules.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

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

// The model table's map slot and inline models are the map's, whichever it is.
bool map_model(std::string_view name) {
    return name.starts_with('*') ||
           (same_name(name.substr(0, 5), "maps/") && ends_with_name(name, ".bsp"));
}

BaseCounts base_of_listing(const ServerListing& listing) {
    BaseCounts base;
    base.given = true;
    for (std::size_t t = 0; t < table_count; ++t) {
        if (listing.listed[t]) {
            for (const auto& name : listing.names[t])
                if (static_cast<Table>(t) != Table::model || !map_model(name))
                    base.names[t].push_back(name);
        } else if (listing.totals[t]) {
            base.counts[t] = *listing.totals[t];
        }
    }
    return base;
}

ServerListing read_listing_file(const std::string& path) {
    try {
        return read_server_listing(read_small_file(FileSource(path), 16u << 20));
    } catch (const std::exception& e) {
        throw std::runtime_error("cannot read the base counts " + path + ": " + e.what());
    }
}

// The map a reslist was taken on: the one its model table holds.
std::string listed_map(const ServerListing& listing, const std::string& path) {
    for (const auto& name : listing.names[static_cast<std::size_t>(Table::model)])
        if (!name.starts_with('*') && map_model(name)) return name.substr(5, name.size() - 9);
    if (listing.has_totals())
        throw std::runtime_error("the base counts " + path +
                                 " are a rescount table: --base-map must name the map it was "
                                 "taken on");
    return {};
}

std::string mod_name(const fs::path& mod) {
    const auto path = mod.lexically_normal();
    return analysis::utf8_of(path.has_filename() ? path.filename() : path.parent_path().filename());
}

// The words of the .res that the server would read for the map: its two lines first.
std::vector<std::string> res_words(const std::string& map_path,
                                   const std::vector<std::string>& lines) {
    const auto names = analysis::map_names_of_path(map_path);
    std::vector<std::string> words = {names.map_line(), names.res_line()};
    words.insert(words.end(), lines.begin(), lines.end());
    return words;
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
    : settings_(std::move(settings)), stock_(read_stock_list_file(settings_.stock_list)) {
    if (settings_.base_listing.empty()) return;
    const auto listing = read_listing_file(settings_.base_listing);
    listing_ = base_of_listing(listing);
    if (settings_.base_map.empty())
        settings_.base_map = listed_map(listing, settings_.base_listing);
}

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
    CheckedMap map{resolver.resolve(map_path, entries, choice.follow),
                   {},
                   mod,
                   choice,
                   {},
                   {},
                   resolved_.size()};
    map.res_lines = res_entries(map.resolution, choice);
    add_extra(resolver, map);
    if (resolved_.empty()) extra_ = map.extra;
    if (settings_.old_res != OldResUse::ignore) {
        map.old = carry_old_res(resolver, map_path, map.res_lines, choice);
        if (settings_.old_res == OldResUse::carry)
            for (auto& line : map.old.lines(choice))
                map.res_lines.push_back(std::move(line));
        olds_.push_back(map.old);
    }
    const auto* base = listing_ ? this->base(mod, resolved.rows) : &settings_.base_counts;
    count_limits(map.resolution,
                 {settings_.engine, mod_name(mod), res_words(map_path, map.res_lines), base,
                  present(resolver.look_up("maps/default.txt", From::res()).status)});
    add_map_rows(map.resolution, resolved.rows);
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

void Session::add_map_rows(const MapResolution& resolution, std::vector<ReportRow>& rows) {
    for (auto& row : report_rows(resolution))
        if (row.kind != RowKind::game_share || !settings_.game_share_once ||
            !std::exchange(game_share_said_, true))
            rows.push_back(std::move(row));
}

const BaseCounts* Session::base(const fs::path& mod, std::vector<ReportRow>& rows) {
    if (const auto it = bases_.find(mod); it != bases_.end()) return &it->second;
    auto& base = bases_[mod] = *listing_;
    if (settings_.base_map.empty()) return &base;
    const auto& game = folder(mod);
    const auto relative = "maps/" + settings_.base_map + ".bsp";
    const auto& places = game.candidates(relative);
    const auto loose = std::find_if(places.begin(), places.end(),
                                    [&](const Place& p) { return !game.disk_path(p).empty(); });
    if (loose == places.end()) {
        rows.push_back(folder_warning_row("the base counts' map " + relative +
                                          " is not in the game folder: its own share stays in "
                                          "the base"));
        return &base;
    }
    const auto path = game.disk_path(*loose);
    try {
        const auto taken = resolve_base_map(game, path);
        std::vector<std::string> lines;
        // Without its .res, the map's words stay in the base: counted twice, never short.
        if (const auto res = read_res_file(analysis::drop_last_chars(path, 4) + ".res"))
            lines = res->lines;
        base = base_without_map(base, taken, lines, mod_name(mod));
    } catch (const std::exception& e) {
        rows.push_back(folder_warning_row("the base counts' map " + relative + ": " + e.what() +
                                          ": its own share stays in the base"));
    }
    return &base;
}

// The map as the server would spawn it: what its entity text names, and what follows.
MapResolution Session::resolve_base_map(const GameFolder& game, const std::string& path) const {
    std::vector<std::string> entries;
    NameSet named;
    const auto text = read_bsp_entity_text(FileSource(path));
    for (const auto& reference : entity_references(text).references)
        if (named.insert(reference.entry)) entries.push_back(reference.entry);
    return Resolver(game, stock_, settings_.unchecked_without_fallback)
        .resolve(path, entries, true);
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
    auto document = game::json_document(resolved_, audits_, olds_);
    if (!settings_.extra.empty()) document["extra"] = extra_json(extra_);
    return document;
}

std::string stock_list_of(const std::string& mod) {
    const GameFolder folder(analysis::to_path(mod));
    std::string list = "# What ships with the game, from " + mod + "\n";
    for (const auto& path : folder.all_paths())
        list += path + "\n";
    return list;
}

} // namespace tarnwick::game
