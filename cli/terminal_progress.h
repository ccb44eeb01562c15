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

// One line saying how far a long step is (the probe's requests), on standard error when it
// is a terminal and the step takes more than a moment; gone when it is cleared or destroyed.
class TerminalStatus {
public:
    TerminalStatus();
    ~TerminalStatus() { clear(); }
    TerminalStatus(const TerminalStatus&) = delete;
    TerminalStatus& operator=(const TerminalStatus&) = delete;

    // Draws the line `text` gives, not more often than the eye can follow.
    template <typename Text> void show(const Text& text) {
        if (due()) draw(text());
    }
    // Draws `line` at once (on a terminal): what a step that may be long is about to do.
    void show_now(const std::string& line) {
        if (terminal_) draw(line);
    }
    void clear();

private:
    using Clock = std::chrono::steady_clock;
    bool due() const;
    void draw(const std::string& line);

    bool terminal_;
    Clock::time_point start_;
    Clock::time_point last_draw_;
    bool shown_ = false;
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
