#pragma once

#include "analysis/progress.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tarnwick::cli {

// The batch's progress on standard error: when it is a terminal and the batch takes more
// than a moment, a bar; report lines go above it.
class TerminalProgress {
public:
    explicit TerminalProgress(std::size_t maps);

    void start_map(const std::string& name);
    void finish_map();
    void update(std::int32_t value, std::int32_t max);
    void report(const std::string& line);
    void clear();

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
    double within_ = 0;
};

// The progress target of one map's scan: the progress bar's range rules, shown by the
// batch's display. A fresh one for every map, as the window makes a fresh bar.
class MapProgress : public analysis::RangeProgress {
public:
    explicit MapProgress(TerminalProgress& display) : display_(display) {}

protected:
    void changed() override { display_.update(Value(), Max()); }

private:
    TerminalProgress& display_;
};

} // namespace tarnwick::cli
