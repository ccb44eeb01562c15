// The game library on a small installation made by the test and on made bytes.

#include "analysis/file_system.h"
#include "game/audit.h"
#include "game/entity_references.h"
#include "game/formats/bsp.h"
#include "game/formats/detail_list.h"
#include "game/formats/entities.h"
#include "game/formats/liblist.h"
#include "game/formats/library_folders.h"
#include "game/formats/pak.h"
#include "game/formats/server_listing.h"
#include "game/formats/studio_model.h"
#include "game/formats/wad.h"
#include "game/game_precache.h"
#include "game/report.h"
#include "game/rules.h"
#include "game/steam.h"
#include "game_fixture.h"

#include <functional>

namespace tarnwick::testing {
namespace {

using game::FormatError;
using game::MemorySource;
using ::testing::IsSupersetOf;

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
        const auto o = resolver.look_up(row.entry, game::From::map());
        auto outcome = std::string(game::status_name(o.status));
        if (!o.file.empty())
            outcome += " " + o.spelled + " in " +
                       utf8_path(o.file).lexically_relative(dir.path()).generic_string();
        EXPECT_EQ(outcome, row.outcome) << row.entry;
    }
}

#ifndef _WIN32 // where links to folders need rights Windows seldom gives
// A file behind a link to a folder is the server's, as the server opens it; a link back
// into a folder being listed ends there rather than never.
TEST_F(Resolving, ReadsThroughLinksToFoldersAndStopsAtLoops) {
    namespace fs = std::filesystem;
    put_file(dir.path(), "shared/plugin/hi.wav", "RIFF");
    fs::create_directory_symlink(dir.path() / "shared", dir.path() / "cstrike/sound/shared");
    fs::create_directory_symlink(dir.path() / "cstrike", dir.path() / "shared/back");
    fs::create_directory_symlink("..", dir.path() / "cstrike/sound/x/up");
    const auto folder = game();
    const game::Resolver resolver(folder, {});
    EXPECT_EQ(resolver.look_up("sound/shared/plugin/hi.wav", {}).status, game::Status::found);
    EXPECT_EQ(resolver.look_up("sound/shared/back/sound/V.wav", {}).status, game::Status::missing);
    EXPECT_EQ(resolver.look_up("sound/x/up/V.wav", {}).status, game::Status::missing);
}
#endif

std::string listed(const game::Outcome& o) {
    auto line = o.entry + " <- " + o.from.name() + " " + std::string(game::status_name(o.status));
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
                            "models/bad.mdl <- map damaged [cycler]",
                            // An exact name: quiet.wav is not added.
                            "sound/none.wav <- map missing [func_button]",
                            "../up.wav <- map unsafe",
                            // The wad key; HALFLIFE.WAD is in the scan.
                            "Upper.wad <- entities missing [worldspawn]",
                            // .WAV with its folder, once, each entity once.
                            "sound/kaboom.WAV <- entities missing [ambient_generic boom1, "
                            "env_sprite, ambient_generic, func_door d, ambient_generic b4]",
                            "sprites/volare/volare001.SPR <- entities missing [env_sprite]",
                            "models/XT.MDL <- entities case [cycler]",
                            "gfx/Logo.TGA <- entities missing [env_glow]")); // after a ;
    EXPECT_EQ(r.entries[3].reason, "not a studio model");
    EXPECT_THAT(game::text_report(r),
                IsSupersetOf({"  missing: sound/kaboom.WAV (named by ambient_generic \"boom1\", "
                              "env_sprite, ambient_generic and 2 more)",
                              "  case: models/XT.MDL is spelled models/xT.mdl on the disk",
                              "  unsafe, not looked up: ../up.wav"}));
}

TEST_F(Resolving, NamesTheFallbackAndSurvivesDamagedFiles) {
    mod("liblist.gam", "fallback_dir \"base\"\n");
    put_file(dir.path(), "base/sound/b.wav", "RIFF");
    mod("pak1.pak", "PACK\xff\xff\xff\x7f\x40\0\0\0"s);
    mod("maps/old.bsp", std::string(600, 'x'));
    auto folder = game();
    EXPECT_THAT(folder.warnings(), ElementsAre(HasSubstr("pak1.pak: damaged at offset")));
    // A map that is not one still resolves its entries; valve comes last after base.
    const auto r =
        game::Resolver(folder, {})
            .resolve(dir.file("cstrike/maps/old.bsp"), {"sound/b.wav", "sprites/s.spr"}, true);
    EXPECT_EQ(listed(r.entries[0]) + ", " + listed(r.entries[1]),
              "sound/b.wav <- map stock, sprites/s.spr <- map stock");
    EXPECT_THAT(r.warnings, Contains("entity text not read: not a map of version 29 or 30"));

    mod("liblist.gam", "fallback_dir \"../../etc\"\n");
    EXPECT_THAT(game().warnings(),
                ElementsAre(HasSubstr("pak1.pak"), HasSubstr("liblist.gam: line at offset 0")));
    EXPECT_THROW(game::GameFolder(dir.path() / "nothing"), std::runtime_error);
}

