#include "hide_file.h"

namespace tarnwick::testing {

bool hide_file(const std::string&) { return true; }

} // namespace tarnwick::testing
