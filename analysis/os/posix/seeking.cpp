#include "analysis/os/files.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace tarnwick::analysis::os {

std::uint64_t size_of(Handle file) {
    struct stat info {};
    if (::fstat(static_cast<int>(file), &info) != 0)
        throw FileError("cannot see the file's size: " + std::string(std::strerror(errno)));
    return static_cast<std::uint64_t>(info.st_size);
}

void seek_to(Handle file, std::uint64_t offset) {
    if (::lseek(static_cast<int>(file), static_cast<off_t>(offset), SEEK_SET) < 0)
        throw FileError("cannot seek: " + std::string(std::strerror(errno)));
}

} // namespace tarnwick::analysis::os