TEST(NameRules, WarnOfWhatClientsAndTheServerRefuse) {
    const char* outside = "holds bytes outside printable ASCII, which break the download";
    const char* dots = "more than one dot in the path: clients refuse to download it";
    const struct {
        const char* name;
        std::string entry;
        std::vector<std::string> warnings;
    } table[] = {
        // clang-format off
        {"63 characters", "sound/" + std::string(53, 'a') + ".wav", {}},
        {"64 characters", "sound/" + std::string(54, 'a') + ".wav",
         {"64 characters, longer than the 63 the engine holds in a resource name"}},
        {"word breaks", "sound/a b(c){d}'e,f.wav",
         {"holds a space, '(', ')', '{', '}', ''', ',', at which the server splits a .res line "
          "into words"}},
        {"control byte", "sound/a\tb.wav", {outside}},
        {"high byte", "sound/caf\xE9.wav", {outside}},
        {"fits", "sound/v_1/ok_name-1.wav", {}},
        // The download filter's own examples.
        {"backslash", "models\\terror.mdl",
         {"holds a backslash: the server drops the .res word, and clients refuse to download it"}},
        {"tilde", "file~.mdl", {"holds '~': clients refuse to download it"}},
        {"a dot at the end", "file.wav.",
         {dots, "an extension of 0 characters: clients download only files with one of three"}},
        {"a program's extension inside", "file.dll.txt",
         {dots, "holds .dll inside: the original server drops a .res word that holds it anywhere"}},
        {"the game's package", "Xeno.wad", {"names xeno.wad: clients refuse to download it"}},
        {"a setting file", "cfg/x.CFG", {"a .cfg file: clients refuse to download it and the "
                                         "original server drops the .res word"}},
        {"two dots together", "sound/a..wav",
         {"holds '..': the server drops the .res word, and clients refuse to download it", dots}},
        {"a leading slash", "/sound/a.wav", {"starts with '/': clients refuse to download it"}},
        // clang-format on
    };
    for (const auto& row : table)
        EXPECT_EQ(game::name_warnings(row.entry), row.warnings) << row.name;
}

TEST_F(Resolving, WarnsWhereADeepWadMustGoAndThatAMissingKeyWadStopsTheServer) {
    mod("wads/Deep.wad", wad_bytes({"x"}));
    mod("maps/de_foo.bsp", map_with_textures(R"({"wad" "\cs\deep.wad;\cs\gone.wad"})", {}));
    const auto folder = game();
    auto r = game::Resolver(folder, {})
                 .resolve(dir.file("cstrike/maps/de_foo.bsp"), {"deep.wad", "gone.wad"}, false);
    // Places are written with forward slashes on every system.
    const auto mod_folder = (dir.path() / "cstrike").generic_string();
    const auto stops = "the map's wad key names it: a server without it stops at the map's start";
    EXPECT_THAT(r.entries[0].warnings,
                ElementsAre(HasSubstr("lies at " + mod_folder + "/wads/Deep.wad and must go to " +
                                      mod_folder + "/deep.wad"),
                            stops));
    EXPECT_THAT(r.entries[1].warnings, ElementsAre(stops));
}

// A server copy without valve/: what a clean game ships is known all the same.
TEST(ServerCopy, KnowsWhatTheGameShipsWithoutValve) {
    const TempDir dir;
    put_file(dir.path(), "cstrike/wads/deep.wad", wad_bytes({"x"}));
    put_file(dir.path(), "dod/liblist.gam", "game \"DoD\"\n");
    const game::GameFolder cstrike(dir.path() / "cstrike"), dod(dir.path() / "dod");
    const struct {
        const game::GameFolder& game;
        const char* entry;
        game::Status status;
    } table[] = {
        {cstrike, "de_plaka.wad", game::Status::missing},
        {cstrike, "deep.wad", game::Status::missing}, // a copy lying deeper does not count
        {cstrike, "GFX.wad", game::Status::stock},
        {cstrike, "spraypaint.wad", game::Status::stock},
        {cstrike, "models/w_ak47.mdl", game::Status::stock},
        {cstrike, "sound/weapons/ak47-1.wav", game::Status::stock},
        {cstrike, "sound/mine.wav", game::Status::unchecked},
        {dod, "models/w_ak47.mdl", game::Status::unchecked},
    };
    for (const auto& row : table)
        EXPECT_EQ(game::Resolver(row.game, {}, true).look_up(row.entry, {}).status, row.status)
            << row.entry;
}

