// tarnwick-res with the options of the game folder, run as a user would.

#include "game_fixture.h"
#include "run_program.h"

#include <nlohmann/json.hpp>

namespace tarnwick::testing {
namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::Not;

class GameCommandLine : public GameFixture {
protected:
    GameCommandLine() {
        map({{"{fence", false}, {"gone", false}},
            R"({"wad" "\cs\mine.wad;\cs\halflife.wad" "model" "models/X.mdl"})"
            R"({"message" "sound/none.wav" "noise" "kaboom.WAV"})");
    }
    ProgramRun run(const std::string& arguments) {
        return run_program(dir, TARNWICK_RES, arguments);
    }
    static constexpr const char* map_path = "cstrike/maps/de_foo.bsp";
    const std::string heads = "maps/de_foo.bsp\r\nmaps/de_foo.res\r\n";
};

TEST_F(GameCommandLine, WritesThePlainScanUnlessAskedOtherwise) {
    const auto plain = run(std::string("--stdout ") + map_path);
    ASSERT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(plain.out, heads + "mine.wad\r\nhalflife.wad\r\nmodels/X.mdl\r\nsound/none.wav\r\n");
    const auto resolved = run(std::string("--stdout --game cstrike ") + map_path);
    EXPECT_EQ(resolved.status, 0) << resolved.err;
    EXPECT_EQ(resolved.out, plain.out);
    EXPECT_THAT(resolved.err,
                AllOf(HasSubstr("  missing: sound/none.wav"), Not(HasSubstr("named by"))));
    EXPECT_THAT(resolved.err, HasSubstr("  missing texture: gone"));
    EXPECT_THAT(plain.err, Not(HasSubstr("missing")));

    const struct {
        const char* options;
        std::string res;
    } table[] = {
        {"--follow", heads +
                         "mine.wad\r\nhalflife.wad\r\nmodels/X.mdl\r\nsound/none.wav\r\n"
                         "sound/kaboom.WAV\r\nmaps/de_foo_detail.txt\r\noverviews/de_foo.bmp\r\n"
                         "models/XT.mdl\r\nmodels/X01.mdl\r\nsound/x/hit.wav\r\n"
                         "gfx/detail/brick.tga\r\n"},
        {"--follow --fix-case --skip-missing --skip-stock --only-custom",
         heads + "mine.wad\r\nmodels/x.mdl\r\nmaps/de_foo_detail.txt\r\noverviews/de_foo.bmp\r\n"
                 "models/xT.mdl\r\nsound/x/HIT.wav\r\ngfx/detail/brick.tga\r\n"},
        // Each of these alone looks the entries up in the game folder too.
        {"--fix-case", heads + "mine.wad\r\nhalflife.wad\r\nmodels/x.mdl\r\nsound/none.wav\r\n"},
        {"--skip-missing", heads + "mine.wad\r\nhalflife.wad\r\nmodels/X.mdl\r\n"},
        {"--skip-stock", heads + "mine.wad\r\nmodels/X.mdl\r\nsound/none.wav\r\n"},
    };
    for (const auto& row : table) {
        // Without --game the folder above maps/ is the mod folder.
        const auto r = run(std::string("--stdout ") + row.options + " " + map_path);
        EXPECT_EQ(r.status, 0) << row.options << r.err;
        EXPECT_EQ(r.out, row.res) << row.options;
    }
}

TEST_F(GameCommandLine, ChecksAndReports) {
    auto r = run(std::string("--check --follow --report report.json ") + map_path);
    EXPECT_EQ(r.status, 1);
    EXPECT_THAT(r.err, HasSubstr("de_foo.bsp: 11 entries: 4 found, 3 case, 3 missing, 1 stock, "
                                 "0 unsafe, 0 replaced; 1 unused wad, 1 missing texture"));
    EXPECT_THAT(r.err, HasSubstr("  missing: models/X01.mdl (needed by models/X.mdl)"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "cstrike/maps/de_foo.res"));
    const auto json = nlohmann::json::parse(read_file(dir.path() / "report.json"));
    EXPECT_EQ(json["maps"][0]["map"], map_path);
    EXPECT_EQ(json["maps"][0]["entries"].size(), 11u);

    mod("maps/de_foo.bsp", map_with_textures(R"({"wad" "\cs\mine.wad"})", {{"{fence", false}}));
    EXPECT_EQ(run(std::string("--check ") + map_path).status, 0);

    write_file(dir.path() / "loose.bsp", read_file(dir.path() / map_path));
    r = run("--check loose.bsp");
    EXPECT_EQ(r.status, 1);
    EXPECT_THAT(r.err, HasSubstr("loose.bsp: no game folder"));
    EXPECT_EQ(run("--check --collect out loose.bsp").status, 2);
}

TEST_F(GameCommandLine, AuditsTheResBesideEachMapAndWritesNothing) {
    const auto res = dir.path() / "cstrike/maps/de_foo.res";
    const auto old = "// by hand\r\n" + heads + "MINE.WAD \r\nsound/V.wav\r\n";
    write_file(res, old);
    auto r = run(std::string("--audit --report a.json ") + map_path);
    EXPECT_EQ(r.status, 1);
    EXPECT_THAT(r.err, HasSubstr("de_foo.res: 4 lines: 1 extra, 6 lacking, 1 case, 0 missing"));
    EXPECT_EQ(read_file(res), old);
    const auto audit = nlohmann::json::parse(read_file(dir.path() / "a.json"))["maps"][0]["audit"];
    EXPECT_THAT(audit["res"].get<std::string>(), ::testing::EndsWith("de_foo.res"));
    EXPECT_EQ(audit["lines"], nlohmann::json::array({"maps/de_foo.bsp", "maps/de_foo.res",
                                                     "MINE.WAD", "sound/V.wav"}));
    EXPECT_EQ(audit["extra"].at(0), nlohmann::json({{"line", "sound/V.wav"}, {"exists", true}}));
    EXPECT_EQ(audit["lacking"].at(0), nlohmann::json({{"entry", "models/X.mdl"}, {"from", "map"}}));
    EXPECT_EQ(audit["case"].at(0), nlohmann::json({{"line", "MINE.WAD"}, {"spelled", "mine.wad"}}));

    // A map that needs nothing missing: only what the .res lacks or names wrongly fails.
    mod("maps/de_foo.bsp", map_with_textures(R"({"wad" "\cs\mine.wad"})", {{"{fence", false}}));
    const auto complete = heads + "mine.wad\nmaps/de_foo_detail.txt\noverviews/de_foo.bmp\n"
                                  "gfx/detail/brick.tga\nsound/V.wav\n";
    // Lines that name a file which exists pass, up to the server's 512.
    std::string full;
    for (int i = 0; i < 512 - 7; ++i)
        full += "sound/V.wav\n";
    const struct {
        const char* name;
        std::string res; // "": no .res
        int status;
    } table[] = {{"complete, 512 lines", complete + full, 0},
                 {"513 lines", complete + full + "sound/V.wav\n", 1},
                 {"a line of no file", complete + "sound/gone.wav\n", 1},
                 {"lacking", heads, 1},
                 {"no .res", "", 1}};
    for (const auto& row : table) {
        row.res.empty() ? void(std::filesystem::remove(res)) : write_file(res, row.res);
        r = run(std::string("--audit ") + map_path);
        EXPECT_EQ(r.status, row.status) << row.name;
    }
    EXPECT_THAT(r.err, HasSubstr("  no .res beside the map"));
    EXPECT_FALSE(std::filesystem::exists(res));
}

TEST_F(GameCommandLine, MakesAndUsesAStockListAndCollects) {
    auto r = run("--make-stock-list cstrike");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_THAT(r.out, HasSubstr("\nhalflife.wad\nliblist.gam\nmaps/de_foo.bsp\n"));
    EXPECT_THAT(r.out, HasSubstr("\nsprites/s.spr\n"));
    write_file(dir.path() / "stock.txt", "# ours\nMODELS/X.MDL\n");

    r = run(std::string("--stock-list stock.txt --follow --skip-stock --collect out ") + map_path);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(read_file(dir.path() / "cstrike/maps/de_foo.res"),
              heads + "mine.wad\r\nsound/none.wav\r\nsound/kaboom.WAV\r\nmaps/de_foo_detail.txt\r\n"
                      "overviews/de_foo.bmp\r\ngfx/detail/brick.tga\r\n");
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "out/gfx/detail/brick.tga"));
    EXPECT_THAT(r.err, HasSubstr("collected 6 files into out"));
}

} // namespace
} // namespace tarnwick::testing
