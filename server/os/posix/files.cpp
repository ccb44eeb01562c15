#include "server/os/files.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <optional>
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

Stamp close_written(Handle file, const std::filesystem::path& path) {
    std::optional<Stamp> stamp;
    std::string why;
    try {
        stamp = stamp_of(file, path);
    } catch (const analysis::FileError& e) {
        why = e.what();
    }
    if (::close(static_cast<int>(file)) != 0) throw analysis::FileError(reason("cannot write"));
    if (!stamp) throw analysis::FileError(why);
    return *stamp;
}

Handle create_beside(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0) return fd;
    if (errno == EEXIST) return analysis::os::no_handle;
    throw analysis::FileError(reason("cannot create a file there"));
}

} // namespace tarnwick::server::os