game::Outcome outcome(std::string entry, game::Status status, game::From from = {}) {
    game::Outcome o;
    o.entry = std::move(entry);
    o.status = status;
    o.from = std::move(from);
    return o;
}

// The limits line up to the message's bytes, which the engine rows do not set.
std::string counted(game::MapResolution r, game::Engine engine, std::string mod = "valve") {
    game::count_limits(r, {engine, std::move(mod),
                           Lines{"maps/de_x.bsp", "maps/de_x.res", "mine.wad", "models/x.mdl",
                                 "sound/a.wav", "gfx/env/nightbk.tga"},
                           nullptr});
    const auto line = game::text_report(r)[1];
    return line.substr(0, line.find(',', line.find(" resources of")));
}

TEST(Limits, CountWhatEachEngineCounts) {
    game::MapResolution r;
    r.map = "/srv/cstrike/maps/de_x.bsp";
    r.brush_models = 10; // the world and *1 … *9
    r.named_inline_models = 2;
    r.wad_key = {"mine.wad", "halflife.wad"};
    using S = game::Status;
    r.entries = {outcome("mine.wad", S::found),
                 outcome("halflife.wad", S::stock),
                 outcome("gfx/env/nightbk.tga", S::found),
                 outcome("maps/de_x.txt", S::found),
                 outcome("models/x.mdl", S::found),
                 outcome("models/X.MDL", S::case_mismatch),
                 outcome("models/xT.mdl", S::found, game::From::needed_by("models/x.mdl")),
                 outcome("sound/a.wav", S::found),
                 outcome("sound/weapons/ak47-1.wav", S::stock, game::From::entities())};
    // HLDS: every inline model; every .res word a generic slot. ReHLDS: the inline models
    // named; the map's sky, packages, description and T model its own generic; a .res word
    // already a model or a sound none.
    EXPECT_EQ(counted(r, game::Engine::hlds),
              "  limits: 11 models of 510, 2 sounds of 511, 6 generic of 511, 0 events of 255, "
              "0 decals of 511, 19 resources of 1280");
    EXPECT_EQ(counted(r, game::Engine::rehlds),
              "  limits: 4 models of 510, 2 sounds of 511, 5 generic of 4096, 0 events of 255, "
              "0 decals of 511, 11 resources of 4096");
    // In cstrike the game's share comes first, and its weapon's sound takes no slot again;
    // the game code precaches the map's description.
    EXPECT_EQ(counted(r, game::Engine::hlds, "cstrike"),
              "  limits: 180 models of 510, 305 sounds of 511, 12 generic of 511, 29 events of "
              "255, 225 decals of 511, 751 resources of 1280");
    // A map without a description of its own has the server's maps/default.txt, if any.
    auto plain = r;
    std::erase_if(plain.entries, [](const auto& o) { return o.entry == "maps/de_x.txt"; });
    for (const bool with_default : {false, true}) {
        game::count_limits(plain, {game::Engine::hlds, "cstrike", {}, nullptr, with_default});
        EXPECT_EQ(plain.limits[2].count, with_default ? 6u : 5u) << with_default;
    }
    game::count_limits(r, {game::Engine::rehlds, "valve", {}, nullptr});
    std::vector<std::string> sent;
    for (const auto& o : r.entries)
        if (o.engine_sends) sent.push_back(o.entry);
    EXPECT_THAT(sent,
                ElementsAre("mine.wad", "gfx/env/nightbk.tga", "maps/de_x.txt", "models/xT.mdl"));
    EXPECT_EQ(game::engine_named("ReHLDS"), game::Engine::rehlds);
    EXPECT_EQ(game::engine_named("xash"), std::nullopt);
}

