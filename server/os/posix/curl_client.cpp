// The HTTP client on Linux: libcurl's multi interface, a few transfers at once over the
// connections it keeps open between them.

#include "server/http_client.h"

#include <algorithm>
#include <array>
#include <curl/curl.h>
#include <memory>
#include <stdexcept>

namespace tarnwick::server {
namespace {

struct Transfer {
    std::size_t index = 0;
    std::uint64_t max_bytes = 0;
    HttpAnswer answer;
    std::array<char, CURL_ERROR_SIZE> error{};
};

std::size_t on_body(char* data, std::size_t, std::size_t size, void* user) {
    auto& t = *static_cast<Transfer*>(user);
    const auto room = t.max_bytes - std::min<std::uint64_t>(t.max_bytes, t.answer.body.size());
    if (size > room) {
        t.answer.body.append(data, room);
        t.answer.cut = true;
        return 0; // ends the transfer
    }
    t.answer.body.append(data, size);
    return size;
}

// The site gave no answer: nothing to judge it by, and a sign that the next requests to it
// would fare the same.
bool unanswered(CURLcode result) {
    return result == CURLE_OPERATION_TIMEDOUT || result == CURLE_COULDNT_CONNECT ||
           result == CURLE_COULDNT_RESOLVE_HOST || result == CURLE_GOT_NOTHING;
}

std::size_t on_header(char* data, std::size_t, std::size_t size, void* user) {
    add_header_line(static_cast<Transfer*>(user)->answer, {data, size});
    return size;
}

class CurlClient final : public HttpClient {
public:
    explicit CurlClient(const HttpLimits& limits) : limits_(limits) {
        if (curl_global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK)
            throw std::runtime_error("libcurl cannot start");
        multi_ = curl_multi_init();
        headers_ = curl_slist_append(nullptr, "Accept-Encoding: gzip");
        if (!multi_ || !headers_) throw std::runtime_error("libcurl cannot start");
        curl_multi_setopt(multi_, CURLMOPT_MAX_TOTAL_CONNECTIONS, long{limits.parallel});
    }
    ~CurlClient() override {
        for (auto* easy : idle_)
            curl_easy_cleanup(easy);
        curl_slist_free_all(headers_);
        curl_multi_cleanup(multi_);
        curl_global_cleanup();
    }

    void fetch(const std::vector<HttpRequest>& requests,
               const std::function<void(std::size_t, HttpAnswer&&)>& answered) override;

private:
    CURL* start(const HttpRequest& request, Transfer& transfer);
    void finish(CURLMsg* message, const std::vector<HttpRequest>& requests, SiteWatch& watch,
                const std::function<void(std::size_t, HttpAnswer&&)>& answered);

    HttpLimits limits_;
    CURLM* multi_ = nullptr;
    curl_slist* headers_ = nullptr;
    std::vector<CURL*> idle_; // handles kept for reuse: they keep their connections
};

CURL* CurlClient::start(const HttpRequest& request, Transfer& transfer) {
    CURL* easy = nullptr;
    if (!idle_.empty()) {
        easy = idle_.back();
        idle_.pop_back();
        curl_easy_reset(easy);
    } else if (!(easy = curl_easy_init())) {
        throw std::runtime_error("libcurl cannot start a transfer");
    }
    curl_easy_setopt(easy, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(easy, CURLOPT_PRIVATE, &transfer);
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, transfer.error.data());
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, on_body);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, on_header);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, &transfer);
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers_);
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, long{limits_.max_redirects});
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, static_cast<long>(limits_.timeout.count()));
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_USERAGENT, "tarnwick-res");
    curl_multi_add_handle(multi_, easy);
    return easy;
}

void CurlClient::finish(CURLMsg* message, const std::vector<HttpRequest>& requests,
                        SiteWatch& watch,
                        const std::function<void(std::size_t, HttpAnswer&&)>& answered) {
    CURL* easy = message->easy_handle;
    Transfer* transfer = nullptr;
    curl_easy_getinfo(easy, CURLINFO_PRIVATE, &transfer);
    auto& answer = transfer->answer;
    if (message->data.result == CURLE_OK ||
        (answer.cut && message->data.result == CURLE_WRITE_ERROR)) {
        long status = 0;
        curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
        answer.status = static_cast<int>(status);
    } else {
        answer.error =
            transfer->error[0] ? transfer->error.data() : curl_easy_strerror(message->data.result);
        answer.body.clear();
        answer.cut = false;
        answer.unanswered = unanswered(message->data.result);
    }
    curl_multi_remove_handle(multi_, easy);
    idle_.push_back(easy);
    watch.ended(requests[transfer->index].url, answer);
    answered(transfer->index, std::move(answer));
}

void CurlClient::fetch(const std::vector<HttpRequest>& requests,
                       const std::function<void(std::size_t, HttpAnswer&&)>& answered) {
    std::vector<std::unique_ptr<Transfer>> transfers(requests.size());
    SiteWatch watch;
    std::size_t next = 0, running = 0;
    while (next < requests.size() || running > 0) {
        for (; next < requests.size() && running < static_cast<std::size_t>(limits_.parallel);
             ++next) {
            const auto& url = requests[next].url;
            if (auto instead = watch.instead_of(url)) {
                answered(next, std::move(*instead));
                continue;
            }
            if (watch.must_wait(url)) break;
            watch.started(url);
            ++running;
            transfers[next] = std::make_unique<Transfer>();
            transfers[next]->index = next;
            transfers[next]->max_bytes = requests[next].max_bytes;
            start(requests[next], *transfers[next]);
        }
        int active = 0;
        curl_multi_perform(multi_, &active);
        int left = 0;
        while (CURLMsg* message = curl_multi_info_read(multi_, &left)) {
            if (message->msg != CURLMSG_DONE) continue;
            finish(message, requests, watch, answered);
            --running;
        }
        if (active > 0) curl_multi_poll(multi_, nullptr, 0, 100, nullptr);
    }
}

} // namespace

std::unique_ptr<HttpClient> make_http_client(const HttpLimits& limits) {
    return std::make_unique<CurlClient>(limits);
}

} // namespace tarnwick::server
