// Entries resolved against a small game installation made by the test, table by table.

#include "game/collect.h"
#include "game/report.h"
#include "game_fixture.h"

#include <nlohmann/json.hpp>

namespace tarnwick::testing {
namespace {

using game::Status;
using ::testing::AllOf;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

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
    std::string line = o.entry + " <- " + o.from + " " + std::string(game::status_name(o.status));
    for (std::size_t i = 0; i < o.entities.size(); ++i)
        line += (i ? ", " : " [") + o.entities[i].classname +
                (o.entities[i].targetname.empty() ? "" : " " + o.entities[i].targetname);
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
        R"({"classname" "env_glow" "model" "Logo.TGA"}{"classname" "ambient_generic" "message")"
        R"( "Kaboom.Wav"}{"classname" "func_door" "targetname" "d" "noise1" "kaboom.wAV" "noise2")"
        R"( "KaBoom.WAV"}{"classname" "ambient_generic" "targetname" "b4" "message" "kaboom.WAV"})"
        R"({"classname" "func_button" "message" "sound/none.wav"})");
    const auto folder = game();
    const game::Resolver resolver(folder, {});
    const std::vector<std::string> scan = {"mine.wad", "unused.wad", "halflife.wad",
                                           "models/bad.mdl", "sound/none.wav"};
    const auto r = resolver.resolve(map_path, scan, true);
    const struct {
        const char* name;
        const char* line;
    } table[] = {
        {"the scan's entries first", "mine.wad <- map found [worldspawn]"},
        {"a package no texture of the map needs", "unused.wad <- map found"},
        {"a stock package", "halflife.wad <- map stock [worldspawn]"},
        {"named again in another case: skipped", "models/bad.mdl <- map found [cycler]"},
        {"an exact extension: named, not added", "sound/none.wav <- map missing [func_button]"},
        {"wad key, last part of a path, HALFLIFE.WAD skipped",
         "Upper.WAD <- entities missing [worldspawn]"},
        {"SkyName (skyname left to the scan)", "gfx/env/nightbk.tga <- entities missing [worldspawn]"},
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
        {".TGA", "gfx/Logo.TGA <- entities missing [env_glow]"},
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
    EXPECT_THAT(r.unused_wads, ElementsAre("unused.wad"));
    EXPECT_THAT(r.missing_textures, ElementsAre("gone"));
    EXPECT_THAT(game::res_entries(r, {true, false, false, false}),
                AllOf(Contains("gfx/env/nightup.bmp"), Not(Contains("gfx/env/nightup.tga"))));
    EXPECT_THAT(game::text_report(r),
                Contains("  missing: sound/kaboom.WAV (named by ambient_generic \"boom1\", "
                         "env_sprite, ambient_generic and 2 more)"));
    const auto named = nlohmann::json::parse(game::json_report({r}))["maps"][0]["entries"][12];
    EXPECT_EQ(named["entities"][0], nlohmann::json({{"classname", "ambient_generic"},
                                                    {"targetname", "boom1"}}));
    EXPECT_EQ(named["entities"][1], nlohmann::json({{"classname", "env_sprite"}}));

    // Without following: the scan's entries, no entity read, and the textures still checked.
    const auto plain = resolver.resolve(map_path, scan, false);
    EXPECT_EQ(plain.entries.size(), scan.size());
    EXPECT_THAT(plain.entries[4].entities, ElementsAre());
    EXPECT_THAT(plain.missing_textures, ElementsAre("gone"));
}

TEST_F(Resolving, WritesWhatTheChoicesAsk) {
    const auto folder = game();
    const game::Resolver resolver(folder, {});
    const auto r =
        resolver.resolve(map({}), {"models/x.mdl", "halflife.wad", "Sound/dl.wav"}, true);
    struct Choice {
        game::WriteChoice choice;
        std::vector<std::string> lines;
    } table[] = {
        {{}, {"models/x.mdl", "halflife.wad", "Sound/dl.wav"}},
        {{false, true, false, true}, {"models/x.mdl", "sound/dl.wav"}},
        {{true, false, true, false},
         {"models/x.mdl", "halflife.wad", "Sound/dl.wav", "maps/de_foo_detail.txt",
          "overviews/de_foo.bmp", "models/xT.mdl", "sound/x/hit.wav", "gfx/detail/brick.tga"}},
    };
    for (const auto& row : table)
        EXPECT_EQ(game::res_entries(r, row.choice), row.lines);
}

TEST_F(Resolving, NamesTheFallbackAndSurvivesDamagedFiles) {
    mod("liblist.gam", "fallback_dir \"base\"\n");
    put_file(dir.path(), "base/sound/b.wav", "RIFF");
    mod("pak1.pak", std::string("PACK\xff\xff\xff\x7f\x40\0\0\0", 12));
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

TEST_F(Resolving, ReportsForPeopleAndForPrograms) {
    const auto folder = game();
    const game::Resolver resolver(folder, {});
    const auto map_path = map({{"gone", false}});
    const std::vector<std::string> scan = {"models/X.mdl", "unused.wad", "sound/none.wav",
                                           "../up.wav"};
    EXPECT_THAT(game::text_report(resolver.resolve(map_path, scan, false)),
                ElementsAre(HasSubstr("de_foo.bsp: 4 entries: 1 found, 1 case, 1 missing, 0 stock, "
                                      "1 unsafe, 0 replaced; 1 unused wad, 1 missing texture, 0 warnings"),
                            "  limits: 1 models of 512, 2 sounds of 512",
                            "  case: models/X.mdl is spelled models/x.mdl on the disk",
                            "  missing: sound/none.wav", "  unsafe, not looked up: ../up.wav",
                            "  unused wad: unused.wad", "  missing texture: gone"));

    const auto json =
        nlohmann::json::parse(game::json_report({resolver.resolve(map_path, scan, true)}));
    const auto& entries = json["maps"][0]["entries"];
    ASSERT_EQ(entries.size(), 10u);
    EXPECT_EQ(entries[0]["status"], "case");
    EXPECT_EQ(entries[0]["spelled"], "models/x.mdl");
    EXPECT_THAT(entries[0]["file"].get<std::string>(), ::testing::EndsWith("cstrike/models/x.mdl"));
    EXPECT_EQ(entries[5]["entry"], "overviews/de_foo.bmp");
    EXPECT_EQ(entries[5]["from"], "map");
    EXPECT_EQ(entries[6]["entry"], "models/XT.mdl");
    EXPECT_EQ(entries[6]["from"], "models/X.mdl");
    EXPECT_EQ(json["maps"][0]["unused_wads"], nlohmann::json::array({"unused.wad"}));
    EXPECT_EQ(json["maps"][0]["missing_textures"], nlohmann::json::array({"gone"}));
}

TEST_F(Resolving, CollectsWhatTheResListsAndDoesNotShipWithTheGame) {
    const auto folder = game();
    const auto map_path = map({});
    const auto r =
        game::Resolver(folder, {})
            .resolve(map_path, {"models/X.mdl", "halflife.wad", "sound/none.wav", "sound/dl.wav"},
                     true);
    const auto into = dir.path() / "out";
    game::CollectRequest request{map_path, "RES", {true, true, false, false}, into, false};
    put_file(into, "sound/dl.wav", "RIFF");     // the same file: left as it is
    put_file(into, "models/xT.mdl", "changed"); // a different one: kept
    auto result = game::collect(folder, r, request);
    EXPECT_FALSE(result.ok);
    EXPECT_THAT(
        result.lines,
        ElementsAre("copied maps/de_foo.bsp", "copied maps/de_foo.res", "copied models/x.mdl",
                    "already there: sound/dl.wav", "copied maps/de_foo_detail.txt",
                    "copied overviews/de_foo.bmp",
                    "kept models/xT.mdl: a different file is there (--overwrite replaces it)",
                    "copied sound/x/HIT.wav", "copied gfx/detail/brick.tga"));
    EXPECT_EQ(read_file(into / "maps/de_foo.res"), "RES");
    EXPECT_EQ(read_file(into / "models/x.mdl"), read_file(dir.path() / "cstrike/models/x.mdl"));
    EXPECT_FALSE(std::filesystem::exists(into / "halflife.wad"));

    request.overwrite = true;
    result = game::collect(folder, r, request);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.copied, 1u);
    EXPECT_EQ(read_file(into / "models/xT.mdl"), read_file(dir.path() / "cstrike/models/xT.mdl"));
}

} // namespace
} // namespace tarnwick::testing