TEST(Limits, TheGamesOwnShare) {
    const struct {
        const char* mod;
        bool hostages;
        std::array<std::size_t, game::table_count>
            counts; // models, sounds, generic, events, decals
    } table[] = {
        {"cstrike", false, {169, 304, 5, 29, 225}},
        // The scientist model and five sounds; its smoke sprite the game has already.
        {"cstrike", true, {170, 309, 5, 29, 225}},
        {"CZero", false, {171, 304, 5, 29, 225}},
    };
    for (const auto& row : table) {
        const auto share = game::game_share(row.mod, row.hostages);
        ASSERT_TRUE(share) << row.mod;
        for (std::size_t t = 0; t < game::table_count; ++t)
            EXPECT_EQ(share->count(static_cast<game::Table>(t)), row.counts[t]) << row.mod << t;
    }
    EXPECT_FALSE(game::game_share("valve", false));
    EXPECT_TRUE(game::game_precaches("MODELS\\W_AK47.MDL"));
    EXPECT_TRUE(game::game_precaches("sound/weapons/ak47-1.wav"));
    EXPECT_FALSE(game::game_precaches("weapons/ak47-1.wav"));
}

std::string changed(std::string bytes, std::size_t at, std::int32_t v) {
    set_int32(bytes, at, static_cast<std::uint32_t>(v));
    return bytes;
}

TEST(Formats, ReadWhatSoundFilesHold) {
    EXPECT_THAT(game::read_wad_names(MemorySource(wad_bytes({"A", "sixteen_chars_xx"}))),
                ElementsAre("A", "sixteen_chars_xx"));
    const auto model = game::read_studio_model(MemorySource(studio_model_bytes(
        {false,
         {"models\\Guy01.mdl", "models\\guy02.mdl"},
         {{5004, "a/s.wav"}, {1004, "B.wav"}, {1008, "c.wav"}, {5004, "A/S.wav"}, {5001, "x"}}})));
    EXPECT_THAT(game::model_needs("models/Guy.mdl", model),
                ElementsAre("models/GuyT.mdl", "models/Guy01.mdl", "models/guy02.mdl",
                            "sound/a/s.wav", "sound/B.wav", "sound/c.wav"));

    // The references of a map's entity text are as many as the scan's list may hold.
    std::string many = "{";
    for (std::size_t i = 0; i <= game::max_entity_references; ++i)
        many += "\"model\" \"x.mdl\" ";
    const auto named = game::entity_references(many + "}");
    EXPECT_TRUE(named.cut);
    EXPECT_EQ(named.references.size(), game::max_entity_references);

    // Words, four to a record, whatever the lines.
    EXPECT_THAT(game::read_detail_textures("// c\r\nwall01 detail/brick 1 1\nsolo\n"
                                           "\tfloor \"detail/brick\" 2 2\rmetal m 1 1"),
                ElementsAre("gfx/detail/brick.tga", "gfx/floor.tga", "gfx/metal.tga"));

    // A damaged part of a map leaves its error and the other parts are still read.
    const auto parts = map_with_textures(R"({"classname" "worldspawn"})", {{"a", false}}, 3);
    const auto damaged = game::read_bsp_map(MemorySource(changed(parts, 20, 1 << 20)));
    EXPECT_THAT(damaged.entity_text, HasSubstr("worldspawn"));
    EXPECT_THAT(damaged.textures_error.value_or(""), HasSubstr("damaged at offset"));
    EXPECT_EQ(damaged.brush_models, 3u);
    EXPECT_FALSE(damaged.entity_error || damaged.models_error);
}

// Steam's list of libraries with a path `depth` blocks deep.
std::string nested(std::size_t depth) {
    std::string open, close;
    for (std::size_t i = 0; i < depth; ++i)
        open += "\"b\" {", close += "}";
    return open + R"("path" "/deep")" + close;
}

struct Damage {
    const char* name;
    std::function<void()> read;
    const char* message;
};

