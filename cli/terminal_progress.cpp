#include "cli/terminal_progress.h"

#include "cli/console.h"

#include <cstdio>

namespace tarnwick::cli {
namespace {

constexpr auto delay_before_showing = std::chrono::milliseconds(400);
constexpr auto redraw_interval = std::chrono::milliseconds(100);
constexpr int bar_width = 30;

// The bar of the maps and a step's line both wait a moment before they show, and then keep
// to one pace.
bool time_to_draw(std::chrono::steady_clock::time_point start,
                  std::chrono::steady_clock::time_point last, bool shown) {
    const auto now = std::chrono::steady_clock::now();
    return now - start >= delay_before_showing && (!shown || now - last >= redraw_interval);
}

void erase_line() {
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
}

} // namespace

TerminalStatus::TerminalStatus() : terminal_(stderr_is_terminal()), start_(Clock::now()) {}

bool TerminalStatus::due() const {
    return terminal_ && time_to_draw(start_, last_draw_, shown_);
}

void TerminalStatus::draw(const std::string& line) {
    last_draw_ = Clock::now();
    std::fprintf(stderr, "\r\033[K%s", line.c_str());
    std::fflush(stderr);
    shown_ = true;
}

void TerminalStatus::clear() {
    if (!shown_) return;
    erase_line();
    shown_ = false;
}

TerminalProgress::TerminalProgress(std::size_t maps)
    : terminal_(stderr_is_terminal()), maps_(maps), start_(Clock::now()) {}

void TerminalProgress::start_map(const std::string& name) {
    name_ = name;
    within_ = 0;
    draw(false);
}

void TerminalProgress::finish_map() {
    ++done_;
    draw(false);
}

void TerminalProgress::report(const std::string& line) {
    clear();
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
    draw(true);
}

void TerminalProgress::clear() {
    if (!shown_) return;
    erase_line();
    shown_ = false;
}

void TerminalProgress::update(std::int32_t value, std::int32_t max) {
    within_ = max > 0 ? static_cast<double>(value) / max : 0.0;
    draw(false);
}

void TerminalProgress::draw(bool force) {
    if (!terminal_ || done_ >= maps_) return;
    if (!(force ? Clock::now() - start_ >= delay_before_showing
                : time_to_draw(start_, last_draw_, shown_)))
        return;
    last_draw_ = Clock::now();
    const double overall = (static_cast<double>(done_) + within_) / static_cast<double>(maps_);
    const int filled = static_cast<int>(overall * bar_width);
    std::string bar(static_cast<std::size_t>(filled), '#');
    bar.resize(bar_width, '.');
    std::fprintf(stderr, "\r\033[K[%s] %zu/%zu %s %3d%%", bar.c_str(), done_ + 1, maps_,
                 name_.c_str(), static_cast<int>(within_ * 100));
    std::fflush(stderr);
    shown_ = true;
}

} // namespace tarnwick::cli
