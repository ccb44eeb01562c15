#include "web_server.h"

#include <chrono>
#include <stdexcept>
#include <thread>

namespace tarnwick::testing {
namespace {

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

} // namespace

int free_port() {
    web_process::init_sockets();
    return web_process::bound_free_port();
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
    while (!(web_process::answers(port_) && web_process::answers(catch_all_port_) &&
             web_process::answers(slow_port_) && !text_of(pid_file).empty())) {
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
