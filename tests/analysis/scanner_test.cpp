#include "scan_fixture.h"

#include <gmock/gmock.h>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tarnwick::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::string placed(std::size_t size,
                   std::initializer_list<std::pair<std::size_t, std::string_view>> texts) {
    MapBuilder map;
    map.entities("").pad_to(size);
    for (const auto& [at, text] : texts)
        map.put(at, text);
    return map.bytes();
}

TEST_F(ScanTest, ListsWhatTheMapRefersTo) {
    const struct {
        const char* name;
        std::string map;
        std::vector<std::string> entries;
    } rows[] = {
        {"each_kind_with_its_directory_in_front",
         map_with(
             R"({ "classname" "worldspawn" "wad" "\half-life\valve\halflife.wad;\cs\custom.wad" })"
             R"( "wad" "/valve/a.wad;/cs/b.wad" "wad" "c.wad;d.wad")"
             R"( "message" "ambience/wind.wav" "model" "models/props/crate.mdl")"
             R"( "model" "Models/crate.mdl" "model" "sprites/glow.spr" "model" "glow2.spr")"
             R"( "texture" "gfx/x.tga" "texture" "y.tga" "model" "models\de_foo\barrel.mdl")"),
         {"halflife.wad", "custom.wad", "a.wad", "b.wad", "c.wad", "d.wad",
          "sound/ambience/wind.wav", "models/props/crate.mdl", "models/Models/crate.mdl",
          "sprites/glow.spr", "sprites/glow2.spr", "gfx/x.tga", "gfx/y.tga",
          "models/models\\de_foo\\barrel.mdl"}},
        // Whatever their kind: a sky or a sound before a model is listed too.
        {"in_the_order_they_stand",
         map_with(R"("skyname" "desert" "message" "ambience/wind.wav" )"
                  R"("model" "models/props/crate.mdl" "wad" "x.wad")"),
         joined({sky("desert"), {"sound/ambience/wind.wav", "models/props/crate.mdl", "x.wad"}})},
        {"empty_sky", map_with(R"("skyname" "" "skyname" "night")"),
         joined({sky(""), sky("night")})},
        {"two_separators_before_the_sky_read_as_an_empty_name", map_with(R"("skyname"  "cliff")"),
         sky("")},
        {"case_and_what_follows_the_extension",
         map_with(R"("model" "crate.mdlx" "message" "wind.wavs" "wad" ".wad" "model" ".mdl" )"
                  R"("wad" "UP.WAD" "model" "x.Mdl" "SkyName" "sun")"),
         {"models/crate.mdl", "sound/wind.wav", "models/.mdl"}},
        {"bytes_below_32_read_as_spaces",
         map_with("\"wad\" \"\t\n\x1F!\x7F\xE9.wad\""),
         {"   !\x7F\xE9.wad"}},
        {"each_text_once",
         map_with(R"("wad" "a.wad;a.wad;b.wad" "wad" "a.wad" "skyname" "s")"
                  R"( "skyname" "s" "model" "m.mdl" "model" "models/m.mdl")"),
         joined({{"a.wad", "b.wad"}, sky("s"), {"models/m.mdl"}})},
        // "models/p" ends block 3, the rest starts block 4; ".m" | "dl" straddles block 5/6.
        {"a_reference_across_block_borders_once",
         placed(7000,
                {{3055, R"("model" "models/player/vip/vip.mdl")"}, {5120 - 8, R"("crate.mdl")"}}),
         {"models/player/vip/vip.mdl", "models/crate.mdl"}},
        {"a_path_that_runs_to_the_start_of_the_file",
         placed(2000, {{0, "crate.mdl"}}),
         {"models/crate.mdl"}},
        // "des" ends block 2; the value of the second starts beyond block 4.
        {"a_sky_cut_by_the_window_end_taken_from_the_next_window",
         placed(6144, {{2048 - 14, R"("skyname" "desert")"}, {4096 - 9, R"("skyname" "night")"}}),
         joined({sky("desert"), sky("night")})},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto out = scan(row.map);
        ASSERT_TRUE(out.ok) << out.why;
        EXPECT_EQ(out.entries, row.entries);
    }
}

// The bar's range is the length in blocks, rounded half to even; it steps once per block.
TEST_F(ScanTest, StepsTheProgressOncePerBlockUpToItsRoundedCount) {
    const struct {
        std::size_t size;
        std::vector<std::int32_t> values;
    } rows[] = {{513, {0, 1}},     {1536, {0, 1, 2}},    {2048, {0, 1, 2}},
                {2560, {0, 1, 2}}, {3000, {0, 1, 2, 3}}, {3584, {0, 1, 2, 3, 4}}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.size) + " bytes");
        const auto out = scan(MapBuilder().pad_to(row.size).bytes());
        EXPECT_TRUE(out.ok) << out.why;
        EXPECT_THAT(out.progress.maxima, ElementsAre(row.values.back()));
        EXPECT_EQ(out.progress.values, row.values);
    }
}

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
}

TEST_F(ScanTest, FailsOnWhatIsNotAReadableOrdinaryFile) {
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

// What the list held before is gone; what the scan found before the refusal stays.
TEST_F(ScanTest, AProgressTargetThatRefusesAValueEndsTheScanKeepingWhatWasFound) {
    struct Refusing : analysis::RangeProgress {
        using RangeProgress::Value;
        void Value(std::int32_t v) override {
            if (v == 2) throw std::runtime_error("no");
            RangeProgress::Value(v);
        }
    } progress;
    write_file(dir.file("de_foo.bsp"), map_with(R"("wad" "x.wad")", 5000));
    analysis::ResourceList list;
    list.append("left over");
    EXPECT_FALSE(analysis::scan_map(dir.file("de_foo.bsp"), "de_foo.bsp", list, progress));
    EXPECT_THAT(list.entries(), ElementsAre("x.wad"));
}

TEST_F(ScanTest, FailsOnceTheListOutgrowsItsSixteenBitIndex) {
    auto out = scan(map_with(many_references_entities(32767), 0));
    EXPECT_TRUE(out.ok) << out.why;
    EXPECT_EQ(out.entries.size(), 32767u);

    out = scan(map_with(many_references_entities(32769), 0));
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.entries.size(), 32768u);
}

TEST_F(ScanTest, PumpsEventsAtEveryBlockAndEverySearchStep) {
    int pumped = 0;
    const auto out = scan(realistic_map(200000), "de_foo.bsp", [&] { ++pumped; });
    ASSERT_TRUE(out.ok) << out.why;
    EXPECT_EQ(out.entries.front(), "halflife.wad");
    EXPECT_GT(pumped, 2 * 196);
}

} // namespace
} // namespace tarnwick::testing
