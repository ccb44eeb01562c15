// Runs the built tarnwick-res as a user would, in a folder of maps.

#include "run_program.h"
#include "synthetic_map.h"

#include <gmock/gmock.h>
#include <map>
#include <optional>

namespace tarnwick::testing {
namespace {

using ::testing::HasSubstr;

const std::string folder =
    "\xD0\x9A\xD0\xB0\xD1\x80\xD1\x82\xD1\x8B \xE2\x82\xAC\xC3\xBC"; // "Карты €ü"
const std::string cyrillic = "\xD0\xBA\xD0\xB0";                     // "ка"
const std::optional<std::string> none;

struct CliCase {
    const char* name;
    std::string arguments; // UTF-8, and may be "quoted"
    int status;
    std::vector<std::string> says; // each found in what it prints
    // What the folder then holds under these names ("stdout" is what it printed there);
    // nothing for no such file.
    std::map<std::string, std::optional<std::string>> files;
};

class CommandLine : public ::testing::TestWithParam<CliCase> {
protected:
    CommandLine() {
        for (const auto& name : std::vector<std::string>{
                 "de_foo.bsp", "B.BSP", folder + "/d\xC3\xA9_foo.bsp", cyrillic + ".bsp", ".c.bsp",
                 "de_b.bsp", "de_a.bsp", "cs_c.bsp", "de_x.bspx", "maps/b.bsp", "maps/A.BSP",
                 "maps/sub/c.bsp", "maps/sub/deeper/d.Bsp", "maps/sub-x/e.bsp"})
            write_map(name);
        for (const auto& [name, bytes] :
             std::map<std::string, std::string>{{"de_foo.txt", "about"},
                                                {folder + "/d\xC3\xA9_foo.txt", "about"},
                                                {"B.res", "mine"},
                                                {".c.res", "mine"},
                                                {"README", "text"},
                                                {"tiny.bsp", "short"},
                                                {"maps/notes.txt", "text"}})
            write_file(dir.file(name), bytes);
        std::filesystem::create_directories(dir.file("maps/folder.bsp")); // no map
        std::filesystem::create_directories(dir.file("empty/sub"));
    }

    void write_map(const std::string& name) {
        std::filesystem::create_directories(utf8_path(dir.file(name)).parent_path());
        write_file(dir.file(name), MapBuilder()
                                       .entities(R"({"wad" "\cs\halflife.wad;\cs\mine.wad"})"
                                                 R"({"model" "models/x.mdl"})")
                                       .pad_to(3000)
                                       .bytes());
    }

