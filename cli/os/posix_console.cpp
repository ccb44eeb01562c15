#include "cli/console.h"

#include <csignal>
#include <unistd.h>

namespace tarnwick::cli {

bool stderr_is_terminal() {
    return isatty(STDERR_FILENO) != 0;
}

namespace {

std::atomic<int> stop_signal{0};
struct sigaction old_int {
}, old_term{};

void on_stop(int signal) {
    if (stop_signal.exchange(signal) != 0) _exit(128 + signal);
}

} // namespace

StopSignals::StopSignals() {
    stop_signal = 0;
    struct sigaction action {};
    action.sa_handler = on_stop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &old_int);
    sigaction(SIGTERM, &action, &old_term);
}

StopSignals::~StopSignals() {
    sigaction(SIGINT, &old_int, nullptr);
    sigaction(SIGTERM, &old_term, nullptr);
}

const std::atomic<int>& StopSignals::stop() const {
    return stop_signal;
}

} // namespace tarnwick::cli

int main(int argc, char** argv) {
    return tarnwick::cli::run(std::vector<std::string>(argv, argv + argc));
}
