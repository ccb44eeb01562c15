// The HTTP client on Windows: the system's WinHTTP, a few requests at once on threads of
// one session, which keeps its connections open between them.

#include "server/http_client.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <windows.h>
#include <winhttp.h>

namespace tarnwick::server {
namespace {

constexpr DWORD read_chunk = 1 << 16;

struct Handle {
    HINTERNET h = nullptr;
    explicit Handle(HINTERNET handle) : h(handle) {}
    ~Handle() {
        if (h) WinHttpCloseHandle(h);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
};

// Some WinHTTPs (wine's) pass on the socket's own error for these two.
constexpr DWORD socket_timed_out = 10060; // WSAETIMEDOUT
constexpr DWORD socket_refused = 10061;   // WSAECONNREFUSED

std::string why(DWORD code) {
    switch (code) {
    case ERROR_WINHTTP_TIMEOUT:
    case socket_timed_out:
        return "timed out";
    case ERROR_WINHTTP_CANNOT_CONNECT:
        return "cannot connect";
    case socket_refused:
        return "connection refused";
    case ERROR_WINHTTP_CONNECTION_ERROR:
        return "connection lost";
    case ERROR_WINHTTP_NAME_NOT_RESOLVED:
        return "host name not found";
    case ERROR_WINHTTP_REDIRECT_FAILED:
        return "a redirect it cannot follow";
    case ERROR_WINHTTP_SECURE_FAILURE:
        return "TLS failure";
    case ERROR_WINHTTP_UNRECOGNIZED_SCHEME:
    case ERROR_WINHTTP_INVALID_URL:
        return "not an http or https address";
    default:
        return "WinHTTP error " + std::to_string(code);
    }
}

// The site gave no answer: nothing to judge it by, and a sign that the next requests to it
// would fare the same.
bool unanswered(DWORD code) {
    return code == ERROR_WINHTTP_TIMEOUT || code == ERROR_WINHTTP_CANNOT_CONNECT ||
           code == ERROR_WINHTTP_NAME_NOT_RESOLVED || code == socket_timed_out ||
           code == socket_refused;
}

// The address's bytes are ASCII: the probe percent-encodes the rest.
std::wstring wide(std::string_view text) {
    return std::wstring(text.begin(), text.end());
}

int hex_value(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

// The user name or password of an address, with its %XX escapes decoded as libcurl does.
std::wstring unescaped(std::wstring_view text) {
    std::wstring out;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const int high = at + 2 < text.size() && text[at] == L'%' ? hex_value(text[at + 1]) : -1;
        const int low = high < 0 ? -1 : hex_value(text[at + 2]);
        if (low < 0) {
            out += text[at];
        } else {
            out += static_cast<wchar_t>(high * 16 + low);
            at += 2;
        }
    }
    return out;
}

// Basic credentials from the address, sent with the first request as libcurl sends them.
void set_credentials(HINTERNET request, const URL_COMPONENTS& parts) {
    if (parts.dwUserNameLength == 0) return;
    const auto user = unescaped({parts.lpszUserName, parts.dwUserNameLength});
    const auto password = unescaped({parts.lpszPassword, parts.dwPasswordLength});
    WinHttpSetCredentials(request, WINHTTP_AUTH_TARGET_SERVER, WINHTTP_AUTH_SCHEME_BASIC,
                          user.c_str(), password.c_str(), nullptr);
}

std::string narrow(std::wstring_view text) {
    std::string out;
    for (const wchar_t c : text)
        out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

class WinHttpClient final : public HttpClient {
public:
    explicit WinHttpClient(const HttpLimits& limits)
        : limits_(limits),
          session_(WinHttpOpen(L"tarnwick-res", WINHTTP_ACCESS_TYPE_NO_PROXY, WINHTTP_NO_PROXY_NAME,
                               WINHTTP_NO_PROXY_BYPASS, 0)) {
        if (!session_.h) throw std::runtime_error("WinHTTP cannot start: " + why(GetLastError()));
        const int ms = static_cast<int>(limits.timeout.count());
        WinHttpSetTimeouts(session_.h, ms, ms, ms, ms);
    }

    void fetch(const std::vector<HttpRequest>& requests,
               const std::function<void(std::size_t, HttpAnswer&&)>& answered) override {
        std::atomic<std::size_t> next{0};
        std::mutex one_at_a_time;
        std::condition_variable request_ended;
        SiteWatch watch;
        const auto work = [&] {
            for (std::size_t i; (i = next++) < requests.size();) {
                const auto& url = requests[i].url;
                std::unique_lock lock(one_at_a_time);
                request_ended.wait(lock, [&] { return !watch.must_wait(url); });
                auto instead = watch.instead_of(url);
                if (!instead) {
                    watch.started(url);
                    lock.unlock();
                }
                auto answer = instead ? std::move(*instead) : get(requests[i]);
                if (!instead) {
                    lock.lock();
                    watch.ended(url, answer);
                    request_ended.notify_all();
                }
                answered(i, std::move(answer));
            }
        };
        std::vector<std::thread> threads;
        const auto count = std::min<std::size_t>(std::max(limits_.parallel, 1), requests.size());
        for (std::size_t t = 0; t < count; ++t)
            threads.emplace_back(work);
        for (auto& t : threads)
            t.join();
    }

private:
    HttpAnswer get(const HttpRequest& request) const;
    static void read_headers(HINTERNET request, HttpAnswer& answer);
    static bool read_body(HINTERNET request, const HttpRequest& asked,
                          std::chrono::steady_clock::time_point deadline, HttpAnswer& answer);

    HttpLimits limits_;
    Handle session_;
};

HttpAnswer WinHttpClient::get(const HttpRequest& asked) const {
    const auto deadline = std::chrono::steady_clock::now() + limits_.timeout;
    HttpAnswer answer;
    const auto fail = [&] {
        const auto code = GetLastError();
        answer = {};
        answer.error = why(code);
        answer.unanswered = unanswered(code);
        return answer;
    };
    auto url = wide(asked.url);
    URL_COMPONENTS parts{};
    parts.dwStructSize = sizeof parts;
    parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = DWORD(-1);
    parts.dwUserNameLength = parts.dwPasswordLength = DWORD(-1);
    if (!WinHttpCrackUrl(url.c_str(), 0, 0, &parts)) return fail();
    const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
    const std::wstring path(parts.lpszUrlPath, parts.dwUrlPathLength + parts.dwExtraInfoLength);
    const Handle connection(WinHttpConnect(session_.h, host.c_str(), parts.nPort, 0));
    if (!connection.h) return fail();
    const Handle request(
        WinHttpOpenRequest(connection.h, L"GET", path.c_str(), nullptr, WINHTTP_NO_REFERER,
                           WINHTTP_DEFAULT_ACCEPT_TYPES,
                           parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0));
    if (!request.h) return fail();
    set_credentials(request.h, parts);
    DWORD redirects = static_cast<DWORD>(limits_.max_redirects);
    WinHttpSetOption(request.h, WINHTTP_OPTION_MAX_HTTP_AUTOMATIC_REDIRECTS, &redirects,
                     sizeof redirects);
    // The session's timeouts bound each wait for data; this bounds the headers as a whole,
    // so that a server sending them a byte at a time cannot hold the request past its time.
    DWORD headers = static_cast<DWORD>(limits_.timeout.count());
    WinHttpSetOption(request.h, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &headers, sizeof headers);
    if (!WinHttpSendRequest(request.h, L"Accept-Encoding: gzip", DWORD(-1), WINHTTP_NO_REQUEST_DATA,
                            0, 0, 0) ||
        !WinHttpReceiveResponse(request.h, nullptr))
        return fail();
    DWORD status = 0, size = sizeof status;
    if (!WinHttpQueryHeaders(request.h, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX))
        return fail();
    if (status >= 300 && status < 400) {
        answer.error = "too many redirects, or one it cannot follow";
        return answer;
    }
    read_headers(request.h, answer);
    if (!read_body(request.h, asked, deadline, answer)) return fail();
    answer.status = static_cast<int>(status);
    return answer;
}

void WinHttpClient::read_headers(HINTERNET request, HttpAnswer& answer) {
    DWORD size = 0;
    WinHttpQueryHeaders(request, WINHTTP_QUERY_RAW_HEADERS_CRLF, WINHTTP_HEADER_NAME_BY_INDEX,
                        WINHTTP_NO_OUTPUT_BUFFER, &size, WINHTTP_NO_HEADER_INDEX);
    std::wstring raw(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(raw.size() * sizeof(wchar_t));
    if (!WinHttpQueryHeaders(request, WINHTTP_QUERY_RAW_HEADERS_CRLF, WINHTTP_HEADER_NAME_BY_INDEX,
                             raw.data(), &size, WINHTTP_NO_HEADER_INDEX))
        return;
    const auto text = narrow(std::wstring_view(raw.data(), size / sizeof(wchar_t)));
    for (std::size_t at = 0; at < text.size();) {
        const auto end = std::min(text.find('\n', at), text.size());
        add_header_line(answer, std::string_view(text).substr(at, end - at));
        at = end + 1;
    }
}

bool WinHttpClient::read_body(HINTERNET request, const HttpRequest& asked,
                              std::chrono::steady_clock::time_point deadline, HttpAnswer& answer) {
    // The timeouts bound each wait for data; this bounds the whole answer, as libcurl's
    // does. Reading only what has come keeps a trickle from holding a read past it.
    std::string chunk(read_chunk, '\0');
    for (;;) {
        DWORD available = 0, got = 0;
        if (!WinHttpQueryDataAvailable(request, &available)) return false;
        if (available == 0) return true;
        if (!WinHttpReadData(request, chunk.data(), std::min(available, read_chunk), &got))
            return false;
        if (answer.body.size() + got > asked.max_bytes) {
            answer.body.append(chunk.data(), asked.max_bytes - answer.body.size());
            answer.cut = true;
            return true;
        }
        answer.body.append(chunk.data(), got);
        if (std::chrono::steady_clock::now() > deadline) {
            SetLastError(ERROR_WINHTTP_TIMEOUT);
            return false;
        }
    }
}

} // namespace

std::unique_ptr<HttpClient> make_http_client(const HttpLimits& limits) {
    return std::make_unique<WinHttpClient>(limits);
}

} // namespace tarnwick::server
