#include "analysis/os/files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

namespace tarnwick::analysis::os {
namespace {

std::string reason() {
    return std::strerror(errno);
}

} // namespace

Handle create_new(const std::filesystem::path& path, Handle folder) {
    constexpr int flags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
    const int fd = folder == no_handle
                       ? ::open(path.c_str(), flags, 0666)
                       : ::openat(static_cast<int>(folder), path.filename().c_str(), flags, 0666);
    if (fd >= 0) return fd;
    if (errno == EEXIST) return no_handle;
    throw FileError("cannot create a file there: " + reason());
}

void write_all(Handle file, std::string_view bytes) {
    while (!bytes.empty()) {
        const auto done = ::write(static_cast<int>(file), bytes.data(), bytes.size());
        if (done < 0 && errno == EINTR) continue;
        if (done <= 0) throw FileError("cannot write: " + reason());
        bytes.remove_prefix(static_cast<std::size_t>(done));
    }
}

// fdatasync: the time of the last write need not reach the disk first, since a stamp that
// differs only makes the next run compare the bytes.
void flush_and_close(Handle file, const std::function<void(Handle)>& while_open) {
    const int fd = static_cast<int>(file);
    if (::fdatasync(fd) != 0) {
        const auto why = reason();
        ::close(fd);
        throw FileError("cannot flush: " + why);
    }
    if (while_open) {
        try {
            while_open(file);
        } catch (...) {
            ::close(fd);
            throw;
        }
    }
    if (::close(fd) != 0) throw FileError("cannot close: " + reason());
}

void copy_permissions(const std::filesystem::path& from, const std::filesystem::path& to) noexcept {
    std::error_code ec;
    const auto status = std::filesystem::status(from, ec);
    if (!ec && std::filesystem::exists(status))
        std::filesystem::permissions(to, status.permissions(), ec);
}

void replace(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (std::rename(from.c_str(), to.c_str()) != 0)
        throw FileError("cannot replace the file: " + reason());
}

Handle open_folder(const std::filesystem::path& path) noexcept {
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    return fd < 0 ? no_handle : fd;
}

bool place_new(const std::filesystem::path& from, const std::filesystem::path& to,
               Handle folder) noexcept {
    if (folder == no_handle)
        return ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0;
    const int at = static_cast<int>(folder);
    return ::renameat2(at, from.filename().c_str(), at, to.filename().c_str(), RENAME_NOREPLACE) ==
           0;
}

void remove_file(const std::filesystem::path& path) noexcept {
    ::unlink(path.c_str());
}

} // namespace tarnwick::analysis::os
