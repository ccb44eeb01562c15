#include "analysis/os/files.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarnwick::analysis::os {

Handle open_for_reading(const std::string& path) {
    // Non-blocking, so that opening a pipe that nobody writes returns at once.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) throw FileError("cannot open: " + std::string(std::strerror(errno)));
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        throw FileError("not an ordinary file");
    }
    // O_NONBLOCK stays: an ordinary file reads the same with it.
    return fd;
}

std::size_t read_some(Handle file, unsigned char* into, std::size_t size) {
    for (;;) {
        const auto got = ::read(static_cast<int>(file), into, size);
        if (got >= 0) return static_cast<std::size_t>(got);
        if (errno != EINTR) throw FileError("read failed: " + std::string(std::strerror(errno)));
    }
}

void close_file(Handle file) noexcept {
    ::close(static_cast<int>(file));
}

} // namespace tarnwick::analysis::os
