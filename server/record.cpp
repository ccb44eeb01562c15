#include "server/record.h"

#include "analysis/file_system.h"
#include "analysis/replacement_file.h"
#include "game/file_source.h"

namespace tarnwick::server {
namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t record_limit = 64u << 20;

// Reads the file `name` in `dir` into `manifest` with `read`, when it is there. Never read
// through a link. Throws std::runtime_error.
template <typename Read>
void read_own(const fs::path& dir, std::string_view name, const char* what, Read read) {
    const auto path = dir / std::string(name);
    const auto look = os::look_at(path);
    if (look.kind == os::Look::Kind::nothing) return;
    try {
        if (look.kind != os::Look::Kind::plain) throw game::FormatError("not a plain file");
        read(game::read_small_file(game::FileSource(analysis::utf8_of(path)), record_limit));
    } catch (const std::exception& e) {
        throw std::runtime_error(std::string("the download folder's ") + what + " " +
                                 analysis::utf8_of(path) + ": " + e.what() +
                                 "; nothing was changed");
    }
}

} // namespace

Manifest read_record(const fs::path& dir) {
    Manifest manifest;
    read_own(dir, manifest_name, "record",
             [&](const std::string& text) { manifest = read_manifest(text); });
    read_own(dir, journal_name, "journal",
             [&](const std::string& text) { apply_journal(text, manifest); });
    return manifest;
}

HeldRecord::HeldRecord(const fs::path& dir, const Waiting& wait) : dir_(dir) {
    // A damaged or foreign record changes nothing, not even by a lock file beside it.
    if (os::look_at(path_of(lock_name)).kind == os::Look::Kind::nothing) read_record(dir_);
    std::uint64_t holder = 0;
    lock_ = os::lock_file(path_of(lock_name), false, holder);
    if (lock_ == analysis::os::no_handle && wait.wait) {
        if (wait.waiting) wait.waiting(holder);
        lock_ = os::lock_file(path_of(lock_name), true, holder, wait.stop);
        if (lock_ == analysis::os::no_handle) throw WaitStopped();
    }
    if (lock_ == analysis::os::no_handle) throw FolderBusy(holder);
    watch_ = os::LockWatch(lock_, path_of(lock_name));
    try {
        entries_ = read_record(dir_);
        // A stopped run's journal is folded in at once: this run's goes on an empty one.
        if (os::look_at(path_of(journal_name)).kind != os::Look::Kind::nothing) {
            dirty_ = true;
            save();
        }
    } catch (...) {
        os::unlock_file(lock_);
        throw;
    }
}

HeldRecord::~HeldRecord() {
    if (journal_ != analysis::os::no_handle) analysis::os::close_file(journal_);
    os::unlock_file(lock_);
}

void HeldRecord::append(const std::string& line) {
    if (broken_) throw analysis::FileError("the record's journal cannot be written");
    if (journal_ == analysis::os::no_handle) {
        journal_ = os::open_to_append(path_of(journal_name));
        journal_size_ = 0;
        append(std::string(journal_header));
    }
    try {
        analysis::os::write_all(journal_, line);
        journal_size_ += line.size();
    } catch (const analysis::FileError&) {
        // A line half written would run into the next one.
        broken_ = !os::cut_to(journal_, journal_size_);
        throw;
    }
}

void HeldRecord::check() const {
    if (!watch_.named()) throw LockLost();
}

void HeldRecord::placed(const std::string& path, const Placed& placed) {
    append(journal_placed(path, placed));
    entries_[path] = placed;
    dirty_ = true;
}

// Not journaled when it cannot be: the record then names a file that is gone, or one the
// next run finds changed, and either is only forgotten then.
void HeldRecord::forget(const std::string& path) {
    entries_.erase(path);
    dirty_ = true;
    try {
        append(journal_removed(path));
    } catch (const analysis::FileError&) {
    }
}

void HeldRecord::save() {
    if (!dirty_) return;
    if (!watch_.held()) throw LockLost();
    {
        // The record was read as this program's own, hidden or not.
        analysis::ReplacementFile file(path_of(manifest_name),
                                       {analysis::os::Hidden::replaced, true});
        file.write(manifest_text(entries_));
        file.commit();
    }
    if (journal_ != analysis::os::no_handle) analysis::os::close_file(journal_);
    journal_ = analysis::os::no_handle;
    analysis::os::remove_file(path_of(journal_name));
    dirty_ = false;
}

} // namespace tarnwick::server
