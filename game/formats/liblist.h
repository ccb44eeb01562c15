#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarnwick::game {

// The fallback game folder that a mod's liblist.gam names (a line `fallback_dir "name"`),
// or nothing when it names none. Throws FormatError when it names one that is not a
// plain folder name (a path, "..", or an empty name).
std::optional<std::string> read_fallback_dir(std::string_view liblist);

} // namespace tarnwick::game
