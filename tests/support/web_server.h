#pragma once

// A real web server for the tests: Debian's nginx, started as the current user on free
// local ports with a configuration the test writes, serving a folder with gzip_static on.

#include "synthetic_map.h"
#include "web_process.h"

#include <cstdint>
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
    // The same folder sent at one byte a second after the first 2 KiB of each answer.
    std::string slow_url() const { return "http://127.0.0.1:" + std::to_string(slow_port_) + "/"; }

private:
    TempDir scratch_;
    int port_ = 0;
    int catch_all_port_ = 0;
    int slow_port_ = 0;
    long pid_ = 0;
};

// A site that takes connections and never answers: the system completes them in the queue
// of a listening socket that nothing reads.
class DeadSite {
public:
    DeadSite();
    ~DeadSite();
    DeadSite(const DeadSite&) = delete;
    DeadSite& operator=(const DeadSite&) = delete;

    std::string url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }

private:
    std::intptr_t socket_;
    int port_ = 0;
};

int free_port();

} // namespace tarnwick::testing
