// Entries resolved against a small game installation made by the test, table by table.

#include "game/collect.h"
#include "game/report.h"
#include "game_fixture.h"

#include <nlohmann/json.hpp>

namespace tarnwick::testing {
namespace {

using game::Status;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

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

TEST_F(Resolving, FollowsWhatModelsAndTheMapNeedAndChecksTheTextures) {
    const auto map_path =
        map({{"brick", true}, {"{fence", false}, {"sky", false}, {"gone", false}});
    const auto folder = game();
    const game::Resolver resolver(folder, {});
    const std::vector<std::string> scan = {"mine.wad",     "unused.wad",     "halflife.wad",
                                           "models/x.mdl", "models/bad.mdl", "models/X.mdl"};
    const auto r = resolver.resolve(map_path, scan, true);
    std::vector<std::string> listed;
    for (const auto& o : r.entries)
        listed.push_back(o.entry + " <- " + o.from + " " +
                         std::string(game::status_name(o.status)));
    EXPECT_THAT(listed, ElementsAre("mine.wad <- map found", "unused.wad <- map found",
                                    "halflife.wad <- map stock", "models/x.mdl <- map found",
                                    "models/bad.mdl <- map found", "models/X.mdl <- map case",
                                    "maps/de_foo_detail.txt <- map found",
                                    "overviews/de_foo.bmp <- map found",
                                    "models/xT.mdl <- models/x.mdl found",
                                    "models/x01.mdl <- models/x.mdl missing",
                                    "sound/x/hit.wav <- models/x.mdl case",
                                    "gfx/detail/brick.tga <- maps/de_foo_detail.txt found"));
    EXPECT_THAT(r.entries[4].warnings, ElementsAre("not a studio model"));
    EXPECT_THAT(r.unused_wads, ElementsAre("unused.wad"));
    EXPECT_THAT(r.missing_textures, ElementsAre("gone"));
    EXPECT_TRUE(r.incomplete());

    // Without following, only the scan's entries, and the textures are still checked.
    const auto plain = resolver.resolve(map_path, scan, false);
    EXPECT_EQ(plain.entries.size(), scan.size());
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
    EXPECT_THAT(r.warnings, ElementsAre("textures not checked: not a BSP30 map"));
}

TEST_F(Resolving, ReportsForPeopleAndForPrograms) {
    const auto folder = game();
    const game::Resolver resolver(folder, {});
    const auto map_path = map({{"gone", false}});
    const std::vector<std::string> scan = {"models/X.mdl", "unused.wad", "sound/none.wav",
                                           "../up.wav"};
    EXPECT_THAT(game::text_report(resolver.resolve(map_path, scan, false)),
                ElementsAre(HasSubstr("de_foo.bsp: 4 entries: 1 found, 1 case, 1 missing, 0 stock, "
                                      "1 unsafe; 1 unused wad, 1 missing texture"),
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
