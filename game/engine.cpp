#include "game/engine.h"

#include "game/formats/names.h"

namespace tarnwick::game {

const std::array<EngineLimit, table_count + 2> engine_limits = {{
    // MAX_MODELS 512 less slot 0, and the last slot, which the client's model loader expects
    // empty (ReHLDS host_cmd.cpp Host_ResourcesCount_f: MAX_MODELS - 2).
    {"models", 510, 510},
    // MAX_SOUNDS 512 less slot 0 (quakedef.h, pr_cmds.cpp PF_precache_sound_I).
    {"sounds", 511, 511},
    // MAX_GENERIC 512 less slot 0 on HLDS; ReHLDS raises it to RESOURCE_MAX_COUNT (server.h).
    {"generic", 511, 4096},
    // MAX_EVENTS 256 less slot 0 (pr_cmds.cpp EV_Precache).
    {"events", 255, 255},
    // MAX_DECALS 512 less slot 0; every entry of decals.wad takes one (decals.cpp Decal_Init).
    {"decals", 511, 511},
    // The whole resource list: MAX_RESOURCE_LIST (custom.h); ReHLDS RESOURCE_MAX_COUNT
    // (server.h).
    {"resources", 1280, 4096},
    // The list reaches the client in one message of at most NET_MAX_PAYLOAD (net.h).
    {"resource list bytes", 65536, 65536},
}};

namespace {

constexpr EngineWays ways[] = {
    // sv_main.cpp SV_SpawnServer: the loop over the world's submodels precaches each one.
    {"hlds", true, false, false},
    // pr_edict.cpp: an inline model takes a slot when an entity's model key names it;
    // sv_main.cpp SV_CreateGenericResources skips a .res word the model or sound table holds;
    // sv_main.cpp and textures.cpp add the map's own files as generic resources.
    {"rehlds", false, true, true},
};

// sv_main.cpp SV_SendResources: the type in 4 bits, the name and its NUL, the index in 12
// bits (RESOURCE_INDEX_BITS), the size in 24, the flags in 3, one bit for the reserved bytes.
constexpr std::size_t entry_bits_beside_name = 4 + 8 + 12 + 24 + 3 + 1;

constexpr std::string_view table_names[] = {"model", "sound", "generic", "event", "decal"};

} // namespace

std::string_view table_name(Table table) {
    return table_names[static_cast<std::size_t>(table)];
}

std::optional<Table> table_named(std::string_view name) {
    for (std::size_t i = 0; i < table_count; ++i)
        if (same_name(table_names[i], name)) return static_cast<Table>(i);
    return std::nullopt;
}

const EngineWays& engine_ways(Engine engine) {
    return ways[static_cast<std::size_t>(engine)];
}

std::optional<Engine> engine_named(std::string_view name) {
    for (const auto engine : {Engine::hlds, Engine::rehlds})
        if (same_name(engine_ways(engine).name, name)) return engine;
    return std::nullopt;
}

std::size_t list_entry_bits(std::size_t name_length) {
    return 8 * name_length + entry_bits_beside_name;
}

} // namespace tarnwick::game
