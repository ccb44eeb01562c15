#include "scan_fixture.h"

#include <gmock/gmock.h>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tarnwick::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

// What the entity text of a map yields, each row one kind of text.
struct TextCase {
    const char* name;
    std::string entities;
    std::vector<std::string> entries;
};

void PrintTo(const TextCase& c, std::ostream* os) {
    *os << c.name;
}

class EntityText : public ScanTest, public ::testing::WithParamInterface<TextCase> {};

TEST_P(EntityText, Yields) {
    const auto out = scan(map_with(GetParam().entities));
    ASSERT_TRUE(out.ok) << out.why;
    EXPECT_EQ(out.entries, GetParam().entries);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, EntityText,
    ::testing::Values(
        TextCase{
            "each_kind_with_its_directory_in_front",
            R"({ "classname" "worldspawn" "wad" "\half-life\valve\halflife.wad;\cs\custom.wad" })"
            R"( "wad" "/valve/a.wad;/cs/b.wad" "wad" "c.wad;d.wad")"
            R"( "message" "ambience/wind.wav" "model" "models/props/crate.mdl")"
            R"( "model" "Models/crate.mdl" "model" "sprites/glow.spr" "model" "glow2.spr")"
            R"( "texture" "gfx/x.tga" "texture" "y.tga" "model" "models\de_foo\barrel.mdl")",
            {"halflife.wad", "custom.wad", "a.wad", "b.wad", "c.wad", "d.wad",
             "sound/ambience/wind.wav", "models/props/crate.mdl", "models/Models/crate.mdl",
             "sprites/glow.spr", "sprites/glow2.spr", "gfx/x.tga", "gfx/y.tga",
             "models/models\\de_foo\\barrel.mdl"}},
        // Whatever their kind: a sky or a sound before a model is listed too.
        TextCase{"in_the_order_they_stand",
                 R"("skyname" "desert" "message" "ambience/wind.wav" )"
                 R"("model" "models/props/crate.mdl" "wad" "x.wad")",
                 joined({sky("desert"),
                         {"sound/ambience/wind.wav", "models/props/crate.mdl", "x.wad"}})},
        TextCase{"empty_sky", R"("skyname" "" "skyname" "night")", joined({sky(""), sky("night")})},
        TextCase{"two_separators_before_the_sky_read_as_an_empty_name", R"("skyname"  "cliff")",
                 sky("")},
        TextCase{"case_and_what_follows_the_extension",
                 R"("model" "crate.mdlx" "message" "wind.wavs" "wad" ".wad" "model" ".mdl" )"
                 R"("wad" "UP.WAD" "model" "x.Mdl" "SkyName" "sun")",
                 {"models/crate.mdl", "sound/wind.wav", "models/.mdl"}},
        TextCase{"bytes_below_32_read_as_spaces",
                 "\"wad\" \"\t\n\x1F!\x7F\xE9.wad\"",
                 {"   !\x7F\xE9.wad"}},
        TextCase{"each_text_once",
                 R"("wad" "a.wad;a.wad;b.wad" "wad" "a.wad" "skyname" "s")"
                 R"( "skyname" "s" "model" "m.mdl" "model" "models/m.mdl")",
                 joined({{"a.wad", "b.wad"}, sky("s"), {"models/m.mdl"}})}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScanTest, FindsReferencesAcrossBlockBordersOnce) {
    // "models/p" ends block 3, the rest starts block 4; ".m" | "dl" straddles block 5/6.
    MapBuilder map;
    map.entities("").pad_to(7000);
    map.put(3055, R"("model" "models/player/vip/vip.mdl")");
    map.put(5120 - 8, R"("crate.mdl")");
    const auto out = scan(map.bytes());
    ASSERT_TRUE(out.ok) << out.why;
    EXPECT_THAT(out.entries, ElementsAre("models/player/vip/vip.mdl", "models/crate.mdl"));
}

TEST_F(ScanTest, KeepsAPathThatRunsToTheStartOfTheFile) {
    const auto out = scan(MapBuilder().append("crate.mdl").pad_to(2000).bytes());
    ASSERT_TRUE(out.ok) << out.why;
    EXPECT_THAT(out.entries, ElementsAre("models/crate.mdl"));
}

TEST_F(ScanTest, TakesASkyNameCutByTheWindowEndFromTheNextWindow) {
    MapBuilder map;
    map.entities("").pad_to(6144);
    map.put(2048 - 14, R"("skyname" "desert")"); // "des" ends block 2
    map.put(4096 - 9, R"("skyname" "night")");   // the value starts beyond block 4
    const auto out = scan(map.bytes());
    ASSERT_TRUE(out.ok) << out.why;
    EXPECT_THAT(out.entries, ElementsAreArray(joined({sky("desert"), sky("night")})));
}

struct BlockCase {
    std::size_t size;
    std::int32_t max;
    std::vector<std::int32_t> values;
};

void PrintTo(const BlockCase& c, std::ostream* os) {
    *os << c.size << " bytes";
}

class BlockArithmetic : public ScanTest, public ::testing::WithParamInterface<BlockCase> {};

TEST_P(BlockArithmetic, StepsTheProgressOncePerBlockUpToItsRoundedCount) {
    const auto& c = GetParam();
    const auto out = scan(MapBuilder().pad_to(c.size).bytes());
    EXPECT_TRUE(out.ok) << out.why;
    EXPECT_THAT(out.progress.maxima, ElementsAre(c.max));
    EXPECT_EQ(out.progress.values, c.values);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, BlockArithmetic,
    ::testing::Values(BlockCase{513, 1, {0, 1}}, BlockCase{1536, 2, {0, 1, 2}},
                      BlockCase{2048, 2, {0, 1, 2}}, BlockCase{2560, 2, {0, 1, 2}},
                      BlockCase{3000, 3, {0, 1, 2, 3}}, BlockCase{3584, 4, {0, 1, 2, 3, 4}}),
    [](const auto& info) { return std::to_string(info.param.size) + "_bytes"; });

TEST_F(ScanTest, MapsOf512BytesOrFewerFailBeforeTheProgressRangeIsSet) {
    write_file(dir.file("de_foo.txt"), "about");
    for (std::size_t size : {0u, 100u, 512u}) {
        const auto out = scan(std::string(size, ' '));
        EXPECT_FALSE(out.ok) << size;
        EXPECT_EQ(out.why, "the file is too small to be a map (512 bytes or fewer)");
        EXPECT_THAT(out.progress.maxima, IsEmpty());
        EXPECT_THAT(out.entries, IsEmpty());
    }
}

TEST_F(ScanTest, DescriptionFileComesFirstWhenAnOrdinaryFileLiesBesideTheMap) {
    write_file(dir.file("de_foo.txt"), "about");
    auto out = scan(map_with(R"("wad" "x.wad")"));
    EXPECT_THAT(out.entries, ElementsAre("maps/de_foo.txt", "x.wad"));

    std::filesystem::create_directory(dir.file("de_bar.txt"));
    out = scan(map_with(R"("wad" "x.wad")"), "de_bar.bsp");
    EXPECT_THAT(out.entries, ElementsAre("x.wad"));

#ifndef _WIN32 // Windows hides by attributes (windows_files_test.cpp)
    write_file(dir.file(".hidden.txt"), "about");
    out = scan(map_with(R"("wad" "x.wad")"), ".hidden.bsp");
    EXPECT_THAT(out.entries, ElementsAre("x.wad"));
#endif

    write_file(dir.file("d\xC3\xA9.txt"), "about");
    out = scan(map_with(""), "d\xC3\xA9.bsp");
    EXPECT_THAT(out.entries, ElementsAre("maps/d\xE9.txt"));
}

TEST_F(ScanTest, FailsOnWhatIsNotAReadableOrdinaryFile) {
    EXPECT_FALSE(scan_file(dir.file("missing.bsp"), "missing.bsp").ok);

    std::filesystem::create_directory(dir.file("folder.bsp"));
    EXPECT_FALSE(scan_file(dir.file("folder.bsp"), "folder.bsp").ok);

#ifndef _WIN32
    ASSERT_EQ(mkfifo(dir.file("pipe.bsp").c_str(), 0600), 0);
    EXPECT_FALSE(scan_file(dir.file("pipe.bsp"), "pipe.bsp").ok);
#endif

    // A name that cannot be cut to its base name, and one the resource text cannot hold.
    write_file(dir.file("\xD0\xBA.txt"), "about");
    EXPECT_FALSE(scan(map_with(""), "\xD0\xBA.bsp").ok);
    EXPECT_FALSE(scan(map_with(""), "a.b").ok);
    EXPECT_TRUE(scan(map_with(""), ".bsp").ok);

#ifndef _WIN32
    if (geteuid() != 0) { // root reads whatever the permissions say
        write_file(dir.file("locked.bsp"), map_with(""));
        chmod(dir.file("locked.bsp").c_str(), 0);
        EXPECT_FALSE(scan_file(dir.file("locked.bsp"), "locked.bsp").ok);
    }
#endif
}

TEST_F(ScanTest, AProgressTargetThatRefusesAValueEndsTheScanKeepingWhatWasFound) {
    struct Refusing : analysis::RangeProgress {
        using RangeProgress::Value;
        void Value(std::int32_t v) override {
            if (v == 2) throw std::runtime_error("no");
            RangeProgress::Value(v);
        }
    } progress;
    write_file(dir.file("de_foo.bsp"), map_with(R"("wad" "x.wad")", 5000));
    analysis::current_map_name = "de_foo.bsp";
    analysis::ResourceList list;
    list.append("left over");
    EXPECT_FALSE(analysis::scan_map(dir.file("de_foo.bsp"), list, progress));
    EXPECT_THAT(list.entries(), ElementsAre("x.wad"));
}

TEST_F(ScanTest, FailsOnceTheListOutgrowsItsSixteenBitIndex) {
    auto out = scan(map_with(many_references_entities(32767), 0));
    EXPECT_TRUE(out.ok) << out.why;
    ASSERT_EQ(out.entries.size(), 32767u);
    EXPECT_EQ(out.entries.front(), "sound/ambience/loop0.wav");
    EXPECT_EQ(out.entries.back(), "sound/ambience/loop32766.wav");

    out = scan(map_with(many_references_entities(32769), 0));
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.entries.size(), 32768u);
}

TEST_F(ScanTest, ScanningAgainStartsFromAnEmptyListAndGivesTheSameList) {
    const auto map = realistic_map(200000);
    write_file(dir.file("de_foo.bsp"), map);
    analysis::current_map_name = "de_foo.bsp";
    analysis::ResourceList list;
    list.append("added by hand.wad");
    RecordingProgress progress;
    int pumped = 0;
    ASSERT_TRUE(analysis::scan_map(dir.file("de_foo.bsp"), list, progress, [&] { ++pumped; }));
    const auto first = list.entries();
    EXPECT_GT(pumped, 2 * 196); // at every block and every search step
    ASSERT_TRUE(analysis::scan_map(dir.file("de_foo.bsp"), list, progress));
    EXPECT_EQ(list.entries(), first);
    EXPECT_EQ(first.front(), "halflife.wad");
    EXPECT_EQ(std::count(first.begin(), first.end(), "added by hand.wad"), 0);
}

} // namespace
} // namespace tarnwick::testing
