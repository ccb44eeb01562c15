#pragma once

// The maps of a server's cycle as the batch's arguments (--mapcycle).

#include "cli/map_arguments.h"
#include "game/session.h"

#include <functional>
#include <string>
#include <vector>

namespace tarnwick::cli {

// The maps that the cycle `file` names, each once, looked up in the game folder of `mod`;
// what its reading warns of is reported. A name the server skips is a problem; a map in a
// pack file only a note. Throws std::runtime_error when the file or the folder cannot be
// read.
std::vector<MapArgument> cycle_arguments(const std::string& file, const std::string& mod,
                                         game::Session& session,
                                         const std::function<void(const std::string&)>& report);

// The mod folder of a cycle given without --game: the folder the file is in (UTF-8).
std::string mod_of_cycle(const std::string& file);

} // namespace tarnwick::cli
