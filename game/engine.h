#pragma once

// The two server engines a map meets, and what each counts: the limits of its precache
// tables and of the resource list it sends, and what it precaches by itself for a map.

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace tarnwick::game {

enum class Engine { hlds, rehlds };

// The engine's tables, in the order the report counts them.
enum class Table { model, sound, generic, event, decal };
inline constexpr std::size_t table_count = 5;
// "model", "sound", "generic", "event", "decal": as ReHLDS's own listings name them.
std::string_view table_name(Table table);
std::optional<Table> table_named(std::string_view name);

// One limit of the engines, the same or each its own.
struct EngineLimit {
    const char* what; // as the report's limits line says it
    std::size_t hlds, rehlds;
    std::size_t of(Engine engine) const { return engine == Engine::hlds ? hlds : rehlds; }
};

// The tables, in Table's order, then the whole list and the bytes of its message.
extern const std::array<EngineLimit, table_count + 2> engine_limits;
inline constexpr std::size_t whole_list = table_count;
inline constexpr std::size_t list_bytes = table_count + 1;

// What an engine does by itself, beyond what the game and the map ask for.
struct EngineWays {
    const char* name; // as --engine takes it
    // Every inline brush model *1 … *N takes a model slot; else only those an entity's
    // `model` key names.
    bool all_inline_models;
    // A .res word already precached as a model or a sound takes no generic slot.
    bool res_skips_precached;
    // The engine precaches the map's sky, overview, detail textures, texture packages and
    // its models' T models and sequence groups as generic resources of its own.
    bool sends_map_files;
};
const EngineWays& engine_ways(Engine engine);
// "hlds" or "rehlds", in any case.
std::optional<Engine> engine_named(std::string_view name);

// The bytes one entry of the resource list costs in its message: its name, then its type,
// index, size, flags and a bit for its reserved bytes.
std::size_t list_entry_bits(std::size_t name_length);

} // namespace tarnwick::game
