// tarnwick-res with the options of the game folder, run as a user would.

#include "game_fixture.h"
#include "run_program.h"

#include <nlohmann/json.hpp>

namespace tarnwick::testing {
namespace {

class GameCommandLine : public GameFixture {
protected:
    GameCommandLine() {
        mod("maps/de_foo.bsp",
            map_with_textures(R"({"classname" "worldspawn" "wad" "\cs\mine.wad;\cs\halflife.wad")"
                              R"( "model" "models/X.mdl"}{"classname" "ambient_generic")"
                              R"( "targetname" "boom1" "message" "sound/none.wav")"
                              R"( "noise" "kaboom.WAV"})",
                              {{"{fence", false}, {"gone", false}}));
    }
    ProgramRun run(const std::string& arguments) { return run_res(dir, arguments); }
    static constexpr const char* map_path = "cstrike/maps/de_foo.bsp";
    const std::string heads = "maps/de_foo.bsp\r\nmaps/de_foo.res\r\n";
};

TEST_F(GameCommandLine, WritesThePlainScanUnlessAskedOtherwise) {
    const auto plain = heads + "mine.wad\r\nhalflife.wad\r\nmodels/X.mdl\r\nsound/none.wav\r\n";
    const struct {
        const char* options;
        std::string res;
        std::vector<std::string> said = {}; // in the report
        const char* not_said = nullptr;
    } table[] = {
        {"", plain, {}, "missing"}, // the plain scan looks nothing up
        {"--game cstrike",
         plain,
         {"de_foo.bsp: 4 entries: 1 found, 1 case, 1 missing, 1 stock, 0 unsafe, 0 replaced; 1 "
          "unused wad, 1 missing texture, 0 warnings\n",
          "  missing: sound/none.wav\n"}},
        {"--follow --fix-case --skip-missing --skip-stock --only-custom",
         heads + "mine.wad\r\nmodels/x.mdl\r\nmaps/de_foo_detail.txt\r\noverviews/de_foo.txt\r\n"
                 "models/xT.mdl\r\nsound/x/HIT.wav\r\ngfx/detail/brick.tga\r\n"
                 "overviews/de_foo.bmp\r\n"},
        // Each of these alone looks the entries up in the game folder too; without --game
        // the folder above maps/ is the mod folder.
        {"--fix-case", heads + "mine.wad\r\nhalflife.wad\r\nmodels/x.mdl\r\nsound/none.wav\r\n"},
        {"--skip-missing", heads + "mine.wad\r\nhalflife.wad\r\nmodels/X.mdl\r\n"},
        {"--skip-stock", heads + "mine.wad\r\nmodels/X.mdl\r\nsound/none.wav\r\n"},
        // The lines counted are the lines written: the stock package left out is not counted.
        {"--only-custom --fix-case --verbose",
         heads + "mine.wad\r\nmodels/x.mdl\r\nsound/none.wav\r\n",
         {", 5 .res lines of 512\n"}},
    };
    for (const auto& row : table) {
        const auto r = run("--stdout "s + row.options + " " + map_path);
        EXPECT_EQ(r.status, 0) << row.options << r.err;
        EXPECT_EQ(r.out, row.res) << row.options;
        for (const auto& text : row.said)
            EXPECT_THAT(r.err, HasSubstr(text)) << row.options;
        if (row.not_said) {
            EXPECT_THAT(r.err, Not(HasSubstr(row.not_said))) << row.options;
        }
    }
}

TEST_F(GameCommandLine, ChecksAndAuditsWritingNothing) {
    const auto res = dir.path() / "cstrike/maps/de_foo.res";
    EXPECT_EQ(run(std::string("--check ") + map_path).status, 1);

    mod("sound/kaboom.wav", "RIFF");
    const auto old =
        "// by hand\r\nmaps/de_foo.bsp\r\nMAPS/DE_FOO.RES\r\nMINE.WAD \r\nmodels\\x.mdl\r\n"
        "sound/none.wav\r\nsound/V.wav\r\nsound/gone.wav\r\nsound/x/hit.wav\r\n"
        "maps/de_foo_detail.txt\r\nmodels/xT.mdl\r\n";
    write_file(res, old);
    auto r = run(std::string("--audit --report a.json ") + map_path);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(read_file(res), old);
    EXPECT_THAT(r.err, HasSubstr("  missing: models/x01.mdl (needed by models/X.mdl)\n"));
    // The .res names itself in another case, which is fine; models\x.mdl the server drops,
    // so models/X.mdl is lacking.
    EXPECT_THAT(r.err, AllOf(HasSubstr("  cstrike/maps/de_foo.res: 10 words: 1 extra, 5 lacking, "
                                       "2 case, 2 missing, 1 refused\n"),
                             HasSubstr("  lacking in the .res: models/X.mdl (from the map)\n"),
                             HasSubstr("  refused in the .res: models\\x.mdl: holds a backslash")));
    const auto report = nlohmann::json::parse(read_file(dir.path() / "a.json"))["maps"][0];
    EXPECT_EQ(report["unused_wads"].dump() + report["missing_textures"].dump(),
              R"(["halflife.wad"]["gone"])");
    auto json = report["entries"][4];
    json.erase("file"); // where the test's folder is
    EXPECT_EQ(json.dump(), R"({"entities":[{"classname":"ambient_generic","targetname":"boom1"}],)"
                           R"("entry":"sound/kaboom.WAV","followed":true,"from":"entities",)"
                           R"("spelled":"sound/kaboom.wav","status":"case"})");

    // A map that needs nothing missing: only what the .res lacks or names wrongly fails.
    mod("maps/de_foo.bsp", map_with_textures(R"({"wad" "\cs\mine.wad"})", {{"{fence", false}}));
    write_file(dir.path() / "loose.bsp", read_file(dir.path() / map_path));
    mod("maps/de_big.bsp", map_with_textures("{}", {}, 513)); // 513 models: over the limit
    const auto complete = heads + "mine.wad\nmaps/de_foo_detail.txt\noverviews/de_foo.txt\n"
                                  "overviews/de_foo.bmp\n"
                                  "gfx/detail/brick.tga\nsound/V.wav\n";
    // Lines that name a file which exists pass, up to the server's 512.
    std::string full;
    for (int i = 0; i < 512 - 8; ++i)
        full += "sound/V.wav\n";
    const struct {
        const char* name;
        const char* option;
        std::string res; // "": no .res
        int status;
    } table[] = {{"complete, 512 lines", "--audit", complete + full, 0},
                 {"513 lines", "--audit", complete + full + "sound/V.wav\n", 1},
                 {"a line of no file", "--audit", complete + "sound/gone.wav\n", 1},
                 {"lacking", "--audit", heads, 1},
                 {"checked without a .res", "--check", "", 0},
                 {"no .res", "--audit", "", 1},
                 {"a map over a limit too", "--check cstrike/maps/de_big.bsp", "", 1},
                 {"a map outside a game folder too", "--check loose.bsp", "", 1}};
    for (const auto& row : table) {
        row.res.empty() ? void(std::filesystem::remove(res)) : write_file(res, row.res);
        r = run(std::string(row.option) + " " + map_path);
        EXPECT_EQ(r.status, row.status) << row.name;
    }
    EXPECT_THAT(
        r.err,
        HasSubstr(
            "loose.bsp: no game folder: the map is not in a maps folder (--game names one)\n"));
    EXPECT_FALSE(std::filesystem::exists(res));

    EXPECT_EQ(run("--check --collect out loose.bsp").status, 2);
}

TEST_F(GameCommandLine, MakesAndUsesAStockListAndCollects) {
    auto r = run("--make-stock-list cstrike");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_THAT(r.out, HasSubstr("\nhalflife.wad\nliblist.gam\nmaps/de_foo.bsp\n"));
    write_file(dir.path() / "stock.txt", "# ours\nMINE.WAD\n");
    put_file(dir.path(), "out/overviews/de_foo.bmp", "BM"); // the same file: left as it is
    put_file(dir.path(), "out/models/xT.mdl", "changed");   // a different one: kept

    // What is missing or ships with the game (by the list or in valve/) is not copied.
    const auto collect = std::string("--stock-list stock.txt --follow --fix-case --collect out ");
    r = run(collect + map_path);
    EXPECT_EQ(r.status, 1);
    // Seven: a stock or missing file copied would make more.
    EXPECT_THAT(r.err, AllOf(HasSubstr("  kept models/xT.mdl: a different file is there"),
                             HasSubstr("  already there: overviews/de_foo.bmp\n"),
                             HasSubstr("cstrike/maps/de_foo.bsp: collected 7 files into out\n")));
    EXPECT_EQ(read_file(dir.path() / "out/maps/de_foo.res"),
              read_file(dir.path() / "cstrike/maps/de_foo.res"));

    // A file replaced keeps its permissions, as a .res does.
    namespace fs = std::filesystem;
    const auto replaced = dir.path() / "out/models/xT.mdl";
    const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(replaced, mode);
    r = run(collect + "--overwrite " + map_path);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_THAT(r.err, HasSubstr("collected 1 files into out"));
    EXPECT_EQ(read_file(replaced), read_file(dir.file("cstrike/models/xT.mdl")));
#ifndef _WIN32 // where links to folders need rights Windows seldom gives
    EXPECT_EQ(fs::status(replaced).permissions() & fs::perms::all, mode);
    // Nothing is written through a link in the folder. (The .res kept there, written with
    // --fix-case, names the sound as the disk spells it.)
    fs::create_directories(dir.path() / "elsewhere");
    fs::create_directories(dir.path() / "linked");
    fs::create_directory_symlink(dir.path() / "elsewhere", dir.path() / "linked/sound");
    r = run(std::string("--follow --collect linked ") + map_path);
    EXPECT_EQ(r.status, 1);
    EXPECT_THAT(r.err, HasSubstr("  cannot copy sound/x/HIT.wav: sound is a link: nothing is "
                                 "written through it\n"));
    EXPECT_TRUE(fs::is_empty(dir.path() / "elsewhere"));
#endif
}

using Files = std::vector<std::pair<std::string, std::string>>;
const std::string worldspawn = R"({"classname" "worldspawn"})";

Files::value_type map(std::string_view entities, const std::vector<TextureSpec>& textures = {},
                      std::size_t models = 0) {
    return {"cstrike/maps/m.bsp", map_with_textures(entities, textures, models)};
}

// The ways the game reads what the check reads, a row each on a folder of its own.
TEST(TheGamesWay, EachOnAFolderOfItsOwn) {
    const auto checked =
        map(worldspawn + R"({"model" "models/plugin.mdl"}{"model" "models/new.mdl"})", {}, 1);
    const Files::value_type base_map = {
        "cstrike/maps/de_base.bsp",
        map_with_textures(worldspawn + R"({"model" "models/base_only.mdl"}{"model" "*1"})", {}, 3)};
    const auto reslist = "] reslist model\n  #  index  name\n  1  1  maps/de_base.bsp 1024\n"
                         "  2  2  *1\n  3  3  models/w_ak47.mdl\n  4  4  models/plugin.mdl\n"
                         "  5  5  models/base_only.mdl\n] reslist sound\n"
                         "  1  1  weapons/ak47-1.wav\n  2  2  plugin/hello.wav\n";
    const auto rescount = "    Type    : Total Limit\n    model   : 229   510\n"
                          "    sound   : 343   511\n    generic : 20    4096\n"
                          "    event   : 29    255\n    decal   : 225   511\n"
                          "  ------------------------\n  846 Total of precached resource count\n";
    const struct {
        const char* name;
        Files files;
        const char* options;
        std::vector<std::string> said, not_said = {}; // in the .res printed or the report
    } table[] = {
        // clang-format off
        {"sequence groups by the model's own table",
         {map(worldspawn + R"({"model" "models/mymap/guard.mdl"})"),
          {"cstrike/models/guard01.mdl", "IDSQ"},
          {"cstrike/models/mymap/guard.mdl",
           studio_model_bytes({true, {"models\\guard01.mdl"}, {}})}},
         "--stdout --follow",
         {"models/mymap/guard.mdl\r\nmodels/guard01.mdl\r\n", " 0 missing,"}, {"mymap/guard01"}},
        {"texture packages from worldspawn's wad key as the engine opens them",
         {map(R"({"classname" "worldspawn" "wad" "\cs\mytex;Custom.WAD;\cs\tempdecal.wad"}")"
              R"({"WAD" "\cs\late.wad"})", {{"tex1", false}}),
          {"cstrike/mytex.wad", "WAD2" + wad_bytes({"TEX1"}).substr(4)},
          {"cstrike/Custom.wad", wad_bytes({"other"})},
          {"cstrike/tempdecal.wad", wad_bytes({"tex1"})}},
         "--follow --collect out",
         {"copied mytex.wad", "copied Custom.wad", "0 missing textures",
          "  stock: tempdecal.wad: a players' spray package",
          "late.wad: worldspawn's wad key does not name it",
          "  unused wad Custom.wad: holds none of the map's textures, but the map names it, so "
          "clients still need it: remove it from the map's wad list to drop it"},
         {"copied tempdecal"}},
        {"the sky as one set: the .bmp faces without the .tga back face",
         {map(R"({"classname" "worldspawn" "skyname" "night"}{"SkyName" "day"})"),
          {"cstrike/gfx/env/nightbk.bmp", "BM"}, {"cstrike/gfx/env/nightup.tga", "TGA"},
          {"cstrike/gfx/env/nightup.bmp", "BM"}},
         "--stdout --follow",
         {"maps/m.res\r\ngfx/env/nightbk.bmp\r\ngfx/env/nightdn.bmp\r\n", " 6 replaced;",
          "  missing: gfx/env/nightlf.bmp (needed by gfx/env/nightbk.tga)",
          "  \"SkyName\" \"day\": the game ignores this key"},
         {"nightup.tga\r\n", "daybk"}},
        {"the sky as one set: the .tga faces with the .tga back face",
         {map(R"({"classname" "worldspawn" "skyname" "night"})"),
          {"cstrike/gfx/env/nightbk.tga", "TGA"}, {"cstrike/gfx/env/nightup.bmp", "BM"}},
         "--stdout --follow", {"  missing: gfx/env/nightup.tga (", " 0 replaced;"}, {".bmp"}},
        {"names the download filter refuses, on what is sent; --fix-case writes '/'",
         {map(R"({"classname" "worldspawn" "wad" "\hl\halflife.wad"}{"model" "props\terror.mdl"})"),
          {"cstrike/models/props/terror.mdl", studio_model_bytes({})},
          {"valve/halflife.wad", wad_bytes({})}},
         "--stdout --fix-case",
         {"maps/m.res\r\nhalflife.wad\r\nmodels/props/terror.mdl\r\n",
          "  models/props\\terror.mdl: holds a backslash: the server drops the .res word"},
         {"names halflife.wad"}},
        {"limits with the numbers given, the game's names known", {map("{}", {}, 400)},
         "--check --base-counts generic=2,models=112,sounds=3",
         {"  limits: 512 models of 510, 3 sounds of 511, 4 generic of 511, 0 events of 255, 0 "
          "decals of 511, 519 resources of 1280, ",
          "  error: 512 models, 2 over the limit of 510\n"},
         {"the map's alone", "the game's own"}},
        {"limits of the map's alone in another mod", {map("{}", {}, 400)}, "--check --game valve --verbose",
         {"400 models of 510", "\nthe counts are the map's alone: the game and its plugins"},
         {"error"}},
        {"base counts misspelt", {map("{}")}, "--check --base-counts models=1,models=2",
         {"neither a file nor models=N,sounds=N,generic=N,events=N,decals=N: models=1,models=2"}},
        // The game's 169 models, then the map and its inline models.
        {"509 models with the game's share", {map("{}", {}, 340)}, "--check --verbose",
         {"  limits: 509 models of 510, 304 sounds of 511, ",
          "  with the game's own 169 models, 304 sounds, 5 generic, 29 events and 225 decals; "
          "the server's plugins add their own (--base-counts)\n"},
         {"error", "alone"}},
        // At a limit, not over it: nothing to act on, so no limits line.
        {"510 models with the game's share", {map("{}", {}, 341)}, "--check",
         {"1 map checked: nothing to mend"}, {"error", "limits:"}},
        {"511 models with the game's share", {map("{}", {}, 342)}, "--check",
         {"  error: 511 models, 1 over the limit of 510\n"}},
        // The weapon's model and sound take no slot again; the hostage's model and sounds do.
        {"what the game precaches itself, and for hostages",
         {map(worldspawn + R"({"model" "models/w_ak47.mdl" "noise" "weapons/ak47-1.wav"})"
                           R"({"classname" "hostage_entity"}{"model" "models/mine.mdl"})")},
         "--check --verbose", {"  limits: 172 models of 510, 309 sounds of 511, 10 generic of 511, "}},
        // ReHLDS: a .res word the model or sound table holds takes no slot; the desert sky,
        // which the map has none of, its own six.
        {"what the game precaches itself, on ReHLDS",
         {map(worldspawn + R"({"model" "models/w_ak47.mdl" "noise" "weapons/ak47-1.wav"})"
                           R"({"model" "models/mine.mdl"})")},
         "--check --engine ReHLDS --verbose", {"  limits: 171 models of 510, 304 sounds of 511, 12 generic "
                                     "of 4096, 29 events of 255, 225 decals of 511, 741 resources "
                                     "of 4096, "}},
        {"an engine the program does not know", {map("{}")}, "--check --engine xash",
         {"--engine: xash not in {hlds,rehlds}"}},
        // The base less the map it was taken on: its map slot, inline model and own model.
        {"a reslist", {checked, base_map, {"base.txt", reslist}},
         "--check --engine rehlds --base-counts base.txt --verbose",
         {"  limits: 4 models of 510, 2 sounds of 511, 7 generic of 4096, 0 events of 255, 0 "
          "decals of 511, 13 resources of 4096, "}},
        {"a rescount", {checked, base_map, {"base.txt", rescount}},
         "--check --base-counts base.txt --base-map de_base --verbose",
         {"  limits: 229 models of 510, 343 sounds of 511, 18 generic of 511, 29 events of 255, "
          "225 decals of 511, 844 resources of 1280, "}},
        {"a rescount without its map", {checked, {"base.txt", rescount}},
         "--check --base-counts base.txt",
         {"tarnwick-res: the base counts base.txt are a rescount table: --base-map must name the "
          "map it was taken on\n"}},
        {"a listing the program cannot read",
         {checked, {"base.txt", "reslist model\n1 1 a.mdl\nreslist skies\n"}},
         "--check --base-counts base.txt",
         {"cannot read the base counts base.txt: line 3: reslist of no table the server has: "
          "\"skies\"\n"}},
        {"<mod>_addon only with --addon",
         {map(worldspawn + R"({"noise" "a.wav"})"), {"cstrike_addon/sound/a.wav", "RIFF"}},
         "--check --addon", {" 1 found, 0 case, 0 missing,"}},
        {"fallbacks in turn, valve last, _hd stock, no <mod>_addon without --addon",
         {map(worldspawn + R"({"noise" "d.wav"}{"noise" "c.wav"}{"noise" "v.wav"})"
                           R"({"noise" "h.wav"}{"noise" "a.wav"})"),
          {"czero_addon/sound/a.wav", "RIFF"}, {"czero/liblist.gam", "fallback_dir \"cstrike\"\n"},
          {"cstrike/liblist.gam", "game \"CS\"\n"}, {"czero_downloads/sound/d.wav", "RIFF"},
          {"cstrike/sound/c.wav", "RIFF"}, {"valve/sound/v.wav", "RIFF"},
          {"czero_hd/sound/h.wav", "RIFF"}},
         "--check --game czero", {"5 entries: 1 found, 0 case, 1 missing, 3 stock,"}},
        {"a UTF-16 .res, which the server reads nothing of",
         {map(worldspawn + R"({"noise" "a.wav"})"), {"cstrike/sound/a.wav", "RIFF"},
          {"cstrike/maps/m.res", "\xFF\xFEm\0a\0p\0s\0/\0"s}},
         "--audit",
         {"  the server reads none of this file (UTF-16); save it as ANSI or UTF-8\n",
          "  lacking in the .res: sound/a.wav"}},
        // clang-format on
    };
    for (const auto& row : table) {
        TempDir dir;
        // A whole installation: without valve/ what it would hold is not checked.
        std::filesystem::create_directories(dir.path() / "valve");
        for (const auto& [relative, bytes] : row.files)
            put_file(dir.path(), relative, bytes);
        const auto r = run_res(dir, std::string(row.options) + " cstrike/maps/m.bsp");
        const auto all = r.out + r.err;
        for (const auto& text : row.said)
            EXPECT_THAT(all, HasSubstr(text)) << row.name;
        for (const auto& text : row.not_said)
            EXPECT_THAT(all, Not(HasSubstr(text))) << row.name;
    }
}

// Maps, models and files made by an attacker: names that the .res printed with --follow and
// the folder --collect fills never hold.
TEST(Hostile, NamesNeverReachTheResOrTheDownloadFolder) {
    const auto model = [](std::vector<std::string> groups,
                          std::vector<std::pair<int, std::string>> events = {}) {
        return Files::value_type{"cstrike/models/evil.mdl",
                                 studio_model_bytes({true, std::move(groups), events})};
    };
    const Files secrets = {{"cstrike/server.cfg", "rcon_password secret"},
                           {"cstrike/addons/amxmodx/configs/sql.cfg", "amx_sql_pass secret"}};
    const auto evil = map(worldspawn + R"({"model" "models/evil.mdl"})");
    const auto whole = map(worldspawn + std::string(2000, ' ')).second;
    const struct {
        const char* name;
        Files files;
        int check; // the status of --check --follow
        std::vector<std::string> said;
        std::string never = {}; // "": the row has nothing it must keep out
    } table[] = {
        // clang-format off
        {"sequence groups naming a server's settings",
         {evil, model({"server.cfg", "addons/amxmodx/configs/sql.cfg"})}, 1,
         {"  refused: server.cfg (needed by models/evil.mdl): a sequence group that is not a "
          ".mdl file\n",
          "  refused: addons/amxmodx/configs/sql.cfg (needed by models/evil.mdl)", " 2 refused;",
          " 2 warnings\n"},
         "cfg"},
        {"an overview image naming a server's settings",
         {map(worldspawn), {"cstrike/overviews/m.txt", "layer\n{\n IMAGE \"server.cfg\"\n}\n"}}, 1,
         {"  refused: server.cfg (needed by overviews/m.txt): an overview image that is not a "
          ".bmp or .tga file\n"},
         "cfg"},
        {"an entity value holding line breaks",
         {map(worldspawn + "{\"noise\" \"x\r\n/etc/passwd\r\nserver.cfg\r\ny.WAV\"}")}, 1,
         {"  refused: sound/x\\x0D\\x0A/etc/passwd\\x0D\\x0Aserver.cfg\\x0D\\x0Ay.WAV (from the "
          "entity text) (named by an entity without classname): holds the control byte 0x0D, "
          "which would break the .res's lines\n"},
         "passwd"},
        {"a model event sound out of the game's folders",
         {evil, model({}, {{5004, "../../../../etc/x.wav"}})}, 1,
         {"  refused: sound/../../../../etc/x.wav (needed by models/evil.mdl): it would leave "
          "the game's folders\n"},
         "etc"},
        {"a detail texture the download filter refuses",
         {map(worldspawn), {"cstrike/maps/m_detail.txt", "wall detail/a~b 1 1\n"},
          {"cstrike/gfx/detail/a~b.tga", "TGA"}}, 1,
         {"  refused: gfx/detail/a~b.tga (needed by maps/m_detail.txt): holds '~': clients "
          "refuse to download it\n"},
         "a~b"},
        {"a map naming only traversal",
         {map(worldspawn + R"({"message" "sound/../../../x.wav"})")}, 1,
         {" 1 unsafe,", " 1 warning\n"}},
        {"half a map", {{"cstrike/maps/m.bsp", whole.substr(0, whole.size() / 2)}}, 1,
         {"  damaged map: damaged at offset "}},
        {"600 bytes that are no map", {{"cstrike/maps/m.bsp", std::string(600, 'x')}}, 1,
         {"  damaged map: not a map of version 29 or 30: the game refuses to load it\n"}},
        {"a map of version 29, which the game loads",
         {{"cstrike/maps/m.bsp", "\x1D\0\0\0"s + map(worldspawn).second.substr(4)}}, 0,
         {"m.bsp: 0 entries"}},
        {"a custom model cut short",
         {evil, {"cstrike/models/evil.mdl", studio_model_bytes({}).substr(0, 100)}}, 1,
         {"  damaged: models/evil.mdl: not a studio model of version 10: the client fails on it, "
          "and what it needs is unknown\n", " 1 damaged;"}},
        {"a found file the download filter refuses, kept out of the download folder",
         {map(worldspawn + R"({"message" "sound/a~1.wav"})"), {"cstrike/sound/a~1.wav", "RIFF"}},
         0, {"  not copied sound/a~1.wav: holds '~': clients refuse to download it\n"}},
        // clang-format on
    };
    for (const auto& row : table) {
        TempDir dir;
        for (const auto& files : {secrets, row.files})
            for (const auto& [relative, bytes] : files)
                put_file(dir.path(), relative, bytes);
        const auto check = run_res(dir, "--check --follow cstrike/maps/m.bsp");
        EXPECT_EQ(check.status, row.check) << row.name << check.err;
        const auto collect = run_res(dir, "--stdout --follow --collect out cstrike/maps/m.bsp");
        const auto copied = listing(dir.path() / "out");
        EXPECT_THAT(copied, HasSubstr("maps/m.res\n")) << row.name;
        for (const auto& text : row.said)
            EXPECT_THAT(check.err + collect.err, HasSubstr(text)) << row.name;
        if (row.never.empty()) continue;
        EXPECT_THAT(collect.out, Not(HasSubstr(row.never))) << row.name;
        EXPECT_THAT(copied, Not(HasSubstr(row.never))) << row.name;
    }
}

} // namespace
} // namespace tarnwick::testing
