#include "game/resolver.h"

#include "analysis/file_system.h"
#include "analysis/map_names.h"
#include "analysis/single_byte.h"
#include "analysis/stock_filter.h"
#include "game/file_source.h"
#include "game/follow.h"
#include "game/formats/bsp.h"
#include "game/formats/entities.h"
#include "game/formats/wad.h"
#include "game/game_precache.h"
#include "game/rules.h"

#include <algorithm>
#include <unordered_map>

namespace tarnwick::game {
namespace {

// The packages of the game's interface, which every clean game ships beside the stock ones.
constexpr std::string_view interface_wads[] = {"gfx.wad", "fonts.wad", "spraypaint.wad"};

bool is_wad(std::string_view entry) {
    return ends_with_name(entry, ".wad");
}

// The map's parts; a map that cannot be opened fails each part with the same message.
BspMap read_map(const std::string& map_path) {
    try {
        return read_bsp_map(FileSource(map_path));
    } catch (const std::exception& e) {
        BspMap map;
        map.entity_error = map.textures_error = map.models_error = map.damage = e.what();
        return map;
    }
}

EntityReferences read_entities(const BspMap& map, MapResolution& resolution) {
    if (map.entity_error) {
        resolution.warnings.push_back("entity text not read: " + *map.entity_error);
        return {};
    }
    auto named = entity_references(map.entity_text);
    if (named.cut)
        resolution.warnings.push_back("the entity text names more than " +
                                      std::to_string(max_entity_references) +
                                      " files: the rest are left out");
    return named;
}

// Each entry gets the entities that name it, each once, in the order of the text.
void name_entities(const EntityReferences& named, MapResolution& resolution) {
    std::unordered_map<std::string, std::vector<std::size_t>> by_entry;
    for (const auto& reference : named.references) {
        auto& entities = by_entry[index_key(reference.entry)];
        if (entities.empty() || entities.back() != reference.entity)
            entities.push_back(reference.entity);
    }
    for (auto& outcome : resolution.entries)
        if (const auto it = by_entry.find(index_key(outcome.entry)); it != by_entry.end())
            for (const auto entity : it->second)
                outcome.entities.push_back(named.entities[entity]);
}

// A refused name is kept only to be reported: nothing is read, written or copied of it.
void refuse_if_needed(Outcome& outcome, const FileKind* kind) {
    auto why = followed_refusal(outcome, kind);
    if (why.empty()) return;
    outcome.status = Status::refused;
    outcome.reason = std::move(why);
    outcome.place.reset();
    outcome.file.clear();
    outcome.spelled.clear();
}

std::vector<std::string> wad_key_packages(std::string_view key) {
    std::vector<std::string> wads;
    for (std::size_t start = 0; start <= key.size();) {
        const auto end = std::min(key.find(';', start), key.size());
        if (auto wad = wad_of_part(key.substr(start, end - start)); !wad.empty())
            wads.push_back(std::move(wad));
        start = end + 1;
    }
    return wads;
}

bool is_hostage(std::string_view classname) {
    // hostage.cpp: both classes are the game's hostage.
    return classname == "hostage_entity" || classname == "monster_scientist";
}

// What the engine and the game precache for the map's entities: the inline models their
// model keys name ("*3"), hostages, and the packages of worldspawn's wad key.
void read_spawn(const BspMap& map, MapResolution& resolution) {
    if (map.entity_error) return;
    NameSet inline_models;
    bool first = true;
    for_each_entity(map.entity_text, [&](const EntityPairs& pairs) {
        for (const auto& [key, value] : pairs) {
            if (key == "classname" && is_hostage(value)) resolution.hostages = true;
            if (key == "model" && value.size() > 1 && value.front() == '*')
                inline_models.insert(value);
            if (first && key == "wad") resolution.wad_key = wad_key_packages(value);
        }
        first = false;
    });
    resolution.named_inline_models = inline_models.size();
}

// textures.cpp: a package of the wad key that cannot be opened stops the map, on every engine.
void warn_of_missing_key_wads(MapResolution& resolution) {
    for (auto& o : resolution.entries)
        if (o.status == Status::missing && ends_with_name(o.entry, ".wad"))
            for (const auto& wad : resolution.wad_key)
                if (same_name(wad, o.entry)) {
                    o.warnings.push_back("the map's wad key names it: a server without it "
                                         "stops at the map's start");
                    break;
                }
}

} // namespace

bool counter_strike_game(const GameFolder& game) {
    const auto& folders = game.folders();
    return std::any_of(folders.begin(), folders.end(), [](const auto& folder) {
        return (folder.role == FolderRole::mod || folder.role == FolderRole::fallback) &&
               has_game_share(analysis::utf8_of(folder.path.filename()));
    });
}

bool known_to_ship(std::string_view entry, bool counter_strike) {
    if (counter_strike && game_precaches(entry)) return true;
    const auto same = [&](std::string_view wad) { return same_name(wad, entry); };
    return std::any_of(analysis::stock_wads.begin(), analysis::stock_wads.end(), same) ||
           std::any_of(std::begin(interface_wads), std::end(interface_wads), same) ||
           (is_wad(entry) && is_spray_package(entry));
}

Resolver::Resolver(const GameFolder& game, NameSet stock_list, bool unchecked)
    : game_(game), stock_(std::move(stock_list)), unchecked_(unchecked),
      counter_strike_(counter_strike_game(game)) {}

bool Resolver::unchecked() const {
    return unchecked_ && !game_.absent_fallbacks().empty() && stock_.size() == 0;
}

bool Resolver::is_stock(std::string_view entry) const {
    return stock_.contains(index_key(entry)) || known_to_ship(entry, counter_strike_);
}

Outcome Resolver::look_up(const std::string& entry, From from) const {
    Outcome outcome;
    outcome.entry = entry;
    outcome.from = std::move(from);
    if (is_unsafe_entry(entry)) {
        outcome.status = Status::unsafe;
        return outcome;
    }
    const auto& all = game_.candidates(entry);
    std::vector<Place> exact;
    std::copy_if(all.begin(), all.end(), std::back_inserter(exact),
                 [&](const Place& p) { return p.spelled == with_slashes(entry); });
    const auto& pool = exact.empty() ? all : exact;
    const auto custom = std::find_if(pool.begin(), pool.end(),
                                     [&](const Place& p) { return !game_.ships_with_game(p); });
    if (custom != pool.end()) {
        outcome.status = exact.empty() ? Status::case_mismatch : Status::found;
        outcome.place = *custom;
    } else if (!pool.empty()) {
        outcome.status = Status::stock;
        outcome.place = pool.front();
    }
    if (is_stock(entry)) outcome.status = Status::stock;
    if (outcome.status == Status::missing && unchecked() && !is_wad(entry))
        outcome.status = Status::unchecked;
    if (is_wad(entry) && is_spray_package(entry)) {
        outcome.status = Status::stock;
        outcome.reason = "a players' spray package, which the engine makes itself and skips in "
                         "the map's wad list: never sent";
    }
    if (outcome.place) {
        outcome.file = game_.describe(*outcome.place);
        outcome.spelled = outcome.place->spelled;
    }
    return outcome;
}

MapResolution Resolver::resolve(const std::string& map_path,
                                const std::vector<std::string>& entries, bool follow) const {
    MapResolution resolution;
    resolution.map = map_path;
    for (const auto& entry : entries)
        resolution.entries.push_back(look_up(entry, From::map()));
    const auto map = read_map(map_path);
    if (follow) follow_entries(map, map_path, resolution);
    check_textures(map, resolution);
    if (map.models_error)
        resolution.warnings.push_back("brush models not counted: " + *map.models_error);
    resolution.brush_models = map.brush_models;
    read_spawn(map, resolution);
    if (map.damage) resolution.damaged = *map.damage;
    apply_rules(game_, resolution);
    warn_of_missing_key_wads(resolution);
    if (unchecked())
        for (const auto& folder : game_.absent_fallbacks())
            resolution.unchecked_because +=
                (resolution.unchecked_because.empty() ? "" : ", ") + folder + "/";
    return resolution;
}

// Each entry is added once, by its first name; what an added entry needs is followed in
// its turn. A name given by a file is hostile until the rules take it.
void Resolver::follow_entries(const BspMap& map, const std::string& map_path,
                              MapResolution& resolution) const {
    const FollowContext context{
        [this](const std::string& entry, From from) { return look_up(entry, std::move(from)); },
        game_, resolution.entries, analysis::map_names_of_path(map_path),
        analysis::drop_last_chars(map_path, 4) + "_detail.txt"};
    NameSet listed;
    for (const auto& outcome : resolution.entries)
        listed.insert(index_key(outcome.entry));
    auto add = [&](const std::string& entry, From from, const FileKind* kind) {
        if (!listed.insert(index_key(entry))) return;
        auto outcome = look_up(entry, std::move(from));
        refuse_if_needed(outcome, kind);
        outcome.followed = true;
        resolution.entries.push_back(std::move(outcome));
    };
    const auto named = read_entities(map, resolution);
    for (const auto& sky : named.ignored_skies)
        resolution.warnings.push_back(sky + ": the game ignores this key");
    if (!map.entity_error) {
        NameSet opened;
        for (const auto& wad : named.wads)
            opened.insert(wad);
        for (auto& outcome : resolution.entries)
            if (is_wad(outcome.entry) && outcome.reason.empty() && !opened.contains(outcome.entry))
                outcome.warnings.push_back("worldspawn's wad key does not name it: the engine "
                                           "never opens it");
    }
    for (const auto& reference : named.references)
        if (!reference.scanned) add(reference.entry, From::entities(), nullptr);
    for (const auto& need : needs_of(nullptr, context, resolution.warnings))
        add(need.entry, From::map(), need.kind);
    for (std::size_t i = 0; i < resolution.entries.size(); ++i) {
        auto& outcome = resolution.entries[i];
        const auto needs = needs_of(&outcome, context, outcome.warnings);
        const auto by = From::needed_by(outcome.entry); // `outcome` moves as entries are added
        for (const auto& need : needs)
            add(need.entry, by, need.kind);
    }
    name_entities(named, resolution);
}

void Resolver::check_textures(const BspMap& map, MapResolution& resolution) const {
    if (map.textures_error) {
        resolution.warnings.push_back("textures not checked: " + *map.textures_error);
        return;
    }
    const auto& textures = map.textures;
    NameSet external, held;
    for (const auto& texture : textures.external)
        external.insert(texture);
    for (auto& outcome : resolution.entries) {
        if (!is_wad(outcome.entry) || !outcome.place) continue;
        try {
            bool used = false;
            for (const auto& name : read_wad_names(*game_.open(*outcome.place))) {
                held.insert(name);
                used = used || external.contains(name);
            }
            if (!used) resolution.unused_wads.push_back(outcome.entry);
        } catch (const std::exception& e) {
            outcome.warnings.push_back(e.what());
        }
    }
    for (const auto& texture : textures.external)
        if (!held.contains(texture))
            (unchecked() ? resolution.unchecked_textures : resolution.missing_textures)
                .push_back(texture);
}

} // namespace tarnwick::game
