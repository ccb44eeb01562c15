// Runs the built tarnwick-res as a user would.

#include "run_program.h"
#include "synthetic_map.h"

#include <gmock/gmock.h>

namespace tarnwick::testing {
namespace {

using ::testing::HasSubstr;

class CommandLine : public ::testing::Test {
protected:
    // Runs tarnwick-res in the folder; `arguments` are UTF-8 and may be "quoted".
    ProgramRun run(const std::string& arguments) {
        return run_program(dir, TARNWICK_RES, arguments);
    }

    void write_map(const std::string& name) {
        write_file(dir.file(name), MapBuilder()
                                       .entities(R"({"wad" "\cs\halflife.wad;\cs\mine.wad"})"
                                                 R"({"model" "models/x.mdl"})")
                                       .pad_to(3000)
                                       .bytes());
    }

    TempDir dir;
};

TEST_F(CommandLine, PrintsTheResFileAsTheWriterWritesIt) {
    write_map("de_foo.bsp");
    write_file(dir.file("de_foo.txt"), "about");
    const auto r = run("--stdout de_foo.bsp");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "maps/de_foo.bsp\r\nmaps/de_foo.res\r\nmaps/de_foo.txt\r\nhalflife.wad\r\n"
                     "mine.wad\r\nmodels/x.mdl\r\n");
    EXPECT_THAT(r.err, HasSubstr("de_foo.bsp: 4 resources"));
    EXPECT_FALSE(std::filesystem::exists(dir.file("de_foo.res")));

