// The Windows build's tests run under wine on Linux, and are served by the same Linux
// nginx as the native ones: wine starts a Linux program as it starts any other.

// clang-format off
// Before anything that may bring in windows.h, which would bring in the old sockets.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
// clang-format on

#include "web_process.h"

#include <stdexcept>

namespace tarnwick::testing::web_process {
namespace {

sockaddr_in local(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

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

void init_sockets() {
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    if (!started) throw std::runtime_error("no sockets");
}

int bound_free_port() {
    const SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
    auto address = local(0);
    int size = sizeof address;
    if (s == INVALID_SOCKET || bind(s, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &size) != 0)
        throw std::runtime_error("no free local port");
    closesocket(s);
    return ntohs(address.sin_port);
}

bool answers(int port) {
    const SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
    const auto address = local(port);
    const bool connected =
        s != INVALID_SOCKET &&
        connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    if (s != INVALID_SOCKET) closesocket(s);
    return connected;
}

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