    TempDir dir;
};

TEST_P(CommandLine, Run) {
    const auto& c = GetParam();
    const auto r = run_program(dir, TARNWICK_RES, c.arguments);
    EXPECT_EQ(r.status, c.status) << r.err;
    for (const auto& text : c.says)
        EXPECT_THAT(r.err + r.out, HasSubstr(text));
    for (const auto& [name, bytes] : c.files) {
        const bool exists = std::filesystem::exists(utf8_path(dir.file(name)));
        EXPECT_EQ(exists, bytes.has_value()) << name;
        if (exists && bytes) {
            EXPECT_EQ(read_file(dir.file(name)), *bytes) << name;
        }
    }
}

const std::string all = "halflife.wad\r\nmine.wad\r\nmodels/x.mdl\r\n";
const std::string custom = "mine.wad\r\nmodels/x.mdl\r\n";
const std::string foo = "maps/de_foo.bsp\r\nmaps/de_foo.res\r\nmaps/de_foo.txt\r\n";

// The .res files of `maps`, without a description file, one after the other.
std::string printed(const std::vector<std::string>& maps) {
    std::string out;
    for (const auto& m : maps)
        out += "maps/" + m + "\r\nmaps/" + m.substr(0, m.size() - 4) + ".res\r\n" + all;
    return out;
}

// clang-format off
const std::vector<CliCase> rows = {
    CliCase{"prints_the_res_file", "--stdout de_foo.bsp", 0, {"de_foo.bsp: 4 resources"},
            {{"stdout", foo + all}, {"de_foo.res", none}}},
    CliCase{"writes_beside_each_map_and_keeps_an_existing_file", "--only-custom de_foo.bsp B.BSP",
            0, {"kept the existing"}, {{"de_foo.res", foo + custom}, {"B.res", "mine"}, {"stdout", ""}}},
    CliCase{"overwrites_when_told", "--overwrite B.BSP", 0, {}, {{"B.res", printed({"B.BSP"})}}},
    CliCase{"takes_file_names_in_any_script", "--only-custom \"" + folder + "/d\xC3\xA9_foo.bsp\"", 0,
            {folder + "/d\xC3\xA9_foo.bsp: 3 resources, wrote"},
            {{folder + "/d\xC3\xA9_foo.res",
              "maps/d\xE9_foo.bsp\r\nmaps/d\xE9_foo.res\r\nmaps/d\xE9_foo.txt\r\n" + custom}}},
    // Refused, never written with '?'.
    CliCase{"refuses_a_name_a_res_file_cannot_hold", cyrillic + ".bsp", 1,
            {cyrillic + ".bsp: 3 resources, cannot write"}, {{cyrillic + ".res", none}}},
    CliCase{"reports_maps_that_fail_and_still_does_the_others",
            "README missing.bsp tiny.bsp de_foo.bsp", 1,
            {"README: not a .bsp map", "missing.bsp: cannot read the map", "tiny.bsp: cannot read the map: the file is too small to be a map (512 bytes or fewer)"},
            {{"de_foo.res", foo + all}, {"RE.res", none}, {"tiny.res", none}}},
    CliCase{"no_map", "", 2, {"MAP is required"}, {}},
    CliCase{"unknown_option", "--frobnicate de_foo.bsp", 2, {"--frobnicate"}, {{"de_foo.res", none}}},
    CliCase{"help", "--help", 0, {"Usage: tarnwick-res", "Exit status: 0 when"}, {}},
    CliCase{"version", "--version", 0, {"tarnwick-res 1.5"}, {}},
    CliCase{"takes_the_maps_of_a_folder", "--stdout maps", 0, {},
            {{"stdout", printed({"A.BSP", "b.bsp"})}}},
    CliCase{"and_with_recursive_of_its_subfolders", "--stdout -r maps/", 0, {},
            {{"stdout", printed({"A.BSP", "b.bsp", "c.bsp", "d.Bsp", "e.bsp"})}}},
    CliCase{"reports_a_folder_without_maps", "--stdout empty maps/b.bsp", 1,
            {"empty: no .bsp map in the folder (-r looks"}, {{"stdout", printed({"b.bsp"})}}},
    // The shell expands the patterns on POSIX systems, the program on Windows.
    CliCase{"takes_the_maps_that_a_pattern_matches", "--stdout de_*.bsp ?s_c.bsp", 0, {},
            {{"stdout", printed({"de_a.bsp", "de_b.bsp"}) + foo + all + printed({"cs_c.bsp"})}}},
#ifdef _WIN32
    CliCase{"reports_a_pattern_that_matches_nothing", "--stdout x*.bsp de_a.bsp", 1,
            {"x*.bsp: no file matches"}, {{"stdout", printed({"de_a.bsp"})}}},
    CliCase{"matches_patterns_ignoring_case", "--stdout DE_?.BSP", 0, {},
            {{"stdout", printed({"de_a.bsp", "de_b.bsp"})}}},
#else
    CliCase{"reports_a_pattern_that_matches_nothing", "--stdout x*.bsp de_a.bsp", 1,
            {"x*.bsp: cannot read the map"}, {{"stdout", printed({"de_a.bsp"})}}},
    // A hidden .res is kept too: whatever lies there is someone's.
    CliCase{"keeps_a_hidden_res", "--only-custom .c.bsp", 0, {"kept the existing"},
            {{".c.res", "mine"}}},
#endif
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Rows, CommandLine, ::testing::ValuesIn(rows),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tarnwick::testing
