// How the file services behave on Windows, where files are hidden, made system files
// or read-only by their attributes, and an open file may be locked against others.

#include "analysis/file_system.h"
#include "scan_fixture.h"

#include <gmock/gmock.h>
#include <windows.h>

namespace tarnwick::testing {
namespace {

using ::testing::HasSubstr;

void set_attributes(const std::string& path, DWORD attributes) {
    ASSERT_TRUE(SetFileAttributesW(utf8_path(path).c_str(), attributes)) << path;
}

using WindowsFiles = ScanTest;

TEST_F(WindowsFiles, OnlyOrdinaryFilesThatAreNeitherHiddenNorSystemFilesExist) {
    using analysis::plain_file_exists;
    const struct {
        const char* name;
        DWORD attributes;
        bool counts;
    } files[] = {{"plain.txt", FILE_ATTRIBUTE_NORMAL, true},
                 {"read-only.txt", FILE_ATTRIBUTE_READONLY, true},
                 {"hidden.txt", FILE_ATTRIBUTE_HIDDEN, false},
                 {"system.txt", FILE_ATTRIBUTE_SYSTEM, false}};
    for (const auto& f : files) {
        write_file(dir.file(f.name), "about");
        set_attributes(dir.file(f.name), f.attributes);
        EXPECT_EQ(plain_file_exists(dir.file(f.name)), f.counts) << f.name;
    }
    std::filesystem::create_directory(dir.file("folder.txt"));
    EXPECT_FALSE(plain_file_exists(dir.file("folder.txt")));
    EXPECT_FALSE(plain_file_exists(dir.file("missing.txt")));
    EXPECT_FALSE(plain_file_exists("NUL"));
    EXPECT_EQ(analysis::file_name_of("C:\\cs\\cstrike\\maps/de_foo.bsp"), "de_foo.bsp");
    EXPECT_EQ(analysis::file_name_of("C:de_foo.bsp"), "de_foo.bsp");
}

TEST_F(WindowsFiles, ReplacesAResFileInOneStepAndLeavesOneItMayNotReplaceAsItWas) {
    const auto res = dir.file("de_foo.res");
    const auto write = [&] { return analysis::write_res_file({"a.wad"}, dir.file("de_foo.bsp")); };

    // Written twice, the file is replaced whole and shows as an ordinary file each time:
    // the temporary it was written as is hidden until it takes the old file's place.
    write_file(res, std::string(5000, 'x'));
    ASSERT_TRUE(write());
    ASSERT_TRUE(write());
    EXPECT_TRUE(analysis::plain_file_exists(res));
    EXPECT_EQ(dir.contents(),
              (std::map<std::string, std::string>{
                  {"de_foo.res", "maps/de_foo.bsp\r\nmaps/de_foo.res\r\na.wad\r\n"}}));

    write_file(res, "old\r\n");
    const auto before = dir.contents();
    const auto refused = [&](DWORD attributes, const char* why) {
        set_attributes(res, attributes);
        const auto result = write();
        set_attributes(res, FILE_ATTRIBUTE_NORMAL);
        EXPECT_FALSE(result) << why;
        EXPECT_THAT(result.reason, HasSubstr(why));
        EXPECT_EQ(dir.contents(), before) << why;
    };
    refused(FILE_ATTRIBUTE_READONLY, "read-only");
    refused(FILE_ATTRIBUTE_HIDDEN, "hidden");
    refused(FILE_ATTRIBUTE_SYSTEM, "system");

    // Another program holds the file open without sharing it.
    const HANDLE holder = CreateFileW(utf8_path(res).c_str(), GENERIC_READ, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    const auto result = write();
    CloseHandle(holder);
    EXPECT_FALSE(result);
    EXPECT_THAT(result.reason, HasSubstr("cannot replace"));
    EXPECT_EQ(dir.contents(), before);
}

} // namespace
} // namespace tarnwick::testing
