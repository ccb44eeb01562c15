#include "analysis/file_system.h"
#include "analysis/os/files.h"

#include <sys/stat.h>

namespace tarnwick::analysis {

bool plain_file_exists(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    const auto name = file_name_of(path);
    return !name.empty() && name.front() != '.';
}

std::string os::why_not_replaceable(const std::filesystem::path& destination) {
    struct stat info {};
    if (::stat(destination.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        return "a folder of that name is in the way";
    return {};
}

} // namespace tarnwick::analysis
