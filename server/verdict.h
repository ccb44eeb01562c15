#pragma once

// What a player gets for one file from the download site, judged from the server's copy
// and the site's answer alone.

#include "game/formats/server_config.h"
#include "server/http_client.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarnwick::server {

enum class Verdict {
    ok,       // 200 and the server's bytes (after gzip decoding when the answer says gzip)
    missing,  // an error status: the client falls back, or gets nothing
    html,     // 200, but a web page where the file should be: the client saves the page
    differs,  // 200, but other bytes: an old copy
    encoding, // gzip bytes the client cannot read as such, or an encoding it does not know
    error,    // no answer: the reason is in the detail
};

std::string_view verdict_name(Verdict verdict);

struct Judgement {
    Verdict verdict;
    std::string detail;
};

// `entry` is the file asked for, named in a `differs` that came gzip-encoded: a web server
// that sends precompressed files sent the old ENTRY.gz in its place.
Judgement judge(std::string_view entry, std::string_view server_file, const HttpAnswer& answer);

// The bytes of a gzip stream, or nothing when they are not one (or would pass `limit`).
std::optional<std::string> gunzip(std::string_view bytes, std::uint64_t limit);

// What a player who cannot get a file of `size` bytes from the site goes through, under
// the server's settings.
std::string missing_cost(std::uint64_t size, const game::ServerConfig& config);

} // namespace tarnwick::server
