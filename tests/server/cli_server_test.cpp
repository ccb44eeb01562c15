// tarnwick-res for a whole server: its cycle and its download folder, run as an admin would.

#include "game_fixture.h"
#include "run_program.h"
#include "web_server.h"

#include <nlohmann/json.hpp>

namespace tarnwick::testing {
namespace {

using ::testing::AllOf;
using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::Not;
using namespace std::string_literals;

class ServerCommandLine : public GameFixture {
protected:
    ServerCommandLine() {
        mod("maps/de_foo.bsp", map_with_textures(R"({"classname" "worldspawn"})", {}));
        mod("maps/de_bar.bsp", map_with_textures(R"({"classname" "worldspawn"})", {}));
    }
    ProgramRun run(const std::string& arguments) { return run_res(dir, arguments); }
    static std::size_t count(const std::string& text, const std::string& part) {
        std::size_t n = 0;
        for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
            ++n;
        return n;
    }
};

TEST_F(ServerCommandLine, ChecksTheMapsOfTheCycleOnce) {
    mod("mapcycle.txt", "de_foo\nDE_FOO \"\\rules\\1\"\nde_bar\n");
    const auto fine = run("--check --mapcycle cstrike/mapcycle.txt");
    EXPECT_EQ(fine.status, 0) << fine.err;
    EXPECT_EQ(count(fine.err, "de_foo.bsp: 0 entries"), 1u) << fine.err;
    EXPECT_EQ(count(fine.err, "de_bar.bsp: 0 entries"), 1u) << fine.err;

    mod("mapcycle.txt", "de_foo // was de_old\nde_bar\nde_gone\nde_foo.bsp\n");
    const auto r = run("--check --mapcycle cstrike/mapcycle.txt");
    EXPECT_EQ(r.status, 1);
    EXPECT_THAT(r.err, AllOf(HasSubstr("line 1: a comment follows de_foo on its line, so the "
                                       "server takes de_bar of line 2 as its rules"),
                             HasSubstr("Skipping de_gone from mapcycle, not a valid map"),
                             HasSubstr("Skipping de_foo.bsp from mapcycle, not a valid map"),
                             Not(HasSubstr("de_bar.bsp: 0 entries"))));

    mod("mapcycle.txt", "// nothing yet\n");
    const auto empty = run("--check --mapcycle cstrike/mapcycle.txt");
    EXPECT_EQ(empty.status, 0);
    EXPECT_THAT(empty.err, HasSubstr("the cycle names no map: the server falls back to its "
                                     "default map"));
    EXPECT_EQ(run("--check --mapcycle cstrike/none.txt").status, 1);
}

TEST_F(ServerCommandLine, KeepsTheDownloadFolderOfTheCycle) {
    mod("maps/de_foo.bsp",
        map_with_textures(R"({"classname" "worldspawn" "wad" "\cs\mine.wad;\hl\halflife.wad"})"
                          R"({"model" "models/X.mdl"})",
                          {}));
    mod("maps/de_foo.res", "sound/V.wav\r\n");
    mod("mapcycle.txt", "de_foo\nde_bar\n");
    const auto options = "--follow --mapcycle cstrike/mapcycle.txt --fastdl site --gzip";
    const auto first = run(options + " --report r.json"s);
    EXPECT_EQ(first.status, 0) << first.err;
    for (const auto* placed : {"maps/de_foo.bsp", "maps/de_foo.bsp.gz", "mine.wad", "models/X.mdl",
                               "sound/x/hit.wav", "sound/V.wav", "maps/de_bar.bsp"})
        EXPECT_TRUE(std::filesystem::exists(dir.path() / "site" / placed)) << placed;
    EXPECT_THAT(first.err, AllOf(HasSubstr("  download: 1 file, "), HasSubstr("2 maps: ")));
    const auto report = nlohmann::json::parse(read_file(dir.file("r.json")));
    EXPECT_GT(report["maps"][0]["download_bytes"].get<std::uint64_t>(), 0u);
    EXPECT_THAT(report["fastdl"]["added"], Contains("mine.wad.gz"));

    const auto second = run(options);
    EXPECT_EQ(second.status, 0);
    EXPECT_THAT(second.err, HasSubstr("site: nothing to copy"));
}

TEST(WithoutFallback, ChecksOnlyWhatCanBeKnown) {
    TempDir dir;
    put_file(dir.path(), "cstrike/maps/m.bsp",
             map_with_textures(R"({"classname" "worldspawn" "wad" "\hl\halflife.wad"})"
                               R"({"noise" "gone.wav"})",
                               {{"sky", false}}));
    put_file(dir.path(), "lists/other.txt", "sound/other.wav\n");
    put_file(dir.path(), "lists/ships.txt", "sound/gone.wav\n");
    const auto check = [&](const std::string& options) {
        return run_res(dir, "--check " + options + " cstrike/maps/m.bsp");
    };
    const auto alone = check("--report r.json");
    EXPECT_EQ(alone.status, 0) << alone.err;
    EXPECT_THAT(alone.err,
                AllOf(HasSubstr(" 0 missing, 1 stock, 0 unsafe, 0 replaced, 1 unchecked; "),
                      HasSubstr("1 unchecked texture"),
                      HasSubstr("  not checked: sound/gone.wav\n"),
                      HasSubstr("1 file and 1 texture not checked (valve/ is not there)"),
                      HasSubstr("--check does not fail on them")));
    EXPECT_THAT(read_file(dir.file("r.json")), HasSubstr(R"("status": "unchecked")"));
    // A stock list says what the game ships: what it does not list is missing.
    EXPECT_EQ(check("--stock-list lists/other.txt").status, 1);
    EXPECT_THAT(check("--stock-list lists/ships.txt").err, HasSubstr(" 0 missing, 2 stock,"));
}

// The site the cycle's folder was synced to, served by nginx: all ok, then a file taken
// away; the site from server.cfg when none is given.
TEST_F(ServerCommandLine, ProbesTheSite) {
    mod("maps/de_foo.bsp",
        map_with_textures(R"({"classname" "worldspawn" "wad" "\cs\mine.wad"})", {}));
    mod("mapcycle.txt", "de_foo\nde_bar\n");
    const auto cycle = "--mapcycle cstrike/mapcycle.txt"s;
    ASSERT_EQ(run(cycle + " --fastdl site --gzip").status, 0);
    const WebServer web(dir.path() / "site");
    const auto fine = run(cycle + " --probe " + web.url() + " --report r.json");
    EXPECT_EQ(fine.status, 0) << fine.err;
    EXPECT_THAT(fine.err, HasSubstr("probe of " + web.url() + ": 3 files, 3 ok"));
    const auto report = nlohmann::json::parse(read_file(dir.file("r.json")));
    EXPECT_EQ(report["probe"][0],
              nlohmann::json::parse(R"({"entry": "maps/de_foo.bsp", "url": ")" + web.url() +
                                    R"(maps/de_foo.bsp", "verdict": "ok", "status": 200,)"
                                    R"( "detail": ""})"));

    std::filesystem::remove(dir.path() / "site/mine.wad");
    std::filesystem::remove(dir.path() / "site/mine.wad.gz");
    mod("server.cfg", "exec dl.cfg\nsv_allowdownload 0");
    mod("dl.cfg", "sv_downloadurl \"" + web.url() + "\"");
    const auto lacking = run(cycle + " --probe");
    EXPECT_EQ(lacking.status, 1);
    EXPECT_THAT(lacking.err,
                AllOf(HasSubstr("probe: mine.wad: missing (status 404); players get nothing: the "
                                "in-game download is off (sv_allowdownload 0)"),
                      HasSubstr(": 3 files, 2 ok, 1 missing")));
    mod("dl.cfg", "sv_downloadurl " + web.url());
    EXPECT_THAT(run(cycle + " --probe").err,
                HasSubstr("dl.cfg line 1: sv_downloadurl is set to \"http\""));
}

} // namespace
} // namespace tarnwick::testing
