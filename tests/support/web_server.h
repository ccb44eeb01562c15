#pragma once

// A real web server for the tests: Debian's nginx, started as the current user on free
// local ports with a configuration the test writes, serving a folder with gzip_static on.

#include "synthetic_map.h"

#include <filesystem>
#include <string>

namespace tarnwick::testing {

class WebServer {
public:
    // Serves `root`; waits until it answers. Throws std::runtime_error saying why when it
    // cannot start: a test that needs it fails then, it never passes without it.
    explicit WebServer(const std::filesystem::path& root);
    ~WebServer(); // stops it by its process id
    WebServer(const WebServer&) = delete;
    WebServer& operator=(const WebServer&) = delete;

    // The site, and the same folder behind a catch-all that answers a missing file with
    // a web page and status 200.
    std::string url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }
    std::string catch_all_url() const {
        return "http://127.0.0.1:" + std::to_string(catch_all_port_) + "/";
    }
    // The same folder sent at one byte a second.
    std::string slow_url() const { return "http://127.0.0.1:" + std::to_string(slow_port_) + "/"; }

private:
    TempDir scratch_;
    int port_ = 0;
    int catch_all_port_ = 0;
    int slow_port_ = 0;
    long pid_ = 0;
};

// A local port where nothing listens now.
int free_port();

namespace web_process {
// The system's side of the web server, in os/<system>/web_process.cpp.
void init_sockets();
int bound_free_port();
bool answers(int port);
// Starts nginx with `arguments` (paths in the system's own form); its output goes to
// `log`. Returns an id to stop it by, or throws.
long start_nginx(const std::string& arguments, const std::filesystem::path& log);
// False when the process is known to have ended already.
bool still_running(long id);
// The path as nginx, a Linux program, sees it.
std::string unix_path(const std::filesystem::path& path);
void stop(long pid);
} // namespace web_process

} // namespace tarnwick::testing
