#include "hide_file.h"

#include <windows.h>

namespace tarnwick::testing {

bool hide_file(const std::string& path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
    return false;
}

} // namespace tarnwick::testing
