#pragma once

#include <string>

namespace tarnwick::testing {

// Hides a file the way the system does: on Windows by its attribute; elsewhere its name,
// which must start with a dot, already does. Says whether the program may still replace
// it: Windows refuses to replace a hidden file.
bool hide_file(const std::string& path);

} // namespace tarnwick::testing
