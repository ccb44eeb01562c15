#include "analysis/os/windows/common.h"
#include "cli/console.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace tarnwick::cli {

bool stderr_is_terminal() {
    return _isatty(_fileno(stderr)) != 0;
}

namespace {

constexpr int sigint = 2, sigterm = 15;
// The system ends the process some seconds after a close event's handler returns.
constexpr DWORD close_grace_ms = 4500;

std::atomic<int> stop_signal{0};
HANDLE finished = nullptr;

BOOL WINAPI on_stop(DWORD event) {
    const bool closing = event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT;
    const int signal = closing ? sigterm : sigint;
    if (stop_signal.exchange(signal) != 0 && !closing) ExitProcess(128 + signal);
    // Returning lets the system end the process: the file in hand is finished first.
    if (closing) WaitForSingleObject(finished, close_grace_ms);
    return TRUE;
}

} // namespace

StopSignals::StopSignals() {
    stop_signal = 0;
    finished = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    SetConsoleCtrlHandler(on_stop, TRUE);
}

StopSignals::~StopSignals() {
    SetEvent(finished);
    SetConsoleCtrlHandler(on_stop, FALSE);
}

const std::atomic<int>& StopSignals::stop() const {
    return stop_signal;
}

} // namespace tarnwick::cli

// The wide entry point, so that file names reach the program whatever characters they hold.
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; ++i)
        arguments.push_back(tarnwick::analysis::os::to_utf8(argv[i]));
    // The .res bytes go out as they are: a text-mode stream would turn each "\r\n" into
    // "\r\r\n".
    std::fflush(stdout);
    _setmode(_fileno(stdout), _O_BINARY);
    // Messages name files in UTF-8; the console's own code page is given back at the end.
    const UINT code_page = GetConsoleOutputCP();
    if (code_page) SetConsoleOutputCP(CP_UTF8);
    const int status = tarnwick::cli::run(arguments);
    if (code_page) SetConsoleOutputCP(code_page);
    return status;
}
