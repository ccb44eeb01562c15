#pragma once

#include "game/formats/byte_source.h"

#include <string>
#include <vector>

namespace tarnwick::game {

// What a studio model (IDST, version 10) needs besides itself.
struct StudioModel {
    bool has_textures = true;        // false: the textures are in the texture model
    int sequence_groups = 1;         // groups past the first are files of their own
    std::vector<std::string> sounds; // the option texts of the sound events, each once
};

// A sequence group file (IDSQ) reads as a model that needs nothing.
// Throws FormatError: "not a studio model", or damage to the header, sequences or events.
StudioModel read_studio_model(const ByteSource& model);

// The files `entry` (a path ending in .mdl) needs by `model`: its texture model, its
// sequence group files, then "sound/" + each event's text.
std::vector<std::string> model_needs(const std::string& entry, const StudioModel& model);

} // namespace tarnwick::game
