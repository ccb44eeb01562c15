// The map's counts against the engine's limits, as the engine fills its precache tables.

#include "game/formats/names.h"
#include "game/game_precache.h"
#include "game/rules.h"

#include <algorithm>
#include <unordered_set>

namespace tarnwick::game {
namespace {

// A name the list holds only as a count (a base of numbers): about what the game's own
// names take, so that the message's bytes are not far off.
constexpr std::size_t unnamed_length = 24;
// The decals of the stock decals.wad, whose names are not known here: the most a package's
// directory holds, so the bytes are never counted short.
constexpr std::size_t decal_name_length = 15;
// sv_main.cpp SV_SendResources: the message's type, then the count in RESOURCE_INDEX_BITS.
constexpr std::size_t list_head_bits = 8 + 12;

constexpr std::size_t index(Table table) {
    return static_cast<std::size_t>(table);
}

// The engine's tables as it fills them: a name it holds already takes no new slot (names
// compared as the engine compares them, ASCII letters without regard to case); `known`
// names are in a base counted by number, so they take no slot either.
class Tables {
public:
    bool holds(Table t, std::string_view name) const {
        const auto key = lower_ascii(name);
        return names_[index(t)].count(key) || known_[index(t)].count(key);
    }
    void add(Table t, std::string_view name) {
        if (holds(t, name)) return;
        names_[index(t)].insert(lower_ascii(name));
        bits_ += list_entry_bits(name.size());
    }
    void know(Table t, std::string_view name) { known_[index(t)].insert(lower_ascii(name)); }
    void add_unnamed(Table t, std::size_t count, std::size_t length = unnamed_length) {
        unnamed_[index(t)] += count;
        bits_ += count * list_entry_bits(length);
    }
    std::size_t count(Table t) const { return unnamed_[index(t)] + names_[index(t)].size(); }
    std::size_t message_bytes() const { return (list_head_bits + bits_ + 7) / 8; }

private:
    std::array<std::unordered_set<std::string>, table_count> names_, known_;
    std::array<std::size_t, table_count> unnamed_{};
    std::size_t bits_ = 0;
};

std::string_view file_name_part(std::string_view path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// The map's name without its folder and ".bsp".
std::string map_name(const MapResolution& r) {
    auto name = file_name_part(r.map);
    if (ends_with_name(name, ".bsp")) name.remove_suffix(4);
    return std::string(name);
}

bool starts_with_name(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && same_name(text.substr(0, prefix.size()), prefix);
}

// The sound table holds a sound without the "sound/" a map or a .res puts in front.
std::optional<std::string_view> sound_of(std::string_view entry) {
    if (!ends_with_name(entry, ".wav")) return std::nullopt;
    constexpr std::string_view folder = "sound/";
    return starts_with_name(entry, folder) ? entry.substr(folder.size()) : entry;
}

std::size_t inline_models(const MapResolution& r, Engine engine) {
    const auto all = r.brush_models > 0 ? r.brush_models - 1 : 0;
    return engine_ways(engine).all_inline_models ? all : std::min(all, r.named_inline_models);
}

// textures.cpp: the engine's own packages are never sent.
bool engine_package(std::string_view wad) {
    return same_name(wad, "halflife.wad") || same_name(wad, "xeno.wad") ||
           same_name(wad, "decals.wad");
}

bool in_wad_key(const MapResolution& r, std::string_view wad) {
    return std::any_of(r.wad_key.begin(), r.wad_key.end(),
                       [&](const std::string& key) { return same_name(key, wad); });
}

bool has_sky(const MapResolution& r) {
    return std::any_of(r.entries.begin(), r.entries.end(), [](const Outcome& o) {
        return o.from.named_by_map() && starts_with_name(o.entry, "gfx/env/");
    });
}

// The base known by name, or by number with the game's names known to be in it.
void add_base(Tables& tables, const BaseCounts& base, const std::optional<GameShare>& share) {
    for (std::size_t t = 0; t < table_count; ++t) {
        const auto table = static_cast<Table>(t);
        for (const auto& name : base.names[t])
            tables.add(table, name);
        tables.add_unnamed(table, base.counts[t],
                           table == Table::decal ? decal_name_length : unnamed_length);
        if (share && base.names[t].empty())
            for (const auto& name : share->names[t])
                tables.know(table, name);
    }
}

void add_share(Tables& tables, const GameShare& share) {
    for (std::size_t t = 0; t < table_count; ++t)
        for (const auto& name : share.names[t])
            tables.add(static_cast<Table>(t), name);
    tables.add_unnamed(Table::decal, share.decals, decal_name_length);
}

// The description file the game code precaches as generic (world.cpp): the map's own
// when the server has it, else maps/default.txt when it has that.
std::optional<std::string> description_file(const MapResolution& r, bool default_description) {
    const auto wanted = "maps/" + map_name(r) + ".txt";
    for (const auto& o : r.entries)
        if (same_name(o.entry, wanted) && present(o.status)) return o.entry;
    if (default_description) return "maps/default.txt";
    return std::nullopt;
}

// The map's own share, with the description the game code precaches for it, then the
// .res's words: on an engine that skips them, those the model or sound table holds take no
// generic slot.
void add_map(Tables& tables, const MapResolution& r, Engine engine,
             const std::optional<std::string>& description,
             const std::vector<std::string>& res_words) {
    const auto own = map_precache(r, engine);
    for (std::size_t t = 0; t < table_count; ++t)
        for (const auto& name : own[t])
            tables.add(static_cast<Table>(t), name);
    if (description) tables.add(Table::generic, *description);
    const bool skips = engine_ways(engine).res_skips_precached;
    for (const auto& word : res_words) {
        const auto sound = sound_of(word);
        if (skips &&
            (tables.holds(Table::model, word) || (sound && tables.holds(Table::sound, *sound))))
            continue;
        tables.add(Table::generic, word);
    }
}

} // namespace

bool engine_sends(const MapResolution& r, const Outcome& o, Engine engine) {
    if (!engine_ways(engine).sends_map_files) return false;
    if (ends_with_name(o.entry, ".wad"))
        return in_wad_key(r, o.entry) && !engine_package(o.entry) && !is_spray_package(o.entry);
    // What is not there the engine cannot send.
    if (!present(o.status) && o.status != Status::stock) return false;
    const auto name = map_name(r);
    if (o.from.named_by_map())
        return starts_with_name(o.entry, "gfx/env/") ||
               same_name(o.entry, "overviews/" + name + ".txt") ||
               same_name(o.entry, "overviews/" + name + ".bmp") ||
               same_name(o.entry, "maps/" + name + ".txt") ||
               same_name(o.entry, "maps/" + name + "_detail.txt");
    if (o.from.kind != From::Kind::entry) return false;
    return same_name(o.from.entry, "maps/" + name + "_detail.txt") ||
           same_name(o.from.entry, "overviews/" + name + ".txt") ||
           (ends_with_name(o.from.entry, ".mdl") && ends_with_name(o.entry, ".mdl"));
}

std::array<std::vector<std::string>, table_count> map_precache(const MapResolution& r,
                                                               Engine engine) {
    std::array<std::vector<std::string>, table_count> own;
    auto& models = own[index(Table::model)];
    models.push_back("maps/" + map_name(r) + ".bsp");
    for (std::size_t i = 1; i <= inline_models(r, engine); ++i)
        models.push_back(std::string(1, '*').append(std::to_string(i)));
    for (const auto& o : r.entries) {
        if (o.from.named_by_map() &&
            (ends_with_name(o.entry, ".mdl") || ends_with_name(o.entry, ".spr")))
            models.push_back(o.entry);
        else if (const auto sound = sound_of(o.entry); sound && o.from.named_by_map())
            own[index(Table::sound)].emplace_back(*sound);
        if (engine_sends(r, o, engine)) own[index(Table::generic)].push_back(o.entry);
    }
    // sv_main.cpp: a map without a sky of its own gets the game's desert.
    if (engine_ways(engine).sends_map_files && !has_sky(r))
        for (const char* face : {"up", "dn", "lf", "rt", "ft", "bk"})
            own[index(Table::generic)].push_back(std::string("gfx/env/desert") + face + ".tga");
    return own;
}

void count_limits(MapResolution& r, const LimitSettings& settings) {
    const auto engine = settings.engine;
    const auto share = game_share(settings.mod, r.hostages);
    Tables tables;
    r.limits.clear();
    r.game_share = {};
    if (settings.base && settings.base->given) {
        add_base(tables, *settings.base, share);
    } else if (share) {
        add_share(tables, *share);
        for (std::size_t t = 0; t < table_count; ++t)
            r.game_share[t] = share->count(static_cast<Table>(t));
    }
    r.counts_alone = !(settings.base && settings.base->given) && !share;
    for (auto& o : r.entries)
        o.engine_sends = engine_sends(r, o, engine);
    add_map(tables, r, engine,
            share ? description_file(r, settings.default_description) : std::nullopt,
            settings.res_words);
    std::size_t whole = 0;
    for (std::size_t t = 0; t < table_count; ++t) {
        const auto count = tables.count(static_cast<Table>(t));
        r.limits.push_back({engine_limits[t].what, count, engine_limits[t].of(engine)});
        whole += count;
    }
    r.limits.push_back(
        {engine_limits[whole_list].what, whole, engine_limits[whole_list].of(engine)});
    r.limits.push_back({engine_limits[list_bytes].what, tables.message_bytes(),
                        engine_limits[list_bytes].of(engine)});
    r.limits.push_back({".res lines", settings.res_words.size(), max_res_lines});
}

BaseCounts base_without_map(const BaseCounts& listed, const MapResolution& map,
                            const std::vector<std::string>& res_words, const std::string& mod) {
    // Only ReHLDS lists what it holds, so the map's share is what ReHLDS gave it.
    constexpr auto engine = Engine::rehlds;
    auto base = listed;
    auto own = map_precache(map, engine);
    auto& generic = own[index(Table::generic)];
    generic.insert(generic.end(), res_words.begin(), res_words.end());
    for (std::size_t t = 0; t < table_count; ++t) {
        std::unordered_set<std::string> mine;
        for (const auto& name : own[t])
            // What the game precaches itself stays in the base, whoever else names it.
            if (!game_precaches(static_cast<Table>(t) == Table::sound ? "sound/" + name : name))
                mine.insert(lower_ascii(name));
        std::erase_if(base.names[t],
                      [&](const std::string& n) { return mine.count(lower_ascii(n)); });
    }
    // The slots the map took beyond the game's share.
    Tables before, after;
    const auto share = game_share(mod, map.hostages);
    if (share) {
        add_share(before, *share);
        add_share(after, *share);
    }
    add_map(after, map, engine, share ? description_file(map, false) : std::nullopt, res_words);
    for (std::size_t t = 0; t < table_count; ++t) {
        const auto taken = after.count(static_cast<Table>(t)) - before.count(static_cast<Table>(t));
        base.counts[t] -= std::min(base.counts[t], taken);
    }
    return base;
}

} // namespace tarnwick::game
