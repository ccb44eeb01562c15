#pragma once

// A download folder kept in sync with what clients may request: what is new is added, what
// changed (at its source, or in the folder since it was placed) replaced, and with `prune`
// what was placed for a map no longer given removed. A file this program did not place is
// never removed, nor replaced without `overwrite`; it is kept.
//
// The run first makes its plan, then carries it out: a dry run is the plan alone, so the
// two never differ. Both are typed data; what people read is made of them by the caller.

#include "server/requests.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace tarnwick::server {

struct SyncOptions {
    std::filesystem::path dir = {};
    bool prune = false;
    bool dry_run = false; // plan only: nothing is written
    bool gzip = false;    // NAME.gz beside each file, for a web server's precompressed gzip
    bool overwrite = false;
    bool wait = false; // for another run that holds the folder, rather than fail
    // The server's mod folder, whose owner is taken as the user the server runs as: a file
    // that user cannot read is never published. Empty: not asked.
    std::filesystem::path mod_folder = {};
    // Set (to the signal's number) when the run is to stop: the file in hand is finished,
    // the record written, and no other step taken.
    const std::atomic<int>* stop = nullptr;
    // Told, with `wait`, which process holds the folder before the wait.
    std::function<void(std::uint64_t holder)> waiting = {};
};

enum class Action {
    add,
    replace,
    remove,
    keep,      // left as it is, and not this program's to change
    unchanged, // this program's, as it should be
    forget,    // in the record, gone from the folder: only the record changes
};

enum class Reason {
    new_file,             // add
    changed_at_source,    // replace: the server's file changed
    changed_on_site,      // replace: changed in the folder since it was placed
    taken_over,           // replace: not placed by this program (overwrite)
    as_placed,            // unchanged
    needed_by_no_map,     // remove (prune)
    gzip_not_wanted,      // remove: a .gz placed before, beside a file now placed without one
    gone,                 // forget
    not_placed,           // keep: not placed by this program
    same_bytes,           // keep: not placed by this program, the same bytes as the server's
    foreign_gzip,         // keep: a .gz not placed by this program, which a web server that
                          // sends .gz files sends in place of its file
    in_the_way,           // keep: a link or other file is at its place or on its way
    unreadable,           // keep, or remove what was placed before: the server's user
                          // cannot read its source, so the server never sends it
    changed_since_placed, // keep: to be removed, but changed since it was placed
};

struct Step {
    Action action = Action::add;
    Reason reason = Reason::new_file;
    std::string path;                // relative, '/' between parts (single-byte)
    const Request* source = nullptr; // add, replace: what is copied
};

// True for a step that leaves the folder without a file it should have.
bool falls_short(const Step& step);

enum class Outcome {
    planned, // a dry run's step
    done,
    failed,          // `detail` says why
    source_changed,  // its source changed while it was copied: not put in place (and tried
                     // once more at the end of the run, which is another result)
    source_changing, // its source changed on that second try too: not placed
    not_reached,     // the run was stopped first
};

struct StepResult {
    Step step;
    Outcome outcome = Outcome::planned;
    std::string detail;
};

struct SyncResult {
    // Relative paths, '/' between parts (single-byte), as carried out (with a dry run: as
    // planned).
    std::vector<std::string> added, replaced, removed, unchanged, foreign;
    std::uint64_t bytes = 0; // written (with a dry run: that would be)
    // Each step but the unchanged, in the plan's order.
    std::vector<StepResult> steps;
    // Placed before, needed by no map given, and left without `prune`.
    std::size_t unneeded = 0;
    bool ok = true;  // false when a file that should be in the folder is not
    int stopped = 0; // the signal that stopped the run
    // False when it stopped while waiting for another run to let go of the folder: then
    // nothing was looked at.
    bool held = true;
    // Why the record could not be written whole (its journal then keeps what was placed).
    std::string record_failure;
};

// Throws FolderBusy (server/record.h) when another run holds the folder and `wait` is not
// given, std::runtime_error when the folder's record is damaged or not this program's: then
// nothing is changed.
SyncResult sync_download_folder(const std::vector<MapRequests>& maps, const SyncOptions& options);

} // namespace tarnwick::server
