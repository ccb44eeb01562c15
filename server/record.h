#pragma once

// A download folder's record as the disk has it. A run that writes holds the folder (an
// advisory lock on a file beside the record) from start to end, and journals each file as
// it lands, before it is renamed into its place: a run stopped at any instant, or by a full
// disk, leaves a record and journal that name every file it placed. The next run folds the
// journal into the record.

#include "server/manifest.h"
#include "server/os/files.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tarnwick::server {

inline constexpr std::string_view lock_name = ".tarnwick-fastdl.lock";
inline constexpr std::string_view journal_name = ".tarnwick-fastdl.journal";

// Another run holds the folder.
class FolderBusy : public std::runtime_error {
public:
    explicit FolderBusy(std::uint64_t holder)
        : std::runtime_error("another run holds the download folder"), holder(holder) {}
    std::uint64_t holder; // its process; 0 when it cannot be told
};

// The record with the journal a stopped run left folded in. Throws std::runtime_error when
// either is damaged or not this program's.
Manifest read_record(const std::filesystem::path& dir);

// The folder's lock file was removed or replaced while this run held it: another run may
// have taken the folder since, so this one must not write to it any more.
class LockLost : public std::runtime_error {
public:
    LockLost()
        : std::runtime_error(
              "its lock file was removed or replaced while this run held it, so another run "
              "may be writing the folder: this run stopped there") {}
};

// Stopped (`stop` set) while it waited for another run to let go of the folder: nothing
// was looked at or changed.
class WaitStopped : public std::runtime_error {
public:
    WaitStopped() : std::runtime_error("stopped while waiting for the download folder") {}
};

class HeldRecord {
public:
    // Holds the folder, which must be there, and reads its record. Throws FolderBusy when
    // another run holds it, std::runtime_error as read_record. With `wait`, says `waiting`
    // which process holds it, and waits until it lets go (or throws WaitStopped when `stop`
    // is set first).
    struct Waiting {
        bool wait = false;
        const std::atomic<int>* stop = nullptr;
        std::function<void(std::uint64_t holder)> waiting = {};
    };
    HeldRecord(const std::filesystem::path& dir, const Waiting& wait);
    ~HeldRecord();
    HeldRecord(const HeldRecord&) = delete;
    HeldRecord& operator=(const HeldRecord&) = delete;

    Manifest& entries() { return entries_; }
    // Throws LockLost when the lock file held was removed or replaced: asked before each
    // file is written, journaled (placed) or removed.
    void check() const;
    // A file about to be renamed into its place. Throws analysis::FileError when it cannot
    // be journaled: then it must not be.
    void placed(const std::string& path, const Placed& placed);
    // A file gone from the folder, or no longer this program's.
    void forget(const std::string& path);
    // Entries changed that need no journal (stamps brought up to date).
    void touched() { dirty_ = true; }
    // Writes the record whole and drops the journal. Throws (LockLost when the lock file's
    // path no longer leads to the one held).
    void save();

private:
    void append(const std::string& line);
    std::filesystem::path path_of(std::string_view name) const { return dir_ / std::string(name); }

    std::filesystem::path dir_;
    Manifest entries_;
    os::Handle lock_ = analysis::os::no_handle;
    os::LockWatch watch_;
    os::Handle journal_ = analysis::os::no_handle;
    std::uint64_t journal_size_ = 0;
    bool dirty_ = false;
    bool broken_ = false; // a failed line could not be cut off again
};

} // namespace tarnwick::server
