#include "game/follow.h"

#include "analysis/file_system.h"
#include "game/file_source.h"
#include "game/formats/detail_list.h"
#include "game/formats/names.h"
#include "game/formats/studio_model.h"

#include <memory>

namespace tarnwick::game {
namespace {

using Needs = std::vector<std::string>;

bool is_map(const Outcome* entry, const FollowContext&) {
    return entry == nullptr;
}

// The detail file is named by the game folder like every other file, or lies beside a map
// that is not in a mod's maps/ folder.
Needs map_needs(Outcome*, const FollowContext& c) {
    Needs needs;
    if (!c.game.candidates(c.names.detail()).empty() ||
        analysis::plain_file_exists(c.detail_beside))
        needs.push_back(c.names.detail());
    for (const char* extension : {".txt", ".bmp"}) {
        auto overview = c.names.overview(extension);
        if (!c.game.candidates(overview).empty()) needs.push_back(std::move(overview));
    }
    return needs;
}

// Stock models are not followed: what they need ships with the game too.
bool is_custom_model(const Outcome* entry, const FollowContext&) {
    return entry && (entry->status == Status::found || entry->status == Status::case_mismatch) &&
           ends_with_name(entry->entry, ".mdl");
}

Needs studio_model_needs(Outcome* entry, const FollowContext& c) {
    return model_needs(entry->entry, read_studio_model(*c.game.open(*entry->place)));
}

// Followed whatever its status: a detail file that ships with the game still names the
// textures this map is drawn with.
bool is_detail_file(const Outcome* entry, const FollowContext& c) {
    return entry && same_name(entry->entry, c.names.detail());
}

Needs detail_needs(Outcome* entry, const FollowContext& c) {
    const auto file =
        entry->place ? c.game.open(*entry->place) : std::make_unique<FileSource>(c.detail_beside);
    return read_detail_textures(read_small_file(*file));
}

bool is_missing_sky_face(const Outcome* entry, const FollowContext&) {
    if (!entry || entry->status != Status::missing) return false;
    const auto path = index_key(entry->entry);
    return path.starts_with("gfx/env/") && path.ends_with(".tga");
}

// The game takes the .bmp of a sky face whose .tga is missing; the face is then replaced,
// not missing, and the .bmp is what the .res must name.
Needs sky_face_needs(Outcome* entry, const FollowContext& c) {
    auto bmp = entry->entry.substr(0, entry->entry.size() - 4) + ".bmp";
    const auto replacement = c.resolver.look_up(bmp, From::needed_by(entry->entry));
    if (!replacement.place && replacement.status != Status::stock) return {};
    entry->status = Status::replaced;
    return {std::move(bmp)};
}

const FollowRow rows[] = {
    {"the map: its detail file and overviews", is_map, map_needs},
    {"a missing sky face .tga: its .bmp", is_missing_sky_face, sky_face_needs},
    {"the detail file: its textures", is_detail_file, detail_needs},
    {"a studio model: its texture model, sequence groups and event sounds", is_custom_model,
     studio_model_needs},
};

} // namespace

Needs needs_of(Outcome* entry, const FollowContext& context, std::vector<std::string>& warnings) {
    Needs needs;
    for (const auto& row : rows) {
        if (!row.applies(entry, context)) continue;
        try {
            for (auto& need : row.needs(entry, context))
                needs.push_back(std::move(need));
        } catch (const std::exception& e) {
            warnings.push_back(e.what());
        }
    }
    return needs;
}

} // namespace tarnwick::game
