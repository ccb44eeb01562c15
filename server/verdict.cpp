#include "server/verdict.h"

#include "game/formats/names.h"

#include <algorithm>
#include <array>
#include <zlib.h>

namespace tarnwick::server {
namespace {

constexpr std::string_view gzip_magic = "\x1f\x8b";

bool starts_with_name(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && game::same_name(text.substr(0, prefix.size()), prefix);
}

bool looks_like_html(std::string_view body, std::string_view content_type) {
    if (starts_with_name(content_type, "text/html")) return true;
    if (body.starts_with("\xEF\xBB\xBF")) body.remove_prefix(3);
    const auto text = body.find_first_not_of(" \t\r\n");
    if (text == std::string_view::npos) return false;
    body.remove_prefix(text);
    constexpr std::array<std::string_view, 5> starts = {"<!doctype html", "<html", "<head", "<body",
                                                        "<!--"};
    return std::any_of(starts.begin(), starts.end(),
                       [&](std::string_view s) { return starts_with_name(body, s); });
}

std::string how_it_differs(std::string_view server_file, std::string_view got) {
    if (got.size() != server_file.size())
        return std::to_string(got.size()) + " bytes, the server's file " +
               std::to_string(server_file.size());
    const auto at = std::mismatch(got.begin(), got.end(), server_file.begin()).first - got.begin();
    return "other bytes from offset " + std::to_string(at);
}

} // namespace

std::string_view verdict_name(Verdict verdict) {
    constexpr std::array<std::string_view, 6> names = {"ok",      "missing",  "html",
                                                       "differs", "encoding", "error"};
    return names[static_cast<std::size_t>(verdict)];
}

std::optional<std::string> gunzip(std::string_view bytes, std::uint64_t limit) {
    z_stream stream{};
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK) return std::nullopt;
    std::string out;
    std::array<char, 1 << 16> chunk{};
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    int status = Z_OK;
    while (status == Z_OK && out.size() <= limit) {
        stream.next_out = reinterpret_cast<Bytef*>(chunk.data());
        stream.avail_out = static_cast<uInt>(chunk.size());
        status = inflate(&stream, Z_NO_FLUSH);
        out.append(chunk.data(), chunk.size() - stream.avail_out);
        if (status == Z_BUF_ERROR && stream.avail_in == 0) break; // cut short
    }
    inflateEnd(&stream);
    if (out.size() > limit) return out.substr(0, limit + 1);
    if (status != Z_STREAM_END) return std::nullopt;
    return out;
}

Judgement judge(std::string_view entry, std::string_view server_file, const HttpAnswer& answer) {
    if (answer.status == 0) return {Verdict::error, answer.error};
    if (answer.status != 200) return {Verdict::missing, "status " + std::to_string(answer.status)};
    if (answer.cut) {
        if (looks_like_html(answer.body, answer.header("Content-Type")))
            return {Verdict::html, "a web page longer than the file"};
        return {Verdict::differs, "longer than the server's file of " +
                                      std::to_string(server_file.size()) + " bytes"};
    }
    const auto encoding = answer.header("Content-Encoding");
    std::string decoded;
    std::string_view got = answer.body;
    const bool gzipped = game::same_name(encoding, "gzip");
    if (gzipped) {
        auto bytes = gunzip(answer.body, server_file.size());
        if (!bytes) return {Verdict::encoding, "sent as gzip, but not gzip bytes"};
        decoded = std::move(*bytes);
        got = decoded;
    } else if (!encoding.empty() && !game::same_name(encoding, "identity")) {
        return {Verdict::encoding, "sent as " + encoding + ", which the game's client cannot read"};
    }
    if (got == server_file) return {Verdict::ok, ""};
    if (encoding.empty() && got.starts_with(gzip_magic) && !server_file.starts_with(gzip_magic))
        return {Verdict::encoding, "gzip bytes without Content-Encoding: gzip"};
    if (looks_like_html(got, answer.header("Content-Type")))
        return {Verdict::html, "a web page of " + std::to_string(got.size()) + " bytes"};
    if (!gzipped) return {Verdict::differs, how_it_differs(server_file, got)};
    // A web server that sends precompressed files sent an old ENTRY.gz in the file's place.
    const auto sent = "the site sent " + std::string(entry) + ".gz gzip-encoded: ";
    if (got.size() > server_file.size()) // gunzip stops one byte past the server's size
        return {Verdict::differs, sent + "longer than the server's file of " +
                                      std::to_string(server_file.size()) + " bytes"};
    return {Verdict::differs, sent + how_it_differs(server_file, got)};
}

std::string missing_cost(std::uint64_t size, const game::ServerConfig& config) {
    if (!config.allow_download)
        return "players get nothing: the in-game download is off (sv_allowdownload 0)";
    if (static_cast<double>(size) > config.transfer_max_size)
        return "players get nothing: the in-game download refuses a file over "
               "sv_filetransfermaxsize (" +
               std::to_string(static_cast<long long>(config.transfer_max_size)) + " bytes)";
    return "players fall back to the slow in-game download";
}

} // namespace tarnwick::server
