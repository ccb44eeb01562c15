#include "cli/terminal_progress.h"

#include "cli/console.h"

#include <cstdio>

namespace tarnwick::cli {
namespace {

constexpr auto delay_before_showing = std::chrono::milliseconds(400);
constexpr auto redraw_interval = std::chrono::milliseconds(100);
constexpr int bar_width = 30;

} // namespace

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
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
    shown_ = false;
}

void TerminalProgress::update(std::int32_t value, std::int32_t max) {
    within_ = max > 0 ? static_cast<double>(value) / max : 0.0;
    draw(false);
}

void TerminalProgress::draw(bool force) {
    if (!terminal_ || done_ >= maps_) return;
    const auto now = Clock::now();
    if (now - start_ < delay_before_showing) return;
    if (!force && shown_ && now - last_draw_ < redraw_interval) return;
    last_draw_ = now;
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