TEST(Formats, RefuseForeignAndDamagedFiles) {
    const auto map = map_with_textures("{}", {{"a", false}});
    const auto wad = wad_bytes({"a", "b"});
    const auto pak = pak_bytes({{"x", "abc"}});
    const auto model = studio_model_bytes({true, {}, {{5004, "a.wav"}}});
    // Two sequences that share one event table larger than half the file.
    auto twice =
        studio_model_bytes({true, {}, std::vector(20, std::pair<int, std::string>{5004, "a.wav"})});
    set_int32(twice, 164, 2);
    set_int32(twice, 168, static_cast<std::uint32_t>(twice.size()));
    twice += twice.substr(244, 176) + twice.substr(244, 176);
    auto huge = map;
    huge.resize(game::max_entity_text + 200, ' ');
    auto bsp = [](std::string b) { return [b] { game::read_bsp_textures(MemorySource(b)); }; };
    auto ent = [](std::string b) { return [b] { game::read_bsp_entity_text(MemorySource(b)); }; };
    auto wad_of = [](std::string b) { return [b] { game::read_wad_names(MemorySource(b)); }; };
    auto pak_of = [](std::string b) { return [b] { game::read_pak_directory(MemorySource(b)); }; };
    auto mdl = [](std::string b) { return [b] { game::read_studio_model(MemorySource(b)); }; };
    auto vdf = [](std::string text) { return [text] { game::read_library_folders(text); }; };
    auto listing = [](std::string text) { return [text] { game::read_server_listing(text); }; };
    std::string many_sounds;
    for (int i = 0; i <= 4096; ++i)
        many_sounds += "1 1 a.wav\n";
    const Damage table[] = {
        {"bsp of version 31", bsp(changed(map, 0, 31)), "not a map of version 29 or 30"},
        {"bsp texture lump past the end", bsp(changed(map, 20, 1 << 20)), "damaged at offset"},
        {"bsp texture count too large", bsp(changed(map, 127, 1000)), "a texture count of 1000"},
        {"bsp texture outside the lump", bsp(changed(map, 131, 400)), "outside the texture lump"},
        {"bsp entity lump too large", ent(changed(huge, 8, game::max_entity_text + 1)),
         "more than the 4194304 read"},
        {"wad of another kind", wad_of("WAD1" + wad.substr(4)), "not a WAD2 or WAD3"},
        {"wad negative count", wad_of(changed(wad, 4, -1)), "a negative count"},
        {"wad directory past the end", wad_of(changed(wad, 8, 40)), "damaged at offset 40"},
        {"pak too short", pak_of("PACK"), "not a pack file"},
        {"pak odd directory length", pak_of(changed(pak, 8, 63)), "directory length of 63"},
        {"pak entry outside the file", pak_of(changed(pak, 15 + 56, 1000)),
         "lies outside the file"},
        {"pak negative directory offset", pak_of(changed(pak, 4, -64)), "negative offset"},
        {"mdl foreign", mdl("IDPO" + model.substr(4)), "not a studio model"},
        {"mdl version 6", mdl(changed(model, 4, 6)), "version 10"},
        {"mdl events past the end", mdl(changed(model, 244 + 52, 5000)), "damaged at offset 5000"},
        {"mdl 17 sequence groups", mdl(changed(model, 172, 17)), "17 sequence groups"},
        {"mdl events read over and over", mdl(twice), "event tables overlap"},
        {"liblist fallback up a folder", [] { game::read_fallback_dir("fallback_dir \"..\""); },
         "not a folder name"},
        {"vdf 17 blocks deep", vdf(nested(17)), "offset 84: blocks nested deeper than 16"},
        {"vdf string not closed", vdf(R"("libraryfolders" { "0" { "path" "C:\\Ste)"),
         "offset 32: a string is not closed"},
        {"vdf block not closed", vdf(R"("libraryfolders" { "0" { "path" "/x" })"),
         "offset 38: a block is not closed"},
        {"vdf key without a value", vdf(R"("libraryfolders" { "path" })"), "\"path\" has no value"},
        {"vdf too many closed", vdf(R"("1" "/x" })"), "offset 9: a \"}\" that closes no block"},
        {"listing of neither kind", listing("Type : Total Limit\n"),
         "line 1: neither a rescount table nor a reslist listing"},
        {"listing of no table", listing("reslist model\n1 1 a.mdl\n] reslist\n"),
         "line 3: reslist of no table the server has: \"\""},
        {"listing before its table", listing("\n  1 1 a.mdl\n"),
         "line 2: a resource before any reslist line says its table"},
        {"listing without a name", listing("reslist sound\r\n1. (3)\r\n"),
         "line 2: not a reslist line: its number, index and name"},
        {"listing of a long name", listing("reslist sound\n1 1 " + std::string(64, 'a')),
         "line 2: a name longer than the 63 characters"},
        {"listing longer than the engine's list", listing("reslist sound\n" + many_sounds),
         "line 4098: more resources of one table than the 4096 the engine holds"},
        {"rescount without a total", listing("model : x 510\n"),
         "line 1: a rescount row of model without its total"},
        {"rescount twice", listing("sound : 1 511\nsound : 2 511\n"),
         "line 2: a second total of sound"},
    };
    for (const auto& row : table) {
        try {
            row.read();
            ADD_FAILURE() << row.name << ": read without an error";
        } catch (const FormatError& e) {
            EXPECT_THAT(e.what(), ::testing::HasSubstr(row.message)) << row.name;
        }
    }
}

