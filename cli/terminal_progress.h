#pragma once

#include "analysis/progress.h"

#include <chrono>
#include <cstddef>
#include <string>

namespace tarnwick::cli {

// The command line's progress target. It keeps the progress bar's range rules, and when
// standard error is a terminal and the batch takes more than a moment, it shows a bar
// there. Report lines go to standard error as well, above the bar.
class TerminalProgress : public analysis::RangeProgress {
public:
    explicit TerminalProgress(std::size_t maps);

    void start_map(const std::string& name);
    void finish_map();
    void report(const std::string& line);
    void clear();

protected:
    void changed() override;

private:
    using Clock = std::chrono::steady_clock;
    void draw(bool force);

    bool terminal_;
    std::size_t maps_;
    std::size_t done_ = 0;
    std::string name_;
    Clock::time_point start_;
    Clock::time_point last_draw_;
    bool shown_ = false;
};

} // namespace tarnwick::cli
