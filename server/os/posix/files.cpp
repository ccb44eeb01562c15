#include "server/os/files.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarnwick::server::os {
namespace {

Look look_of(const struct stat& status) {
    switch (status.st_mode & S_IFMT) {
    case S_IFREG:
        break;
    case S_IFDIR:
        return {Look::Kind::folder};
    case S_IFLNK:
        return {Look::Kind::link};
    default:
        return {Look::Kind::other};
    }
    // The count std::filesystem::last_write_time gives, so that either may be compared.
    using namespace std::chrono;
    const auto time = file_clock::from_sys(sys_time<nanoseconds>(
        seconds(status.st_mtim.tv_sec) + nanoseconds(status.st_mtim.tv_nsec)));
    return {Look::Kind::plain,
            {static_cast<std::uint64_t>(status.st_size),
             static_cast<std::int64_t>(time.time_since_epoch().count())}};
}

std::string reason(const char* what) {
    return what + std::string(": ") + std::strerror(errno);
}

} // namespace

Look look_at(const std::filesystem::path& path, Links links) {
    struct stat status {};
    const int got =
        links == Links::kept ? ::lstat(path.c_str(), &status) : ::stat(path.c_str(), &status);
    return got == 0 ? look_of(status) : Look{};
}

Stamp stamp_of(Handle file, const std::filesystem::path&) {
    struct stat status {};
    if (::fstat(static_cast<int>(file), &status) != 0)
        throw analysis::FileError(reason("cannot look at the file"));
    return look_of(status).stamp;
}

// A file renamed over, or removed, keeps no name.
bool still_as_opened(Handle file, const std::filesystem::path&, const Stamp& stamp) {
    struct stat status {};
    return ::fstat(static_cast<int>(file), &status) == 0 && status.st_nlink > 0 &&
           look_of(status).stamp == stamp;
}

Handle open_stamped(const std::filesystem::path& path, Stamp& stamp) {
    // Non-blocking, so that opening a pipe that nobody writes returns at once.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) throw analysis::FileError(reason("cannot open"));
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        throw analysis::FileError("not an ordinary file");
    }
    stamp = look_of(status).stamp;
    return fd;
}

// The open file's own stamp: its time is that of its last write, which the rename and the
// close leave as it is.
Stamp flush_and_stamp(analysis::ReplacementFile& file) {
    Stamp stamp;
    file.flush([&](Handle open) { stamp = stamp_of(open, file.part()); });
    return stamp;
}

} // namespace tarnwick::server::os
