// The sockets first: on Windows they must come before anything that brings in windows.h.
#ifdef _WIN32
// clang-format off
#include <winsock2.h>
#include <ws2tcpip.h>
// clang-format on
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include "web_server.h"

#include <chrono>
#include <cstdint>
#include <stdexcept>
#include <thread>
#include <utility>

namespace tarnwick::testing {
namespace {

// The two systems' sockets differ only in these names and in Windows' start.
#ifdef _WIN32
void init_sockets() {
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    if (!started) throw std::runtime_error("no sockets");
}
#else
using SOCKET = int;
constexpr SOCKET INVALID_SOCKET = -1;
void closesocket(SOCKET s) {
    close(s);
}
void init_sockets() {}
#endif

sockaddr_in local(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
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

constexpr auto start_deadline = std::chrono::seconds(20);
constexpr auto stop_deadline = std::chrono::seconds(20);

std::string text_of(const std::filesystem::path& file) {
    return std::filesystem::exists(file) ? read_file(file) : std::string();
}

std::string config(const std::string& root, const std::string& scratch, int port,
                   int catch_all_port, int slow_port) {
    std::string temp;
    for (const char* kind : {"client_body", "proxy", "fastcgi", "uwsgi", "scgi"})
        temp += std::string("    ") + kind + "_temp_path " + scratch + "/" + kind + ";\n";
    return "daemon off;\nmaster_process off;\nworker_processes 1;\npid " + scratch +
           "/nginx.pid;\nerror_log " + scratch +
           "/error.log;\nevents { worker_connections 64; }\n" +
           "http {\n    access_log off;\n    default_type application/octet-stream;\n" +
           "    types { text/html html; text/plain txt; }\n    gzip_static on;\n" + temp +
           "    server { listen 127.0.0.1:" + std::to_string(port) + "; root \"" + root +
           "\"; }\n" + "    server {\n        listen 127.0.0.1:" + std::to_string(catch_all_port) +
           ";\n        root \"" + root +
           "\";\n        location / { try_files $uri /missing.html; }\n" +
           "        location = /missing.html { root \"" + scratch + "\"; }\n    }\n" +
           "    server { listen 127.0.0.1:" + std::to_string(slow_port) + "; root \"" + root +
           "\"; limit_rate_after 2k; limit_rate 1; }\n}\n";
}

// A socket bound to a free local port, and the port.
std::pair<SOCKET, int> bound_socket() {
    init_sockets();
    const SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
    auto address = local(0);
    socklen_t size = sizeof address;
    if (s == INVALID_SOCKET || bind(s, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        if (s != INVALID_SOCKET) closesocket(s);
        throw std::runtime_error("no free local port");
    }
    return {s, ntohs(address.sin_port)};
}

} // namespace

int free_port() {
    const auto [s, port] = bound_socket();
    closesocket(s);
    return port;
}

DeadSite::DeadSite() {
    const auto [s, port] = bound_socket();
    if (listen(s, SOMAXCONN) != 0) {
        closesocket(s);
        throw std::runtime_error("cannot listen on a local port");
    }
    socket_ = static_cast<std::intptr_t>(s);
    port_ = port;
}

DeadSite::~DeadSite() {
    closesocket(static_cast<SOCKET>(socket_));
}

WebServer::WebServer(const std::filesystem::path& root) {
    port_ = free_port();
    do
        catch_all_port_ = free_port();
    while (catch_all_port_ == port_);
    do
        slow_port_ = free_port();
    while (slow_port_ == port_ || slow_port_ == catch_all_port_);
    const auto scratch = web_process::unix_path(scratch_.path());
    write_file(scratch_.path() / "missing.html",
               "<!DOCTYPE html>\n<html><body>Not here</body></html>\n");
    write_file(scratch_.path() / "nginx.conf",
               config(web_process::unix_path(root), scratch, port_, catch_all_port_, slow_port_));
    pid_ = web_process::start_nginx("-p " + scratch + " -e " + scratch + "/error.log -c " +
                                        scratch + "/nginx.conf",
                                    scratch_.path() / "output.log");
    // It listens before it writes its pid file, and without the pid it could not be
    // stopped under wine: both are waited for.
    const auto pid_file = scratch_.path() / "nginx.pid";
    const auto deadline = std::chrono::steady_clock::now() + start_deadline;
    while (!(answers(port_) && answers(catch_all_port_) && answers(slow_port_) &&
             !text_of(pid_file).empty())) {
        if (!web_process::still_running(pid_) || std::chrono::steady_clock::now() > deadline) {
            web_process::stop(pid_);
            throw std::runtime_error(
                "nginx did not start: " + text_of(scratch_.path() / "output.log") +
                text_of(scratch_.path() / "error.log"));
        }
        std::this_thread::yield();
    }
    // Under wine the id is not the process's own: nginx's pid file has it.
    pid_ = std::stol(text_of(pid_file));
}

// Waits until nginx has gone, which it tells by removing its pid file: its scratch folder
// is removed next, and under wine removing it while nginx still runs may never end.
WebServer::~WebServer() {
    web_process::stop(pid_);
    const auto pid_file = scratch_.path() / "nginx.pid";
    const auto deadline = std::chrono::steady_clock::now() + stop_deadline;
    std::error_code ec;
    while (std::filesystem::exists(pid_file, ec) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::yield();
}

} // namespace tarnwick::testing
