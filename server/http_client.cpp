#include "server/http_client.h"

#include "game/formats/names.h"

namespace tarnwick::server {

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
