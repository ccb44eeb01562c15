#pragma once

#include "game/formats/byte_source.h"

#include <string>
#include <vector>

namespace tarnwick::game {

// The most sequence groups the engine loads of a model.
inline constexpr int max_sequence_groups = 16;

// What a studio model (IDST, version 10) needs besides itself.
struct StudioModel {
    bool has_textures = true; // false: the textures are in the texture model
    // The files of the sequence groups past the first, as the model's group table names
    // them ('/' for '\'); the model compiler writes "models\<base>NN.mdl".
    std::vector<std::string> sequence_files;
    std::vector<std::string> sounds; // the option texts of the sound events, each once
};

// A sequence group file (IDSQ) reads as a model that needs nothing.
// Throws FormatError: "not a studio model", or damage to the header, the sequence groups
// (more than the engine's max_sequence_groups is damage too), sequences or events.
StudioModel read_studio_model(const ByteSource& model);

// The files `entry` (a path ending in .mdl) needs by `model`: its texture model, its
// sequence group files as the model names them, then "sound/" + each event's text.
std::vector<std::string> model_needs(const std::string& entry, const StudioModel& model);

} // namespace tarnwick::game
