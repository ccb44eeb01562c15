// Steam's list of its libraries read from made text, and the game found in a library that
// the list names, on a small installation made by the test.

#include "analysis/file_system.h"
#include "game/formats/byte_source.h"
#include "game/formats/library_folders.h"
#include "game/steam.h"
#include "synthetic_game.h"
#include "synthetic_map.h"

#include <gmock/gmock.h>

namespace tarnwick::testing {
namespace {

using Paths = std::vector<std::string>;

std::string nested(std::size_t depth) {
    std::string text;
    for (std::size_t i = 0; i < depth; ++i)
        text += "\"b\" {";
    text += R"("path" "/deep")";
    for (std::size_t i = 0; i < depth; ++i)
        text += "}";
    return text;
}

TEST(LibraryFolders, ReadsEveryLibraryOnceOrSaysWhereTheTextIsDamaged) {
    const struct {
        const char* name;
        std::string text;
        Paths paths;            // when read
        const char* error = ""; // else what the error says
    } table[] = {
        {"today's form, the apps left out",
         "\xEF\xBB\xBF"
         R"("libraryfolders" { "0" { "path" "C:\\Program Files (x86)\\Steam")"
         R"( "label" "" "apps" { "70" "1" "10" "2" } } "1" { "path" "D:\\Games" } })",
         {R"(C:\Program Files (x86)\Steam)", R"(D:\Games)"}},
        {"the older form, numbered values only",
         "// old\r\n\"LibraryFolders\"\n{\n\t\"TimeNextStatsReport\"\t\"17\"\n"
         "\t\"1\"\t\t\"D:\\\\SteamLibrary\"\n\t\"2\" /mnt/games\n}\n",
         {R"(D:\SteamLibrary)", "/mnt/games"}},
        {"escapes undone, case ignored, each once",
         R"("libraryfolders" { "0" { "PATH" "/a \"b\"\\c\q" } "1" "/a \"b\"\\c\q" "2" "" })",
         {R"(/a "b"\c\q)"}},
        {"16 blocks deep", nested(16), {"/deep"}},
        {"17 blocks deep", nested(17), {}, "offset 84: blocks nested deeper than 16"},
        {"string not closed",
         R"("libraryfolders" { "0" { "path" "C:\\Ste)",
         {},
         "offset 32: a string is not closed"},
        {"block not closed",
         R"("libraryfolders" { "0" { "path" "/x" })",
         {},
         "offset 38: a block is not closed"},
        {"key without a value", R"("libraryfolders" { "path" })", {}, "\"path\" has no value"},
        {"too many closed", R"("1" "/x" })", {}, "offset 9: a \"}\" that closes no block"},
    };
    for (const auto& row : table) {
        try {
            EXPECT_EQ(game::read_library_folders(row.text), row.paths) << row.name;
            EXPECT_STREQ(row.error, "") << row.name << ": read without an error";
        } catch (const game::FormatError& e) {
            EXPECT_THAT(e.what(), ::testing::HasSubstr(row.error)) << row.name;
            EXPECT_STRNE(row.error, "") << row.name << ": " << e.what();
        }
    }
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

    // Found at that folder, spelled as the disk has it or not.
    const std::vector roots{dir.path() / "none", root};
    const auto finds = [&](std::string_view mod, const std::filesystem::path& folder) {
        const auto found = game::find_steam_mod(roots, mod);
        return found && std::filesystem::equivalent(*found, folder);
    };
    EXPECT_TRUE(finds("cstrike", library / "steamapps/common/Half-Life/cstrike"));
    EXPECT_TRUE(finds("valve", root / "SteamApps/common/Half-Life/valve"));
    EXPECT_EQ(game::find_steam_mod(roots, "czero"), std::nullopt);
    // A damaged list is passed over, the root itself still looked in.
    list(R"("libraryfolders" { "1" { "path" ")" + analysis::utf8_of(library));
    EXPECT_EQ(game::find_steam_mod(roots, "cstrike"), std::nullopt);
    EXPECT_TRUE(finds("valve", root / "SteamApps/common/Half-Life/valve"));
}

} // namespace
} // namespace tarnwick::testing
