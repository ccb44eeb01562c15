#include "game/formats/studio_model.h"

#include "game/formats/names.h"

#include <algorithm>

namespace tarnwick::game {
namespace {

constexpr std::int32_t studio_version = 10;
constexpr std::size_t header_size = 188; // through the texture count
constexpr std::size_t sequence_count_at = 164, sequence_index_at = 168;
constexpr std::size_t group_count_at = 172, group_index_at = 176, texture_count_at = 180;
constexpr std::size_t group_size = 104, group_name_at = 32; // label, name, two unused ints
constexpr std::size_t sequence_size = 176, event_count_at = 48, event_index_at = 52;
constexpr std::size_t event_size = 76, event_kind_at = 4, event_text_at = 12;

bool names_sound(std::int32_t event) {
    return event == 5004 || event == 1004 || event == 1008;
}

// `budget` is what is left of the file's size for event tables: sequences of a sound model
// have tables of their own, and tables that overlap again and again are damage, not work.
void add_sounds(const ByteSource& model, std::string_view sequence, std::uint64_t& budget,
                NameSet& seen, std::vector<std::string>& sounds) {
    const auto events = read_table(model, int32_at(sequence, event_index_at),
                                   int32_at(sequence, event_count_at), event_size, "events");
    if (events.size() > budget)
        damaged(static_cast<std::uint64_t>(int32_at(sequence, event_index_at)),
                "event tables overlap");
    budget -= events.size();
    for (std::size_t at = 0; at < events.size(); at += event_size) {
        if (!names_sound(int32_at(events, at + event_kind_at))) continue;
        auto text = name_at(events, at + event_text_at, 64);
        if (!text.empty() && seen.insert(text)) sounds.push_back(std::move(text));
    }
}

} // namespace

StudioModel read_studio_model(const ByteSource& model) {
    if (model.size() < 8) throw FormatError("not a studio model");
    const auto magic = model.read(0, 4);
    if (magic == "IDSQ") return {};
    if (magic != "IDST") throw FormatError("not a studio model");
    if (model.size() < header_size || int32_at(model.read(4, 4), 0) != studio_version)
        throw FormatError("not a studio model of version 10");
    const auto header = model.read(0, header_size);
    StudioModel result;
    result.has_textures = int32_at(header, texture_count_at) != 0;
    const auto groups = int32_at(header, group_count_at);
    if (groups < 0 || groups > max_sequence_groups)
        damaged(group_count_at, std::to_string(groups) + " sequence groups, more than the " +
                                    std::to_string(max_sequence_groups) + " the engine loads");
    // Group 0 is the model itself; the others are files, named in the table.
    const auto table = groups < 2 ? std::string()
                                  : read_table(model, int32_at(header, group_index_at), groups,
                                               group_size, "sequence groups");
    for (std::size_t at = group_size; at < table.size(); at += group_size) {
        auto name = name_at(table, at + group_name_at, 64);
        std::replace(name.begin(), name.end(), '\\', '/');
        if (!name.empty()) result.sequence_files.push_back(std::move(name));
    }
    const auto sequences =
        read_table(model, int32_at(header, sequence_index_at), int32_at(header, sequence_count_at),
                   sequence_size, "sequences");
    NameSet seen;
    auto budget = model.size();
    for (std::size_t at = 0; at < sequences.size(); at += sequence_size)
        add_sounds(model, std::string_view(sequences).substr(at, sequence_size), budget, seen,
                   result.sounds);
    return result;
}

std::vector<std::string> model_needs(const std::string& entry, const StudioModel& model) {
    const auto stem = entry.substr(0, entry.size() - 4);
    std::vector<std::string> needs;
    if (!model.has_textures) needs.push_back(stem + "T.mdl");
    for (const auto& file : model.sequence_files)
        needs.push_back(file);
    for (const auto& sound : model.sounds)
        needs.push_back("sound/" + sound);
    return needs;
}

} // namespace tarnwick::game
