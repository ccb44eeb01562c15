// What a player gets for a file, judged from the server's copy and the site's answer,
// case by case; and what a file the site lacks costs under the server's settings.

#include "gzip.h"
#include "server/verdict.h"

#include <gtest/gtest.h>

namespace tarnwick::testing {
namespace {

using server::HttpAnswer;

// An answer with the header lines `headers`; `cut`: the client stopped reading before its end.
HttpAnswer answer(int status, std::string body, std::string headers = "", bool cut = false) {
    HttpAnswer a;
    a.status = status;
    a.body = std::move(body);
    a.cut = cut;
    for (std::size_t at = 0; at < headers.size();) {
        const auto end = std::min(headers.find('\n', at), headers.size());
        server::add_header_line(a, std::string_view(headers).substr(at, end - at));
        at = end + 1;
    }
    return a;
}

TEST(Verdict, JudgesTheAnswer) {
    const std::string file = "BSP\x1e map bytes";
    HttpAnswer dead;
    dead.error = "Connection refused";
    const struct {
        HttpAnswer answer;
        const char* expected;
    } table[] = {
        {answer(200, file), "ok "},
        {answer(200, gzip(file), "Content-Encoding: gzip"), "ok "},
        // Headers after a redirect are the last answer's.
        {answer(200, gzip(file), "Content-Encoding: br\nHTTP/1.1 200 OK\ncontent-encoding:GZIP"),
         "ok "},
        {answer(404, "<html>"), "missing status 404"},
        {answer(403, ""), "missing status 403"},
        {dead, "error Connection refused"},
        {answer(200, "\xEF\xBB\xBF\r\n <!DOCTYPE html><title>x</title>"),
         "html a web page of 37 bytes"},
        {answer(200, "Not found", "Content-Type: text/html; charset=utf-8"),
         "html a web page of 9 bytes"},
        {answer(200, "<html><body>", "", true), "html a web page longer than the file"},
        {answer(200, "BSP\x1e map bytez"), "differs other bytes from offset 13"},
        {answer(200, "BSP\x1e map"), "differs 8 bytes, the server's file 14"},
        {answer(200, file + " and more", "", true),
         "differs longer than the server's file of 14 bytes"},
        {answer(200, gzip(file + "!"), "Content-Encoding: gzip"),
         "differs 15 bytes, the server's file 14"},
        {answer(200, gzip(file)), "encoding gzip bytes without Content-Encoding: gzip"},
        {answer(200, file, "Content-Encoding: gzip"), "encoding sent as gzip, but not gzip bytes"},
        {answer(200, gzip(file).substr(0, 12), "Content-Encoding: gzip"),
         "encoding sent as gzip, but not gzip bytes"},
        {answer(200, file, "Content-Encoding: br"),
         "encoding sent as br, which the game's client cannot read"},
    };
    for (const auto& row : table) {
        const auto j = server::judge(file, row.answer);
        EXPECT_EQ(std::string(server::verdict_name(j.verdict)) + " " + j.detail, row.expected);
    }
}

TEST(Verdict, MissingCost) {
    game::ServerConfig config;
    EXPECT_EQ(server::missing_cost(10 << 20, config),
              "players fall back to the slow in-game download");
    EXPECT_EQ(server::missing_cost((10 << 20) + 1, config),
              "players get nothing: the in-game download refuses a file over "
              "sv_filetransfermaxsize (10485760 bytes)");
}

} // namespace
} // namespace tarnwick::testing
