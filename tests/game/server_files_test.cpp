// The server's own files read as the server reads them, table by table.

#include "game/formats/mapcycle.h"
#include "game/formats/server_config.h"

#include <gmock/gmock.h>
#include <map>

namespace tarnwick::testing {
namespace {

using namespace std::string_literals;
using Lines = std::vector<std::string>;

// Each map as "name" or "name=rules", with its line; then each warning.
Lines shown(const game::MapCycle& cycle) {
    Lines maps;
    for (const auto& map : cycle.maps)
        maps.push_back(std::to_string(map.line) + ":" + map.name +
                       (map.rules.empty() ? "" : "=" + map.rules));
    maps.insert(maps.end(), cycle.warnings.begin(), cycle.warnings.end());
    return maps;
}

TEST(MapCycle, ReadsTokensAsTheServerDoes) {
    const struct {
        const char* name;
        std::string text;
        Lines maps;
    } table[] = {
        {"lines, CR LF, blanks",
         "de_dust\r\n\r\n  cs_office \t\r\nde_aztec",
         {"1:de_dust", "3:cs_office", "4:de_aztec"}},
        {"rules on the line",
         "de_dust \"\\minplayers\\4\"\nde_aztec x y\n",
         {"1:de_dust=\\minplayers\\4", "2:de_aztec=x", "2:y"}},
        {"comment lines", "// maps\nde_dust\n//de_aztec\n", {"2:de_dust"}},
        {"one-character tokens", "de_(x),y", {"1:de_=(", "1:x=)", "1:,=y"}},
        {"; and : are ordinary", "a;b:c", {"1:a;b:c"}},
        {"quoted names, unclosed quote", "\"de dust\"\n\"cs_x\n", {"1:de dust", "2:cs_x\n"}},
        {"bytes from 0x80 separate, but count as more on the line",
         "de_\xE9x\nb",
         {"1:de_=x", "2:b"}},
        {"name cut to 31 bytes", std::string(40, 'a'), {"1:" + std::string(31, 'a')}},
        {"duplicates kept", "a\na\nA", {"1:a", "2:a", "3:A"}},
        {"an empty name ends the cycle", "a\n\"\"\nb", {"1:a"}},
        {"an empty rules token does not", "a \"\"\nb", {"1:a", "2:b"}},
        {"NUL ends the text", "a\n\0b"s, {"1:a"}},
        {"NUL inside quotes does not", "\"a\0b\" c"s, {"1:a=b\"", "1:c"}},
    };
    for (const auto& row : table)
        EXPECT_EQ(shown(game::read_map_cycle(row.text)), row.maps) << row.name;
}

// The settings that decide the downloads, then each warning and the error, one a line.
std::string summary(const game::ServerConfig& c) {
    std::string s =
        c.download_url ? "url=" + c.download_url->value + " @" + c.download_url->line : "url none";
    s += " allow=" + std::to_string(c.allow_download) +
         " send=" + std::to_string(c.send_resources) +
         " max=" + std::to_string(static_cast<long long>(c.transfer_max_size));
    for (const auto& w : c.warnings)
        s += "\n" + w;
    if (c.url_error) s += "\nerror " + *c.url_error;
    return s;
}

TEST(ServerConfig, RunsAsTheServer) {
    const std::map<std::string, std::string> disk = {
        {"dl.cfg", "sv_downloadurl \"http://dl/cs\"\n"},
        {"loop.cfg", "exec loop.cfg\nsv_allowdownload 0"},
        {"sub/more.rc", "sv_filetransfermaxsize 2048.9k"},
    };
    const game::ConfigFiles files = [&](std::string_view name,
                                        std::size_t limit) -> std::optional<std::string> {
        const auto it = disk.find(std::string(name));
        if (it == disk.end()) return std::nullopt;
        return it->second.substr(0, limit);
    };
    const struct {
        std::string text;
        std::string expected;
    } table[] = {
        {"", "url none allow=1 send=1 max=10485760"},
        {"sv_downloadurl \"http://a/b\"\nSV_DOWNLOADURL \"http://c/d\" more",
         "url=http://c/d @server.cfg line 2 allow=1 send=1 max=10485760"},
        // A ';' ends the command, outside quotes, and inside a comment too.
        {"sv_allowdownload 0;sv_send_resources 0 // off; sv_downloadurl \"x;y\"",
         "url=x;y @server.cfg line 1 allow=0 send=0 max=10485760"},
        {"sv_filetransfermaxsize 1e3 ; sv_allowdownload \"\" ; sv_send_resources",
         "url none allow=0 send=1 max=1000"},
        {"exec dl.cfg\nexec sub/more.rc\nexec loop.cfg",
         "url=http://dl/cs @dl.cfg line 1 allow=0 send=1 max=2048\nloop.cfg line 1: exec "
         "loop.cfg: runs itself again, not followed"},
        {"exec ../x.cfg;exec c:x.cfg;exec /x.cfg;exec x.txt;exec none.cfg;exec a b",
         "url none allow=1 send=1 max=10485760\n"
         "server.cfg line 1: exec ../x.cfg: invalid path, not run\n"
         "server.cfg line 1: exec takes one file name; the server runs nothing\n"
         "server.cfg line 1: exec /x.cfg: invalid path, not run\n"
         "server.cfg line 1: exec x.txt: not a .cfg or .rc file, not run\n"
         "server.cfg line 1: exec none.cfg: no such file\n"
         "server.cfg line 1: exec takes one file name; the server runs nothing"},
    };
    for (const auto& row : table)
        EXPECT_EQ(summary(game::read_server_config(row.text, "server.cfg", files)), row.expected)
            << row.text;
}

// Each exec of a file far larger than what is left to run reads no more than is left: the
// whole run reads the budget once, however many execs there are, and says it cut once.
TEST(ServerConfig, ReadsNoMoreThanItRuns) {
    constexpr std::size_t big = std::size_t{100} << 20;
    std::size_t read = 0;
    const game::ConfigFiles files = [&](std::string_view, std::size_t limit) {
        const auto bytes = std::min(limit, big);
        read += bytes;
        std::string text = "sv_allowdownload 0 // on";
        text.resize(bytes, ' ');
        return std::optional<std::string>(std::move(text));
    };
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "exec big.cfg\n";
    const auto config = game::read_server_config(text + "sv_send_resources 0", "server.cfg", files);
    EXPECT_LE(read, game::max_config_bytes + 200);
    EXPECT_EQ(summary(config), "url none allow=0 send=0 max=10485760\n"
                               "big.cfg: more text than a server runs from its files, cut");
}

} // namespace
} // namespace tarnwick::testing
