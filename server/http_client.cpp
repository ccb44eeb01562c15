#include "server/http_client.h"

#include "game/formats/names.h"

#include <algorithm>

namespace tarnwick::server {
namespace {

// Where an address's authority ends: its path, query or fragment, or the end of the address
// in running text.
constexpr std::string_view authority_ends = "/?#\"' <>\t\r\n";

// The scheme and authority of `url`, without its credentials: requests to one site share it.
std::string site_of(std::string_view url) {
    const auto scheme = url.find("://");
    const auto start = scheme == std::string_view::npos ? 0 : scheme + 3;
    const auto end = std::min(url.find_first_of(authority_ends, start), url.size());
    auto authority = url.substr(start, end - start);
    if (const auto at = authority.rfind('@'); at != std::string_view::npos)
        authority.remove_prefix(at + 1);
    return game::lower_ascii(url.substr(0, start)) + game::lower_ascii(authority);
}

} // namespace

std::optional<HttpAnswer> SiteWatch::instead_of(std::string_view url) const {
    const auto site = sites_.find(site_of(url));
    if (site == sites_.end() || site->second.unanswered < unanswered_in_a_row) return std::nullopt;
    HttpAnswer answer;
    answer.error = given_up;
    answer.unanswered = answer.not_asked = true;
    return answer;
}

bool SiteWatch::must_wait(std::string_view url) const {
    const auto site = sites_.find(site_of(url));
    return site != sites_.end() && site->second.unanswered > 0 && site->second.running > 0;
}

void SiteWatch::started(std::string_view url) {
    ++sites_[site_of(url)].running;
}

void SiteWatch::ended(std::string_view url, const HttpAnswer& answer) {
    auto& site = sites_[site_of(url)];
    --site.running;
    site.unanswered = answer.unanswered ? site.unanswered + 1 : 0;
}

std::string without_credentials(std::string_view text) {
    std::string out;
    for (auto scheme = text.find("://"); scheme != std::string_view::npos;
         scheme = text.find("://")) {
        const auto start = scheme + 3;
        const auto end = std::min(text.find_first_of(authority_ends, start), text.size());
        const auto at = text.substr(start, end - start).rfind('@');
        out += text.substr(0, start);
        if (at != std::string_view::npos) out += "***@";
        text.remove_prefix(at == std::string_view::npos ? start : start + at + 1);
    }
    return out.append(text);
}

std::string HttpAnswer::header(std::string_view name) const {
    for (const auto& [key, value] : headers)
        if (game::same_name(key, name)) return value;
    return {};
}

void add_header_line(HttpAnswer& answer, std::string_view line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.remove_suffix(1);
    if (line.starts_with("HTTP/")) {
        answer.headers.clear();
        return;
    }
    const auto colon = line.find(':');
    if (colon == std::string_view::npos) return;
    auto value = line.substr(colon + 1);
    const auto start = value.find_first_not_of(" \t");
    value = start == std::string_view::npos ? std::string_view() : value.substr(start);
    answer.headers.emplace_back(line.substr(0, colon), value);
}

} // namespace tarnwick::server
