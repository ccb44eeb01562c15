#pragma once

// The one way the program speaks HTTP: many files asked for at once, each answered with
// its status, headers and bytes, or with why there is no answer. libcurl on Linux, the
// system's WinHTTP on Windows.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarnwick::server {

struct HttpRequest {
    std::string url;
    // An answer longer than this is cut there and marked `cut`: nothing is judged by bytes
    // it cannot hold.
    std::uint64_t max_bytes = 0;
};

struct HttpAnswer {
    int status = 0;                                           // 0: no answer, `error` says why
    std::vector<std::pair<std::string, std::string>> headers; // of the last answer
    std::string body;
    bool cut = false;
    std::string error;

    // The value of header `name` (any case), or "" when it is not there.
    std::string header(std::string_view name) const;
};

struct HttpLimits {
    std::chrono::milliseconds timeout{15000}; // for each request, from its start
    int max_redirects = 5;
    int parallel = 8; // requests at once, each connection kept for the next
};

class HttpClient {
public:
    virtual ~HttpClient() = default;
    // Asks for every request and calls `answered` once for each, with its index, as the
    // answers come (in any order, one call at a time). Returns when all are answered; a
    // dead or slow site ends in answers with an error, never in a wait without end.
    virtual void fetch(const std::vector<HttpRequest>& requests,
                       const std::function<void(std::size_t, HttpAnswer&&)>& answered) = 0;
};

// The system's client. Throws std::runtime_error when it cannot be set up.
std::unique_ptr<HttpClient> make_http_client(const HttpLimits& limits = {});

// Adds one header line ("Name: value", with or without its line end) to `answer`; a
// status line starts the headers of a new answer after a redirect.
void add_header_line(HttpAnswer& answer, std::string_view line);

} // namespace tarnwick::server
