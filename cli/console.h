#pragma once

// What tarnwick-res needs of the system it runs on. The entry point itself lives in
// os/posix_console.cpp or os/windows_console.cpp: it hands the command line to run()
// as UTF-8 texts.

#include <atomic>
#include <string>
#include <vector>

namespace tarnwick::cli {

// The program proper; `arguments` are UTF-8, the program's own name first.
int run(const std::vector<std::string>& arguments);

// True when standard error is a terminal that can show a progress bar.
bool stderr_is_terminal();

// While one lives, SIGINT and SIGTERM (on Windows the console's Ctrl+C, Ctrl+Break and
// close events) do not end the program at once: they set stop() to the signal's number
// (2 or 15), for the work in hand to finish and the record to be written. A second one
// ends the program.
class StopSignals {
public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;
    const std::atomic<int>& stop() const;
};

// The name of a stop() signal.
inline std::string signal_name(int signal) {
    return signal == 2 ? "SIGINT" : "SIGTERM";
}

} // namespace tarnwick::cli
