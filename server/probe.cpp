#include "server/probe.h"

#include "analysis/file_system.h"
#include "game/file_source.h"
#include "server/requests.h"

#include <algorithm>
#include <optional>

namespace tarnwick::server {
namespace {

bool sent_as_is(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~' || c == '/';
}

// Room for the few bytes gzip adds to a file that does not shrink.
std::uint64_t answer_room(std::uint64_t size) {
    return size + size / 64 + 4096;
}

// Read as every other file of the server is read: a special file is refused, never waited on.
std::optional<std::string> read_whole(const std::filesystem::path& file) {
    try {
        const game::FileSource source(analysis::utf8_of(file));
        return source.read(0, source.size());
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

void judge_answer(ProbeResult& result, const std::filesystem::path& file,
                  const HttpAnswer& answer) {
    // No answer needs no copy: a dead site's thousand files are not read for nothing.
    const auto copy = answer.status == 0 ? std::optional<std::string>("") : read_whole(file);
    if (!copy) {
        result.detail = "the server's copy cannot be read";
        return;
    }
    auto judgement = judge(result.entry, *copy, answer);
    result.verdict = judgement.verdict;
    // An error may quote an address: a redirect's, or the site's own.
    result.detail = without_credentials(judgement.detail);
}

} // namespace

game::ConfigFiles config_files(const game::GameFolder& folder) {
    return [&folder](std::string_view name, std::size_t limit) -> std::optional<std::string> {
        const auto& places = folder.candidates(name);
        if (places.empty()) return std::nullopt;
        const auto in_mod = std::find_if(places.begin(), places.end(), [&](const auto& p) {
            return p.pack < 0 && folder.folders()[p.folder].role == game::FolderRole::mod;
        });
        try {
            const auto source = folder.open(in_mod == places.end() ? places.front() : *in_mod);
            return source->read(
                0, std::min({source->size(), game::max_read, static_cast<std::uint64_t>(limit)}));
        } catch (const std::exception&) {
            return std::nullopt; // the server runs nothing it cannot read either
        }
    };
}

std::string configured_site(const game::ServerConfig& config) {
    if (config.url_error) throw std::runtime_error(*config.url_error + ": not probed");
    if (!config.download_url || config.download_url->value.empty())
        throw std::runtime_error("the server sets no sv_downloadurl: players download every file "
                                 "in the game, and there is no site to probe");
    return config.download_url->value;
}

std::string request_url(std::string_view base, std::string_view entry) {
    constexpr char hex[] = "0123456789ABCDEF";
    std::string url(base);
    if (!url.ends_with('/')) url += '/';
    for (const char c : entry) {
        const auto byte = static_cast<unsigned char>(c);
        if (sent_as_is(byte)) {
            url += c;
        } else {
            url += '%';
            url += hex[byte >> 4];
            url += hex[byte & 15];
        }
    }
    return url;
}

std::vector<ProbeResult> probe(HttpClient& client, std::string_view base,
                               const std::vector<ProbeFile>& files,
                               const std::function<void(const ProbeResult&)>& judged) {
    std::vector<ProbeResult> results(files.size());
    std::vector<HttpRequest> requests;
    std::vector<std::size_t> asked; // the file of each request
    const auto tell = [&](const ProbeResult& result) {
        if (judged) judged(result);
    };
    for (std::size_t i = 0; i < files.size(); ++i) {
        auto& result = results[i];
        result.entry = files[i].entry;
        std::error_code failed;
        const auto size = std::filesystem::file_size(files[i].file, failed);
        if (auto why = download_refusal(result.entry); !why.empty()) {
            result.detail = "not a name the client requests: " + why;
        } else if (failed) {
            result.detail = "the server's copy cannot be read: " + failed.message();
        } else {
            const auto url = request_url(base, result.entry);
            result.url = without_credentials(url);
            requests.push_back({url, answer_room(size)});
            asked.push_back(i);
            continue;
        }
        tell(result);
    }
    client.fetch(requests, [&](std::size_t index, HttpAnswer&& answer) {
        auto& result = results[asked[index]];
        result.status = answer.status;
        result.not_asked = answer.not_asked;
        judge_answer(result, files[asked[index]].file, answer);
        tell(result);
    });
    return results;
}

} // namespace tarnwick::server
