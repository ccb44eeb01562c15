#pragma once

// The few file services a download folder's sync needs beyond the analysis library's, each
// one call to the system where it can be: a sync looks at and writes every file of a site.
// One implementation for POSIX systems (os/posix/) and one for Windows (os/windows/).

#include "analysis/os/files.h"
#include "analysis/replacement_file.h"
#include "server/manifest.h"

#include <atomic>
#include <filesystem>
#include <memory>

namespace tarnwick::server::os {

using analysis::os::Handle;

struct Look {
    enum class Kind { nothing, plain, folder, link, other } kind = Kind::nothing;
    Stamp stamp = {}; // of a plain file
};

enum class Links { kept, followed };

// What is at `path`; a link itself unless its links are followed.
Look look_at(const std::filesystem::path& path, Links links = Links::kept);

// The stamp of `file`, a plain file open for reading at `path`. Throws analysis::FileError.
Stamp stamp_of(Handle file, const std::filesystem::path& path);

// True while `file`, opened from `path` with `stamp`, is still as it was then and still
// the file its name leads to: not written to, removed, or renamed over (as an upload that
// is finished by renaming its new file in does). One look at the open file where the
// system counts its names, else at the name.
bool still_as_opened(Handle file, const std::filesystem::path& path, const Stamp& stamp);

// Opens the file at `path` for reading as analysis::os::open_for_reading does, with its
// stamp as it is when opened: a sync opens every file of a server, so where the system
// tells both in one look, it is looked at once. Throws analysis::FileError.
Handle open_stamped(const std::filesystem::path& path, Stamp& stamp);

// Flushes `file` to the disk (ReplacementFile::flush) and gives the stamp the written file
// keeps when it is renamed in: taken from the open file where the system keeps it up to
// date there, so that the file is not looked up by its name once more. Throws
// analysis::FileError.
Stamp flush_and_stamp(analysis::ReplacementFile& file);

// An advisory lock on the file at `path` (made when not there, never through a link), held
// until unlock_file, or until the process ends however it ends. When another process
// holds it: waits for it when `wait` (and gives no_handle when `stop` is set meanwhile);
// else gives no_handle, with `holder` the process that holds it (0 when it cannot be
// told). Throws analysis::FileError.
Handle lock_file(const std::filesystem::path& path, bool wait, std::uint64_t& holder,
                 const std::atomic<int>* stop = nullptr);
void unlock_file(Handle file) noexcept;
// Tells whether the lock file at `path` is still the one `lock` holds: removed, or
// replaced, it keeps no other run out. Where a held lock file can be neither removed nor
// replaced (Windows), always held.
class LockWatch {
public:
    LockWatch() = default;
    LockWatch(Handle lock, std::filesystem::path path);
    // The path still leads to the file held.
    bool held() const noexcept;
    // The file held still has a name: removed, or replaced by another renamed over it, it
    // has none. Asked before each file a run places, so one look at the open file, not at
    // the path (a lock file renamed elsewhere is seen by held() alone).
    bool named() const noexcept;

private:
    std::filesystem::path path_;
    std::uint64_t device_ = 0, node_ = 0;
    Handle lock_ = analysis::os::no_handle;
};

// Opens the file at `path` to append to, made when not there, never through a link.
// Throws analysis::FileError.
Handle open_to_append(const std::filesystem::path& path);
// Cuts the file back to `size` bytes: a line a full disk left half written goes. False
// when it cannot.
bool cut_to(Handle file, std::uint64_t size) noexcept;

// The user a server runs as, taken to be the owner of its mod folder.
class ServerUser {
public:
    explicit ServerUser(const std::filesystem::path& mod_folder);
    ~ServerUser();
    ServerUser(const ServerUser&) = delete;
    ServerUser& operator=(const ServerUser&) = delete;
    // False when that user could not read `file` (through its links, each folder on the way
    // searched). Always true where files carry no such permissions (Windows).
    bool can_read(const std::filesystem::path& file);

private:
    struct Known;
    std::unique_ptr<Known> known_;
};

} // namespace tarnwick::server::os