    EXPECT_EQ(
        run("--stdout de_foo.bsp --only-custom").out,
        "maps/de_foo.bsp\r\nmaps/de_foo.res\r\nmaps/de_foo.txt\r\nmine.wad\r\nmodels/x.mdl\r\n");
}

TEST_F(CommandLine, WritesBesideEachMapAndKeepsAnExistingFileUnlessToldOtherwise) {
    write_map("a.bsp");
    write_map("B.BSP");
    write_file(dir.file("B.res"), "mine");
    auto r = run("--only-custom a.bsp B.BSP");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(read_file(dir.file("a.res")),
              "maps/a.bsp\r\nmaps/a.res\r\nmine.wad\r\nmodels/x.mdl\r\n");
    EXPECT_EQ(read_file(dir.file("B.res")), "mine");
    EXPECT_THAT(r.err, HasSubstr("kept the existing"));

    r = run("--overwrite B.BSP");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(read_file(dir.file("B.res")),
              "maps/B.BSP\r\nmaps/B.res\r\nhalflife.wad\r\nmine.wad\r\nmodels/x.mdl\r\n");

#ifndef _WIN32
    // As in the window, a hidden file does not count as one already there.
    write_map(".c.bsp");
    write_file(dir.file(".c.res"), "mine");
    EXPECT_EQ(run("--only-custom .c.bsp").status, 0);
    EXPECT_EQ(read_file(dir.file(".c.res")),
              "maps/.c.bsp\r\nmaps/.c.res\r\nmine.wad\r\nmodels/x.mdl\r\n");
#endif
}

TEST_F(CommandLine, TakesFileNamesInAnyScript) {
    const std::string folder = "\xD0\x9A\xD0\xB0\xD1\x80\xD1\x82\xD1\x8B \xC3\xBC"; // "Карты ü"
    std::filesystem::create_directory(utf8_path(dir.file(folder)));
    write_map(folder + "/d\xC3\xA9_foo.bsp");
    auto r = run("--only-custom \"" + folder + "/d\xC3\xA9_foo.bsp\"");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(read_file(dir.file(folder + "/d\xC3\xA9_foo.res")),
              "maps/d\xE9_foo.bsp\r\nmaps/d\xE9_foo.res\r\nmine.wad\r\nmodels/x.mdl\r\n");
    EXPECT_THAT(r.err, HasSubstr(folder + "/d\xC3\xA9_foo.bsp: 2 resources, wrote"));

    // A map name that a resource file cannot hold is refused, not written with '?'.
    const std::string cyrillic = "\xD0\xBA\xD0\xB0"; // "ка"
    write_map(cyrillic + ".bsp");
    r = run(cyrillic + ".bsp");
    EXPECT_EQ(r.status, 1);
    EXPECT_THAT(r.err, HasSubstr(cyrillic + ".bsp: 3 resources, cannot write"));
    EXPECT_FALSE(std::filesystem::exists(utf8_path(dir.file(cyrillic + ".res"))));
}

TEST_F(CommandLine, ReportsMapsThatFailAndStillDoesTheOthers) {
    write_map("good.bsp");
    write_file(dir.file("README"), "text");
    write_file(dir.file("tiny.bsp"), "short");
    const auto r = run("README missing.bsp tiny.bsp good.bsp");
    EXPECT_EQ(r.status, 1);
    EXPECT_THAT(r.err, HasSubstr("README: not a .bsp map"));
    EXPECT_THAT(r.err, HasSubstr("missing.bsp: cannot read the map"));
    EXPECT_THAT(r.err, HasSubstr("tiny.bsp: cannot read the map: the file is too small to be a "
                                 "map (512 bytes or fewer)"));
    EXPECT_TRUE(std::filesystem::exists(dir.file("good.res")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("RE.res")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("tiny.res")));
}

// The maps whose .res files a --stdout run printed, in order.
std::vector<std::string> printed_maps(const std::string& out) {
    std::vector<std::string> maps;
    std::size_t at = 0;
    for (auto end = out.find("\r\n"); end != std::string::npos; end = out.find("\r\n", at)) {
        const auto line = out.substr(at, end - at);
        if (line.starts_with("maps/") && !line.ends_with(".res") && !line.ends_with(".txt"))
            maps.push_back(line.substr(5));
        at = end + 2;
    }
    return maps;
}

TEST_F(CommandLine, TakesTheMapsOfAFolderAndWithRecursiveOfItsSubfolders) {
    for (const char* map : {"maps/b.bsp", "maps/A.BSP", "maps/sub/c.bsp", "maps/sub/deeper/d.Bsp",
                            "maps/sub-x/e.bsp"}) {
        std::filesystem::create_directories(std::filesystem::path(dir.file(map)).parent_path());
        write_map(map);
    }
    write_file(dir.file("maps/notes.txt"), "text");
    std::filesystem::create_directories(dir.file("maps/folder.bsp")); // no map
    std::filesystem::create_directories(dir.file("empty/sub"));

    const struct {
        const char* arguments;
        int status;
        std::vector<std::string> maps;
        const char* said;
    } cases[] = {
        {"--stdout maps", 0, {"A.BSP", "b.bsp"}, ""},
        {"--stdout -r maps/", 0, {"A.BSP", "b.bsp", "c.bsp", "d.Bsp", "e.bsp"}, ""},
        {"--stdout --recursive maps/sub maps/b.bsp", 0, {"c.bsp", "d.Bsp", "b.bsp"}, ""},
        {"--stdout empty maps/b.bsp", 1, {"b.bsp"}, "empty: no .bsp map in the folder (-r looks"},
        {"--stdout -r empty", 1, {}, "empty: no .bsp map in the folder or its subfolders"},
    };
    for (const auto& c : cases) {
        const auto r = run(c.arguments);
        EXPECT_EQ(r.status, c.status) << c.arguments << '\n' << r.err;
        EXPECT_EQ(printed_maps(r.out), c.maps) << c.arguments;
        EXPECT_THAT(r.err, HasSubstr(c.said)) << c.arguments;
    }
}

// The shell expands the patterns on POSIX systems, the program on Windows.
TEST_F(CommandLine, TakesTheMapsThatAPatternMatches) {
    for (const char* map : {"de_b.bsp", "de_a.bsp", "cs_c.bsp"})
        write_map(map);
    auto r = run("--stdout de_*.bsp ?s_c.bsp");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(printed_maps(r.out), (std::vector<std::string>{"de_a.bsp", "de_b.bsp", "cs_c.bsp"}));

    r = run("--stdout x*.bsp de_a.bsp");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(printed_maps(r.out), std::vector<std::string>{"de_a.bsp"});
#ifdef _WIN32
    EXPECT_THAT(r.err, HasSubstr("x*.bsp: no file matches"));
    r = run("--stdout DE_?.BSP");
    EXPECT_EQ(printed_maps(r.out), (std::vector<std::string>{"de_a.bsp", "de_b.bsp"})) << r.err;
#endif
}

TEST_F(CommandLine, UsageErrorsAndInformation) {
    const auto none = run("");
    EXPECT_EQ(none.status, 2);
    EXPECT_THAT(none.err, HasSubstr("MAP is required"));
    const auto bad = run("--frobnicate x.bsp");
    EXPECT_EQ(bad.status, 2);
    EXPECT_THAT(bad.err, HasSubstr("--frobnicate"));
    const auto help = run("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_THAT(help.out, HasSubstr("Usage: tarnwick-res"));
    EXPECT_THAT(run("--version").out, HasSubstr("tarnwick-res 1.5"));
}

} // namespace
} // namespace tarnwick::testing
