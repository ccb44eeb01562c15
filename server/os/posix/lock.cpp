#include "server/os/files.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace tarnwick::server::os {
namespace {

std::string reason(const char* what) {
    return what + std::string(": ") + std::strerror(errno);
}

std::uint64_t holder_of(int fd) {
    char text[32] = {};
    const auto got = ::pread(fd, text, sizeof text - 1, 0);
    std::uint64_t process = 0;
    if (got > 0) std::from_chars(text, text + got, process);
    return process;
}

} // namespace

// flock: held by the open file, so two runs in one process exclude each other too, and
// let go by the system when the process ends. A lock file removed between its opening and
// its locking keeps no one out: it is opened again.
Handle lock_file(const std::filesystem::path& path, bool wait, std::uint64_t& holder,
                 const std::atomic<int>* stop) {
    const auto stopped = [&] { return stop && *stop; };
    for (;;) {
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd < 0) throw analysis::FileError(reason("cannot open the lock file"));
        // A stop signal, caught without SA_RESTART, ends a wait with EINTR.
        while (stopped() || ::flock(fd, LOCK_EX | (wait ? 0 : LOCK_NB)) != 0) {
            if (stopped()) {
                ::close(fd);
                return analysis::os::no_handle;
            }
            if (errno == EINTR) continue;
            const bool busy = errno == EWOULDBLOCK;
            const auto why = reason("cannot lock");
            if (busy) holder = holder_of(fd);
            ::close(fd);
            if (busy) return analysis::os::no_handle;
            throw analysis::FileError(why);
        }
        if (!LockWatch(fd, path).held()) {
            ::close(fd);
            continue;
        }
        const auto self = std::to_string(::getpid()) + "\n";
        if (::ftruncate(fd, 0) != 0 || ::pwrite(fd, self.data(), self.size(), 0) < 0) {
            // The lock holds all the same; only the name of its holder is lost.
        }
        return fd;
    }
}

LockWatch::LockWatch(Handle lock, std::filesystem::path path)
    : path_(std::move(path)), lock_(lock) {
    struct stat held {};
    if (::fstat(static_cast<int>(lock), &held) != 0) return;
    device_ = static_cast<std::uint64_t>(held.st_dev);
    node_ = static_cast<std::uint64_t>(held.st_ino);
}

bool LockWatch::held() const noexcept {
    struct stat named {};
    return node_ != 0 && ::lstat(path_.c_str(), &named) == 0 &&
           static_cast<std::uint64_t>(named.st_dev) == device_ &&
           static_cast<std::uint64_t>(named.st_ino) == node_;
}

bool LockWatch::named() const noexcept {
    struct stat held {};
    return ::fstat(static_cast<int>(lock_), &held) == 0 && held.st_nlink > 0;
}

void unlock_file(Handle file) noexcept {
    ::close(static_cast<int>(file));
}

Handle open_to_append(const std::filesystem::path& path) {
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) throw analysis::FileError(reason("cannot open"));
    return fd;
}

bool cut_to(Handle file, std::uint64_t size) noexcept {
    return ::ftruncate(static_cast<int>(file), static_cast<off_t>(size)) == 0;
}

} // namespace tarnwick::server::os
