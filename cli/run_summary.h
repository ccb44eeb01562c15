#pragma once

// What a run found, said once at its end: the maps checked, each kind of problem with how
// many entries in how many maps, and last the exit status and why.

#include "game/resolution.h"

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace tarnwick::cli {

// Why a run ends with status 1, as its last line counts them.
enum class Failure {
    unread_map,     // a map that could not be read, or an argument that named none
    skipped_map,    // a map of the cycle the server does not have
    unwritten_res,  // a .res that could not be written
    checked_map,    // --check: a map with a missing, unsafe, refused or damaged entry, or
                    // over a limit
    failed_audit,   // --audit: a .res that lacks a file, names a missing one, or more
    extra_files,    // --check: the --extra list names a file missing or refused
    uncollected,    // --collect: a map whose files were not all copied
    unplaced_files, // --fastdl: a file that should be on the site is not
    site_busy,      // --fastdl: another run is syncing the site
    probe_failed,   // --probe: a file the site does not give as the server has it
};

class RunSummary {
public:
    // Tallies the problems of a map checked.
    void checked(const game::MapResolution& map);
    // Names of the map's .res (or list) that clients never get from the download site.
    void never_placed(std::size_t names, const std::string& map) {
        add("never placed on the download site", names, map);
    }
    void failed(Failure failure, std::size_t count = 1) { failures_[failure] += count; }
    // SIGINT or SIGTERM stopped the run (the sync finished the file in hand first).
    void stopped(int signal) { signal_ = signal; }
    // The run's exit status: 128 and the signal when one stopped it, else 0 or 1.
    int status() const;
    // The closing lines: the maps checked and each kind of problem, then the exit status.
    std::vector<std::string> lines() const;

private:
    struct Problem {
        std::size_t entries = 0;
        std::vector<std::string> maps; // their names, in order
    };
    void add(const std::string& kind, std::size_t entries, const std::string& map);

    std::size_t maps_ = 0;
    std::vector<std::pair<std::string, Problem>> problems_; // in the order they first came
    std::map<Failure, std::size_t> failures_;
    int signal_ = 0;
};

} // namespace tarnwick::cli
