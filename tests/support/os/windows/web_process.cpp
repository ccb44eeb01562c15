// The Windows build's tests run under wine on Linux, and are served by the same Linux
// nginx as the native ones: wine starts a Linux program as it starts any other.

#include "web_process.h"

#include <stdexcept>
#include <windows.h>

namespace tarnwick::testing::web_process {
namespace {

// Starts a Linux program by its path under wine's drive Z:, without waiting for it.
void start_unix(const std::string& command_line) {
    std::wstring line(command_line.begin(), command_line.end());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        throw std::runtime_error("cannot start " + command_line + " (not under wine?)");
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

} // namespace

long start_nginx(const std::string& arguments, const std::filesystem::path& log) {
    // Its output goes to its error log, which the configuration names.
    (void)log;
    start_unix("Z:\\usr\\sbin\\nginx " + arguments);
    return 0;
}

bool still_running(long) {
    return true;
}

std::string unix_path(const std::filesystem::path& path) {
    using UnixName = char*(__cdecl*)(const wchar_t*);
    const auto convert = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!convert) throw std::runtime_error("not under wine: no Linux path for the web server");
    char* name = convert(path.wstring().c_str());
    if (!name) throw std::runtime_error("no Linux path for " + path.string());
    std::string out(name);
    HeapFree(GetProcessHeap(), 0, name);
    return out;
}

void stop(long pid) {
    if (pid > 0) start_unix("Z:\\bin\\kill " + std::to_string(pid));
}

} // namespace tarnwick::testing::web_process
