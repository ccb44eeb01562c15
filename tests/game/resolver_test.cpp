// Entries resolved against a small game installation made by the test, audited against a
// .res, and checked by the rules of the game's clients and server, table by table.

#include "game/audit.h"
#include "game/report.h"
#include "game/rules.h"
#include "game_fixture.h"

namespace tarnwick::testing {
namespace {

using game::Status;
using ::testing::AllOf;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::Not;
using namespace std::string_literals;

struct Row {
    const char* entry;
    Status status;
    const char* spelled; // "" when not found
    const char* where;   // the end of the file's description, "" when not found
};

using Resolving = GameFixture;

TEST_F(Resolving, LooksEachEntryUpInTheGamesOrder) {
    const auto folder = game();
    const game::Resolver resolver(folder, game::read_stock_list("# mine\n Custom/Listed.wav \n"));
    const Row table[] = {
        {"models/x.mdl", Status::found, "models/x.mdl", "cstrike/models/x.mdl"},
        {"models\\x.mdl", Status::found, "models/x.mdl", "cstrike/models/x.mdl"},
        {"models/props/crate.mdl", Status::case_mismatch, "models/Props/Crate.mdl", "Crate.mdl"},
        {"sound/dl.wav", Status::found, "sound/dl.wav", "cstrike_downloads/sound/dl.wav"},
        // An exact match in the fallback folder comes before a case match in the mod.
        {"sound/v.wav", Status::stock, "sound/v.wav", "valve/sound/v.wav"},
        {"sound/V.wav", Status::found, "sound/V.wav", "cstrike/sound/V.wav"},
        {"sprites/s.spr", Status::stock, "sprites/s.spr", "valve/pak0.pak/sprites/s.spr"},
        {"MODELS/P.MDL", Status::stock, "models/p.mdl", "cstrike/pak0.pak/models/p.mdl"},
        {"halflife.wad", Status::stock, "halflife.wad", "valve/halflife.wad"},
        {"cstrike.wad", Status::stock, "", ""},
        {"custom/listed.wav", Status::stock, "", ""},
        {"sound/none.wav", Status::missing, "", ""},
        {"../cstrike/models/x.mdl", Status::unsafe, "", ""},
        {"sound\\..\\..\\x.wav", Status::unsafe, "", ""},
        {"/etc/passwd", Status::unsafe, "", ""},
        {"c:/x.wav", Status::unsafe, "", ""},
    };
    for (const auto& row : table) {
        const auto o = resolver.look_up(row.entry, "map");
        EXPECT_EQ(o.status, row.status) << row.entry;
        EXPECT_EQ(o.spelled, row.spelled) << row.entry;
        EXPECT_THAT(o.file, ::testing::EndsWith(row.where)) << row.entry;
        EXPECT_EQ(o.file.empty(), std::string(row.where).empty()) << row.entry;
    }
}

// Every entity that names `o`, with its targetname when it has one.
std::string listed(const game::Outcome& o) {
    auto line = o.entry + " <- " + o.from + " " + std::string(game::status_name(o.status));
    for (const auto& e : o.entities)
        line += (&e == &o.entities[0] ? " [" : ", ") + e.classname +
                (e.targetname.empty() ? "" : " ") + e.targetname;
    return line + (o.entities.empty() ? "" : "]");
}

TEST_F(Resolving, FollowsWhatTheMapItsEntitiesAndItsFilesName) {
    mod("gfx/env/nightup.bmp", "BM");
    const auto map_path = map(
        {{"brick", true}, {"{fence", false}, {"sky", false}, {"gone", false}},
        R"({"classname" "worldspawn" "wad" "\cs\mine.wad;\cs\Upper.WAD;d:\hl\HALFLIFE.WAD")"
        R"( "SkyName" "night" "skyname" "desert"})"
        R"({"classname" "ambient_generic" "targetname" "boom1" "message" "kaboom.WAV"})"
        R"({"classname" "env_sprite" "model" "sprites/volare/volare001.SPR" "message" "KABOOM.WAV"})"
        R"({"classname" "cycler" "model" "X.MDL" "body" "models/BAD.MDL"})"
        R"({"classname" "env_glow" "model" "x;Logo.TGA"}{"classname" "ambient_generic" "message")"
        R"( "Kaboom.Wav"}{"classname" "func_door" "targetname" "d" "noise1" "kaboom.wAV" "noise2")"
        R"( "KaBoom.WAV"}{"classname" "ambient_generic" "targetname" "b4" "message" "kaboom.WAV"})"
        R"({"classname" "func_button" "message" "sound/none.wav" "noise" "quiet.wav"})");
    const auto folder = game();
    const std::vector<std::string> scan = {"mine.wad",       "unused.wad",     "halflife.wad",
                                           "models/bad.mdl", "sound/none.wav", "../up.wav"};
    const auto r = game::Resolver(folder, {}).resolve(map_path, scan, true);
    const struct {
        const char* name;
        const char* line;
    } table[] = {
        {"the scan's entries first", "mine.wad <- map found [worldspawn]"},
        {"a package no texture of the map needs", "unused.wad <- map found"},
        {"a stock package", "halflife.wad <- map stock [worldspawn]"},
        {"named again in another case: skipped", "models/bad.mdl <- map found [cycler]"},
        {"exact: named, quiet.wav not added", "sound/none.wav <- map missing [func_button]"},
        {"unsafe", "../up.wav <- map unsafe"},
        {"wad key; HALFLIFE.WAD skipped", "Upper.WAD <- entities missing [worldspawn]"},
        {"SkyName, not skyname", "gfx/env/nightbk.tga <- entities missing [worldspawn]"},
        {"sky face 2", "gfx/env/nightdn.tga <- entities missing [worldspawn]"},
        {"sky face 3", "gfx/env/nightft.tga <- entities missing [worldspawn]"},
        {"sky face 4", "gfx/env/nightlf.tga <- entities missing [worldspawn]"},
        {"sky face 5", "gfx/env/nightrt.tga <- entities missing [worldspawn]"},
        {"sky face with a .bmp", "gfx/env/nightup.tga <- entities replaced [worldspawn]"},
        {".WAV with its folder, once, each entity once",
         "sound/kaboom.WAV <- entities missing [ambient_generic boom1, env_sprite, "
         "ambient_generic, func_door d, ambient_generic b4]"},
        {".SPR keeps its folder", "sprites/volare/volare001.SPR <- entities missing [env_sprite]"},
        {".MDL, followed", "models/X.MDL <- entities case [cycler]"},
        {".TGA after a ;", "gfx/Logo.TGA <- entities missing [env_glow]"},
        {"the map's detail textures", "maps/de_foo_detail.txt <- map found"},
        {"the map's overview", "overviews/de_foo.bmp <- map found"},
        {"the sky face taken instead", "gfx/env/nightup.bmp <- gfx/env/nightup.tga found"},
        {"a texture model", "models/XT.mdl <- models/X.MDL case"},
        {"a sequence group", "models/X01.mdl <- models/X.MDL missing"},
        {"a model's sound", "sound/x/hit.wav <- models/X.MDL case"},
        {"a detail texture", "gfx/detail/brick.tga <- maps/de_foo_detail.txt found"},
    };
    ASSERT_EQ(r.entries.size(), std::size(table));
    for (std::size_t i = 0; i < r.entries.size(); ++i)
        EXPECT_EQ(listed(r.entries[i]), table[i].line) << table[i].name;
    EXPECT_THAT(r.entries[3].warnings, ElementsAre("not a studio model"));
    EXPECT_THAT(game::res_entries(r, {true, false, false, false}),
                AllOf(Contains("gfx/env/nightup.bmp"), Not(Contains("gfx/env/nightup.tga"))));
    EXPECT_EQ(game::res_entries(r, {}), scan); // what was followed is written only when asked
    EXPECT_THAT(game::text_report(r),
                Contains("  missing: sound/kaboom.WAV (named by ambient_generic \"boom1\", "
                         "env_sprite, ambient_generic and 2 more)"));
    EXPECT_THAT(game::text_report(r), Contains("  unsafe, not looked up: ../up.wav"));
}

TEST_F(Resolving, NamesTheFallbackAndSurvivesDamagedFiles) {
    mod("liblist.gam", "fallback_dir \"base\"\n");
    put_file(dir.path(), "base/sound/b.wav", "RIFF");
    mod("pak1.pak", "PACK\xff\xff\xff\x7f\x40\0\0\0"s);
    auto folder = game();
    EXPECT_EQ(game::Resolver(folder, {}).look_up("sound/b.wav", "map").status, Status::stock);
    EXPECT_EQ(game::Resolver(folder, {}).look_up("sprites/s.spr", "map").status, Status::missing);
    EXPECT_THAT(folder.warnings(), ElementsAre(HasSubstr("pak1.pak: damaged at offset")));

    mod("liblist.gam", "fallback_dir \"../../etc\"\n");
    EXPECT_THAT(game().warnings(),
                ElementsAre(HasSubstr("pak1.pak"), HasSubstr("liblist.gam: line at offset 0")));
    EXPECT_THROW(game::GameFolder(dir.path() / "nothing"), std::runtime_error);

    // A map that is not BSP30 still resolves its entries.
    mod("maps/old.bsp", std::string(600, 'x'));
    const auto r = game::Resolver(folder, {})
                       .resolve(dir.file("cstrike/maps/old.bsp"), {"models/x.mdl"}, true);
    EXPECT_EQ(r.entries.front().status, Status::found);
    EXPECT_THAT(r.warnings, ElementsAre("entity text not read: not a BSP30 map",
                                        "textures not checked: not a BSP30 map",
                                        "brush models not counted: not a BSP30 map"));
}

TEST_F(Resolving, AuditsAResAgainstWhatTheMapNeeds) {
    const auto folder = game();
    const game::Resolver resolver(folder, {});
    const auto map_path = map({}, R"({"wad" "mine.wad"}{"noise" "dl.WAV"})");
    const auto r = resolver.resolve(map_path, {"mine.wad", "models/x.mdl", "sound/none.wav"}, true);
    mod("maps/de_foo.res", "// old\r\nmaps/de_foo.bsp\r\nMAPS/DE_FOO.RES\r\nMINE.WAD\r\n"
                           "models\\x.mdl\r\nsound/none.wav\r\nsound/V.wav\r\nsound/gone.wav\r\n"
                           "sound/x/hit.wav\r\nmaps/de_foo_detail.txt\r\nmodels/xT.mdl\r\n");
    const auto audit = game::audit_map(resolver, r);
    EXPECT_EQ(audit.text.lines.size(), 10u);
    EXPECT_TRUE(audit.failed());
    EXPECT_THAT(game::audit_report(audit),
                ElementsAre(::testing::EndsWith("de_foo.res: 10 lines: 2 extra, 3 lacking, 2 case, "
                                                "2 missing"),
                            "  extra in the .res: sound/V.wav (the file exists)",
                            "  extra in the .res: sound/gone.wav (no such file)",
                            "  lacking in the .res: sound/dl.WAV (from the entity text)",
                            "  lacking in the .res: overviews/de_foo.bmp (from the map)",
                            "  lacking in the .res: gfx/detail/brick.tga (needed by "
                            "maps/de_foo_detail.txt)",
                            "  case in the .res: MINE.WAD is spelled mine.wad on the disk",
                            "  case in the .res: sound/x/hit.wav is spelled sound/x/HIT.wav on "
                            "the disk",
                            "  missing in the .res: sound/none.wav",
                            "  missing in the .res: sound/gone.wav"));
}

TEST(NameRules, WarnOfWhatClientsAndTheServerRefuse) {
    const char* outside = "holds bytes outside printable ASCII, which break the download";
    const struct {
        const char* name;
        std::string entry;
        const char* warning; // "": none
    } table[] = {
        {"fits", "sound/ok_name-1.wav", ""},
        {"63 characters", "sound/" + std::string(53, 'a') + ".wav", ""},
        {"64 characters", "sound/" + std::string(54, 'a') + ".wav",
         "64 characters, longer than the 63 the engine holds in a resource name"},
        {"word breaks", "sound/a b(c){d}'e:f,g.wav",
         "holds a space, '(', ')', '{', '}', ''', ':', ',', at which the server splits a .res "
         "line into words"},
        {"control byte", "sound/a\tb.wav", outside},
        {"high byte", "sound/caf\xE9.wav", outside},
        {"two dots", "sound/a.b.wav",
         "more than one dot in the file name: clients refuse to download it"},
        {"dots in a folder", "sound/v.1/a.wav", ""},
    };
    for (const auto& row : table)
        EXPECT_EQ(game::name_warnings(row.entry),
                  *row.warning ? std::vector<std::string>{row.warning} : std::vector<std::string>{})
            << row.name;
}

TEST_F(Resolving, WarnsWhereADeepWadMustGoAndCountsAgainstTheLimits) {
    mod("wads/Deep.wad", wad_bytes({"x"}));
    std::vector<std::string> scan = {"deep.wad", "gone.wad", "models/x.mdl", "sprites/s.spr"};
    for (int i = 0; i < 513; ++i)
        scan.push_back("sound/s" + std::to_string(i) + ".wav");
    mod("maps/de_foo.bsp", map_with_textures("{}", {}, 510));
    const auto folder = game();
    auto r = game::Resolver(folder, {}).resolve(dir.file("cstrike/maps/de_foo.bsp"), scan, true);
    // Places are written with forward slashes on every system.
    const auto generic = [](const std::string& p) {
        return std::filesystem::path(p).generic_string();
    };
    EXPECT_THAT(r.entries[0].warnings,
                ElementsAre(HasSubstr("lies at " + generic(dir.file("cstrike/wads/Deep.wad")) +
                                      " and must go to " + generic(dir.file("cstrike/deep.wad")))));
    EXPECT_THAT(r.entries[1].warnings, ElementsAre());
    game::count_res_lines(r, 512);
    EXPECT_FALSE(r.limits.back().over());
    EXPECT_TRUE(r.over_limit());
    // The model's texture model and sound are loaded with it: not counted.
    const auto lines = game::text_report(r);
    EXPECT_THAT(lines, ::testing::Contains("  limits: 512 models of 512, 513 sounds of 512, "
                                           "512 .res lines of 512"));
    EXPECT_THAT(lines, ::testing::Contains("  error: 513 sounds, 1 over the limit of 512"));
}

} // namespace
} // namespace tarnwick::testing
