#include "analysis/os/files.h"

namespace tarnwick::analysis::os {

std::vector<std::string> expand_wildcards(const std::string& argument) {
    return {argument};
}

} // namespace tarnwick::analysis::os