TEST(LibraryFolders, ReadsEveryLibraryOnce) {
    // The older form, numbered values only; today's is read by the test below.
    EXPECT_EQ(game::read_library_folders(
                  "// old\r\n\"LibraryFolders\"\n{\n\t\"TimeNextStatsReport\"\t\"17\"\n"
                  "\t\"1\"\t\t\"D:\\\\SteamLibrary\"\n\t\"2\" /mnt/games\n}\n"),
              (Lines{R"(D:\SteamLibrary)", "/mnt/games"}));
    // Escapes undone, case ignored, each once, a BOM and the apps' numbered values passed over.
    EXPECT_EQ(game::read_library_folders("\xEF\xBB\xBF"
                                         R"("libraryfolders" { "0" { "PATH" "/a \"b\"\\c\q")"
                                         R"( "apps" { "70" "1" } } "1" "/a \"b\"\\c\q" "2" "" })"),
              Lines{R"(/a "b"\c\q)"});
    EXPECT_EQ(game::read_library_folders(nested(16)), Lines{"/deep"});
}

TEST(SteamLibraries, FindTheModInTheRootOrALibraryItsListNames) {
    const TempDir dir;
    const auto root = dir.path() / "steam";
    const auto library = dir.path() / "library";
    put_file(root, "SteamApps/common/Half-Life/valve/liblist.gam", "");
    put_file(library, "steamapps/common/Half-Life/cstrike/liblist.gam", "");
    const auto list = [&](const std::string& text) {
        put_file(root, "steamapps/libraryfolders.vdf", text);
    };
    list(R"("libraryfolders" { "0" { "path" "relative" } "1" { "path" ")" +
         analysis::utf8_of(library) + "\" } }");

    const std::vector roots{dir.path() / "none", root};
    const auto finds = [&](std::string_view mod, const std::filesystem::path& folder) {
        const auto found = game::find_steam_mod(roots, mod);
        return found && std::filesystem::equivalent(*found, folder);
    };
    EXPECT_TRUE(finds("cstrike", library / "steamapps/common/Half-Life/cstrike"));
    EXPECT_EQ(game::find_steam_mod(roots, "czero"), std::nullopt);
    // A damaged list is passed over, the root itself still looked in.
    list(R"("libraryfolders" { "1" { "path" ")" + analysis::utf8_of(library));
    EXPECT_EQ(game::find_steam_mod(roots, "cstrike"), std::nullopt);
    EXPECT_TRUE(finds("valve", root / "SteamApps/common/Half-Life/valve"));
}

TEST(ResReading, ReadsWordsAsTheServerDoes) {
    std::string many;
    for (std::size_t i = 0; i < game::res_line_limit + 10; ++i)
        many += "x.wad\n";
    const std::string mib(game::res_read_limit, 'a');
    const struct {
        const char* name;
        std::string bytes;
        Lines words;
    } table[] = {
        {"CR LF, //, blanks", "// c\r\n\r\n  a.bsp \t\r\nx.wad\r\n", {"a.bsp", "x.wad"}},
        {"several words, quoted, a comment after a word",
         "sound/a.wav // door\r\n\"sound/b c.wav\"x.wad,y.wad\r(z):w//v\n",
         {"sound/a.wav", "sound/b c.wav", "x.wad", "y.wad", "(", "z", ")", ":", "w//v"}},
        {"bytes from 0x80 up separate", "sound/caf\xC3\xA9.wav", {"sound/caf", ".wav"}},
        {"UTF-8 BOM skipped", "\xEF\xBB\xBF"s + "a.wad", {"a.wad"}},
        {"NUL ends the text", "a.wad\r\n\0\0b.wad\n"s, {"a.wad"}},
        {"an empty word ends the reading", "a.wad \"\" b.wad", {"a.wad"}},
        // Only so much of a file is read, and only so many words kept.
        {"1 MiB read", mib + "a", {mib}},
        {"4,096 words kept", many, Lines(game::res_line_limit, "x.wad")},
    };
    for (const auto& row : table)
        EXPECT_EQ(game::read_res_text(row.bytes).lines, row.words) << row.name;
    EXPECT_EQ(game::read_res_text(many).count(), game::res_line_limit + 10);
}

} // namespace
} // namespace tarnwick::testing
