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

bool name_taken(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

// A link to a file is written through (the writer replaces its target); a link to anything
// else, or a device, pipe or socket, would be turned into a file by the rename.
std::string os::why_not_replaceable(const std::filesystem::path& destination, Hidden) {
    struct stat info {};
    if (::lstat(destination.c_str(), &info) != 0) return {};
    if (S_ISLNK(info.st_mode)) {
        if (::stat(destination.c_str(), &info) != 0) return "a link to nothing is in the way";
        if (S_ISREG(info.st_mode)) return {};
        return "a link to a folder, device or pipe is in the way";
    }
    if (S_ISDIR(info.st_mode)) return "a folder of that name is in the way";
    if (!S_ISREG(info.st_mode)) return "a device, pipe or socket of that name is in the way";
    return {};
}

} // namespace tarnwick::analysis
