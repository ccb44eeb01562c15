// Entries resolved against a small game installation made by the test, audited against a
// .res, and checked by the rules of the game's clients and server, table by table.

#include "game/report.h"
#include "game/rules.h"
#include "game_fixture.h"

namespace tarnwick::testing {
namespace {

using game::Status;
using ::testing::AllOf;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsSupersetOf;
using ::testing::Not;
using namespace std::string_literals;

using Resolving = GameFixture;

TEST_F(Resolving, LooksEachEntryUpInTheGamesOrder) {
    const auto folder = game();
    const game::Resolver resolver(folder, game::read_stock_list("# mine\n Custom/Listed.wav \n"));
    const struct {
        const char* entry;
        const char* outcome; // the status, then the disk's spelling and the file when found
    } table[] = {
        {"models\\x.mdl", "found models/x.mdl in cstrike/models/x.mdl"},
        {"models/props/crate.mdl", "case models/Props/Crate.mdl in cstrike/models/Props/Crate.mdl"},
        {"sound/dl.wav", "found sound/dl.wav in cstrike_downloads/sound/dl.wav"},
        // An exact match in the fallback folder comes before a case match in the mod.
        {"sound/v.wav", "stock sound/v.wav in valve/sound/v.wav"},
        {"sound/V.wav", "found sound/V.wav in cstrike/sound/V.wav"},
        {"sprites/s.spr", "stock sprites/s.spr in valve/pak0.pak/sprites/s.spr"},
        {"MODELS/P.MDL", "stock models/p.mdl in cstrike/pak0.pak/models/p.mdl"},
        {"cstrike.wad", "stock"},
        {"custom/listed.wav", "stock"},
        {"sound\\..\\..\\x.wav", "unsafe"},
        {"/etc/passwd", "unsafe"},
        {"c:/x.wav", "unsafe"},
    };
    for (const auto& row : table) {
        const auto o = resolver.look_up(row.entry, "map");
        auto outcome = std::string(game::status_name(o.status));
        if (!o.file.empty())
            outcome += " " + o.spelled + " in " +
                       utf8_path(o.file).lexically_relative(dir.path()).generic_string();
        EXPECT_EQ(outcome, row.outcome) << row.entry;
    }
}

// The entry, where it comes from, its status and every entity that names it, with its
// targetname when it has one.
std::string listed(const game::Outcome& o) {
    auto line = o.entry + " <- " + o.from + " " + std::string(game::status_name(o.status));
    for (const auto& e : o.entities)
        line += (&e == &o.entities[0] ? " [" : ", ") + e.classname +
                (e.targetname.empty() ? "" : " ") + e.targetname;
    return line + (o.entities.empty() ? "" : "]");
}

// What a map's own files and its models need in turn is checked through tarnwick-res; this
// map, de_bar, has no files of its own.
TEST_F(Resolving, FollowsWhatTheMapAndItsEntitiesName) {
    mod("gfx/env/nightup.bmp", "BM");
    mod("maps/de_bar.bsp",
        map_with_textures(
            R"({"classname" "worldspawn" "wad" "\cs\mine.wad;\cs\Upper.WAD;d:\hl\HALFLIFE.WAD")"
            R"( "SkyName" "night" "skyname" "desert"})"
            R"({"classname" "ambient_generic" "targetname" "boom1" "message" "kaboom.WAV"})"
            R"({"classname" "env_sprite" "model" "sprites/volare/volare001.SPR")"
            R"( "message" "KABOOM.WAV"}{"classname" "cycler" "model" "XT.MDL" "body")"
            R"( "models/BAD.MDL"}{"classname" "env_glow" "model" "x;Logo.TGA"})"
            R"({"classname" "ambient_generic" "message" "Kaboom.Wav"}{"classname" "func_door")"
            R"( "targetname" "d" "noise1" "kaboom.wAV" "noise2" "KaBoom.WAV"})"
            R"({"classname" "ambient_generic" "targetname" "b4" "message" "kaboom.WAV"})"
            R"({"classname" "func_button" "message" "sound/none.wav" "noise" "quiet.wav"})",
            {{"brick", true}, {"{fence", false}, {"sky", false}, {"gone", false}}));
    const auto folder = game();
    const std::vector<std::string> scan = {"mine.wad",       "unused.wad",     "halflife.wad",
                                           "models/bad.mdl", "sound/none.wav", "../up.wav"};
    const auto r =
        game::Resolver(folder, {}).resolve(dir.file("cstrike/maps/de_bar.bsp"), scan, true);
    std::vector<std::string> lines;
    for (const auto& outcome : r.entries)
        lines.push_back(listed(outcome));
    EXPECT_THAT(lines,
                ElementsAre("mine.wad <- map found [worldspawn]", // the scan's entries first
                            "unused.wad <- map found", "halflife.wad <- map stock [worldspawn]",
                            // Named again in another case: not added again.
                            "models/bad.mdl <- map found [cycler]",
                            // An exact name: quiet.wav is not added.
                            "sound/none.wav <- map missing [func_button]",
                            "../up.wav <- map unsafe",
                            // The wad key; HALFLIFE.WAD is in the scan.
                            "Upper.WAD <- entities missing [worldspawn]",
                            // SkyName, not skyname: six faces, one of them a .bmp.
                            "gfx/env/nightbk.tga <- entities missing [worldspawn]",
                            "gfx/env/nightdn.tga <- entities missing [worldspawn]",
                            "gfx/env/nightft.tga <- entities missing [worldspawn]",
                            "gfx/env/nightlf.tga <- entities missing [worldspawn]",
                            "gfx/env/nightrt.tga <- entities missing [worldspawn]",
                            "gfx/env/nightup.tga <- entities replaced [worldspawn]",
                            // .WAV with its folder, once, each entity once.
                            "sound/kaboom.WAV <- entities missing [ambient_generic boom1, "
                            "env_sprite, ambient_generic, func_door d, ambient_generic b4]",
                            "sprites/volare/volare001.SPR <- entities missing [env_sprite]",
                            "models/XT.MDL <- entities case [cycler]",
                            "gfx/Logo.TGA <- entities missing [env_glow]", // after a ;
                            "gfx/env/nightup.bmp <- gfx/env/nightup.tga found"));
    EXPECT_THAT(r.entries[3].warnings, ElementsAre("not a studio model"));
    // Followed entries are written when asked, missing ones too; a sky face as the game takes it.
    EXPECT_THAT(game::res_entries(r, {true, false, false, false}),
                AllOf(Contains("gfx/env/nightbk.tga"), Contains("gfx/env/nightup.bmp"),
                      Not(Contains("gfx/env/nightup.tga"))));
    EXPECT_EQ(game::res_entries(r, {}), scan); // what was followed is written only when asked
    EXPECT_THAT(game::text_report(r),
                IsSupersetOf({"  missing: sound/kaboom.WAV (named by ambient_generic \"boom1\", "
                              "env_sprite, ambient_generic and 2 more)",
                              "  case: models/XT.MDL is spelled models/xT.mdl on the disk",
                              "  unsafe, not looked up: ../up.wav", "  unused wad: unused.wad",
                              "  missing texture: gone"}));
}

TEST_F(Resolving, NamesTheFallbackAndSurvivesDamagedFiles) {
    mod("liblist.gam", "fallback_dir \"base\"\n");
    put_file(dir.path(), "base/sound/b.wav", "RIFF");
    mod("pak1.pak", "PACK\xff\xff\xff\x7f\x40\0\0\0"s);
    mod("maps/old.bsp", std::string(600, 'x'));
    auto folder = game();
    EXPECT_THAT(folder.warnings(), ElementsAre(HasSubstr("pak1.pak: damaged at offset")));
    // A map that is not BSP30 still resolves its entries.
    const auto r =
        game::Resolver(folder, {})
            .resolve(dir.file("cstrike/maps/old.bsp"), {"sound/b.wav", "sprites/s.spr"}, true);
    EXPECT_EQ(listed(r.entries[0]) + ", " + listed(r.entries[1]),
              "sound/b.wav <- map stock, sprites/s.spr <- map missing");
    EXPECT_THAT(r.warnings, Contains("entity text not read: not a BSP30 map"));

    mod("liblist.gam", "fallback_dir \"../../etc\"\n");
    EXPECT_THAT(game().warnings(),
                ElementsAre(HasSubstr("pak1.pak"), HasSubstr("liblist.gam: line at offset 0")));
    EXPECT_THROW(game::GameFolder(dir.path() / "nothing"), std::runtime_error);
}

TEST(NameRules, WarnOfWhatClientsAndTheServerRefuse) {
    const char* outside = "holds bytes outside printable ASCII, which break the download";
    const struct {
        const char* name;
        std::string entry;
        const char* warning; // "": none
    } table[] = {
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
        {"fits, dots in a folder", "sound/v.1/ok_name-1.wav", ""},
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
    const auto mod_folder = (dir.path() / "cstrike").generic_string();
    EXPECT_THAT(r.entries[0].warnings,
                ElementsAre(HasSubstr("lies at " + mod_folder + "/wads/Deep.wad and must go to " +
                                      mod_folder + "/deep.wad")));
    EXPECT_THAT(r.entries[1].warnings, ElementsAre());
    game::count_res_lines(r, 512);
    EXPECT_FALSE(r.limits.back().over());
    EXPECT_TRUE(r.over_limit());
    // The model's texture model and sound are loaded with it: not counted.
    EXPECT_THAT(
        game::text_report(r),
        IsSupersetOf({"  limits: 512 models of 512, 513 sounds of 512, 512 .res lines of 512",
                      "  error: 513 sounds, 1 over the limit of 512"}));
}

} // namespace
} // namespace tarnwick::testing
