#include "game/follow.h"

#include "analysis/file_system.h"
#include "analysis/references.h"
#include "game/file_source.h"
#include "game/formats/detail_list.h"
#include "game/formats/names.h"
#include "game/formats/overview.h"
#include "game/formats/studio_model.h"

#include <memory>

namespace tarnwick::game {
namespace {

using Needs = std::vector<Need>;

constexpr std::string_view text_files[] = {".txt"};
constexpr std::string_view images[] = {".bmp", ".tga"};
constexpr std::string_view models[] = {".mdl"};
constexpr std::string_view sounds[] = {".wav"};
constexpr std::string_view bitmaps[] = {".bmp"};
constexpr FileKind map_file{"a file of the map's", text_files};
constexpr FileKind overview_image{"an overview image", images};
constexpr FileKind texture_model{"a texture model", models};
constexpr FileKind sequence_group{"a sequence group", models};
constexpr FileKind event_sound{"a model event sound", sounds};
constexpr FileKind detail_texture{"a detail texture", images};
constexpr FileKind sky_face{"a sky face", bitmaps};

// Each of `names` as a need of `kind`.
Needs of_kind(std::vector<std::string> names, const FileKind& kind) {
    Needs needs;
    for (auto& name : names)
        needs.push_back({std::move(name), &kind});
    return needs;
}

bool is_map(const Outcome* entry, const FollowContext&) {
    return entry == nullptr;
}

// The detail file is looked up in the search folders like every other file, or lies beside
// a map that is not in a mod's maps/ folder; the overview's image is what its description
// names.
Needs map_needs(Outcome*, const FollowContext& c) {
    Needs needs;
    if (!c.game.candidates(c.names.detail()).empty() ||
        analysis::plain_file_exists(c.detail_beside))
        needs.push_back({c.names.detail(), &map_file});
    if (auto overview = c.names.overview(".txt"); !c.game.candidates(overview).empty())
        needs.push_back({std::move(overview), &map_file});
    return needs;
}

bool is_overview(const Outcome* entry, const FollowContext& c) {
    return entry && entry->place && same_name(entry->entry, c.names.overview(".txt"));
}

Needs overview_needs(Outcome* entry, const FollowContext& c) {
    return of_kind(read_overview_images(read_small_file(*c.game.open(*entry->place))),
                   overview_image);
}

// Stock models are not followed: what they need ships with the game too.
bool is_custom_model(const Outcome* entry, const FollowContext&) {
    return entry && present(entry->status) && ends_with_name(entry->entry, ".mdl");
}

Needs studio_model_needs(Outcome* entry, const FollowContext& c) {
    return model_follow_needs(entry->entry, read_studio_model(*c.game.open(*entry->place)));
}

// Followed whatever its status: a detail file that ships with the game still names the
// textures this map is drawn with.
bool is_detail_file(const Outcome* entry, const FollowContext& c) {
    return entry && same_name(entry->entry, c.names.detail());
}

Needs detail_needs(Outcome* entry, const FollowContext& c) {
    const auto file =
        entry->place ? c.game.open(*entry->place) : std::make_unique<FileSource>(c.detail_beside);
    return of_kind(read_detail_textures(read_small_file(*file)), detail_texture);
}

constexpr std::string_view back_face = "bk.tga";

// The sky is known by its back face.
bool is_sky_set(const Outcome* entry, const FollowContext&) {
    if (!entry) return false;
    const auto path = index_key(entry->entry);
    return path.starts_with(analysis::sky_folder) && path.ends_with(back_face);
}

bool is_there(const Outcome& o) {
    return o.place || o.status == Status::stock;
}

// The game loads the six faces as one set: the .tga ones when the back face is there,
// else the six .bmp. The .tga faces are then all replaced, and the .bmp are what the .res
// must name; either set with a face missing has that face missing.
Needs sky_set_needs(Outcome* entry, const FollowContext& c) {
    if (is_there(*entry)) return {};
    const auto sky = entry->entry.substr(0, entry->entry.size() - back_face.size());
    if (!is_there(c.look_up(sky + "bk.bmp", From::needed_by(entry->entry)))) return {};
    Needs needs;
    for (const auto face : analysis::sky_faces) {
        const auto tga = sky + std::string(face);
        for (auto& o : c.entries)
            if (same_name(o.entry, tga)) o.status = Status::replaced;
        needs.push_back({tga.substr(0, tga.size() - 4) + ".bmp", &sky_face});
    }
    return needs;
}

const FollowRow rows[] = {
    {"the map: its detail file and overview description", is_map, map_needs},
    {"a sky without its .tga back face: the six .bmp", is_sky_set, sky_set_needs},
    {"the detail file: its textures", is_detail_file, detail_needs},
    {"the overview's description: its image", is_overview, overview_needs},
    {"a studio model: its texture model, sequence groups and event sounds", is_custom_model,
     studio_model_needs, true},
};

} // namespace

// model_needs gives the texture model, then the sequence groups, then the sounds.
Needs model_follow_needs(const std::string& entry, const StudioModel& model) {
    auto needs = of_kind(model_needs(entry, model), event_sound);
    const std::size_t texture = model.has_textures ? 0 : 1;
    for (std::size_t i = 0; i < texture + model.sequence_files.size(); ++i)
        needs[i].kind = i < texture ? &texture_model : &sequence_group;
    return needs;
}

Needs needs_of(Outcome* entry, const FollowContext& context, std::vector<std::string>& warnings) {
    Needs needs;
    if (entry && entry->status == Status::refused) return needs;
    for (const auto& row : rows) {
        if (!row.applies(entry, context)) continue;
        try {
            for (auto& need : row.needs(entry, context))
                needs.push_back(std::move(need));
        } catch (const std::exception& e) {
            if (!entry || !row.unreadable_is_damaged) {
                warnings.push_back(e.what());
                continue;
            }
            entry->status = Status::damaged;
            entry->reason = e.what();
        }
    }
    return needs;
}

} // namespace tarnwick::game
