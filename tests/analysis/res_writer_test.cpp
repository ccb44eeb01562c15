#include "analysis/module1.h"
#include "analysis/replacement_file.h"
#include "synthetic_map.h"

#include <fstream>
#include <functional>
#include <gmock/gmock.h>
#include <map>
#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tarnwick::testing {
namespace {

namespace fs = std::filesystem;
using analysis::write_res_file;
using ::testing::HasSubstr;

class ResWriterTest : public ::testing::Test {
protected:
    TempDir dir;
};

#ifndef _WIN32
// Files may grow to `bytes` only while it lasts: a write beyond fails as on a full disk.
struct FileSizeLimit {
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN); // a failed write, not the end of the tests
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit small = old;
        small.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old); }
    rlimit old{};
};
#endif

TEST_F(ResWriterTest, WritesTheTwoMapLinesThenEveryEntryWithCrLf) {
    const auto result = write_res_file({"maps/de_foo.txt", "custom.wad", "gfx/env/desertbk.tga",
                                        "sound/ambience/wind.wav", " Spaced UP \xE9\xFF\x80"},
                                       dir.file("de_foo.bsp"));
    ASSERT_TRUE(result) << result.reason;
    EXPECT_EQ(result.destination, dir.file("de_foo.res"));
    EXPECT_EQ(read_file(dir.file("de_foo.res")),
              "maps/de_foo.bsp\r\nmaps/de_foo.res\r\nmaps/de_foo.txt\r\ncustom.wad\r\n"
              "gfx/env/desertbk.tga\r\nsound/ambience/wind.wav\r\n Spaced UP \xE9\xFF\x80\r\n");

    // The shortest name a map can have, and nothing found in it.
    ASSERT_TRUE(write_res_file({}, dir.file(".bsp")));
    EXPECT_EQ(read_file(dir.file(".res")), "maps/.bsp\r\nmaps/.res\r\n");
    EXPECT_EQ(dir.contents().size(), 2u); // no temporary file left
}

#ifndef _WIN32
// Each name in the folder with its kind, links not followed.
std::map<std::string, fs::file_type> kinds(const fs::path& folder) {
    std::map<std::string, fs::file_type> named;
    for (const auto& entry : fs::directory_iterator(folder))
        named[entry.path().filename().string()] = entry.symlink_status().type();
    return named;
}

// A link to a file is written through, the file replaced whole, its permissions kept; a
// link to anything else, and a pipe, are in the way.
TEST_F(ResWriterTest, WritesThroughALinkToAFileOnly) {
    write_file(dir.file("real.res"), std::string(5000, 'x'));
    chmod(dir.file("real.res").c_str(), 0640);
    fs::create_symlink(dir.file("real.res"), dir.file("de_foo.res"));
    ASSERT_EQ(mkfifo(dir.file("pipe").c_str(), 0600), 0);
    ASSERT_EQ(mkfifo(dir.file("d.res").c_str(), 0600), 0);
    fs::create_directory(dir.file("folder"));
    fs::create_symlink(dir.file("pipe"), dir.file("a.res"));
    fs::create_symlink(dir.file("folder"), dir.file("b.res"));
    fs::create_symlink(dir.file("nothing"), dir.file("c.res"));
    const auto before = kinds(dir.path());
    for (const char* map : {"a.bsp", "b.bsp", "c.bsp", "d.bsp"}) {
        const auto result = write_res_file({"x.wad"}, dir.file(map));
        EXPECT_FALSE(result) << map;
        EXPECT_THAT(result.reason, HasSubstr("in the way")) << map;
    }
    ASSERT_TRUE(write_res_file({"a.wad"}, dir.file("de_foo.bsp")));
    EXPECT_EQ(kinds(dir.path()), before); // the link still a link, no temporary file left
    EXPECT_EQ(read_file(dir.file("real.res")), "maps/de_foo.bsp\r\nmaps/de_foo.res\r\na.wad\r\n");
    EXPECT_EQ(fs::status(dir.file("real.res")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}
#endif

TEST_F(ResWriterTest, AFailedWriteSaysWhyAndLeavesTheFolderAsItWas) {
    write_file(dir.file("de_foo.res"), "old contents\r\n");
    fs::create_directory(dir.file("de_bar.res"));
    const auto fails = [&](const std::string& map_path) {
        const auto before = dir.contents();
        const auto result = write_res_file({"a.wad"}, map_path);
        EXPECT_FALSE(result) << map_path;
        EXPECT_FALSE(result.reason.empty()) << map_path;
        EXPECT_EQ(dir.contents(), before) << map_path;
    };
    fails(dir.file("sub/bsp"));            // name too short: not "sub.res" beside "sub"
    fails(dir.file("\xD0\xBA.bsp"));       // not single-byte text
    fails(dir.file("de\r\nfoo.bsp"));      // a line break in the .res's lines
    fails("abc");                          // path too short
    fails(dir.file("missing/de_foo.bsp")); // no such folder
    fails(dir.file("de_bar.bsp"));         // a folder in the way
    for (const auto step : {analysis::WriteStep::create, analysis::WriteStep::write,
                            analysis::WriteStep::flush, analysis::WriteStep::rename}) {
        analysis::set_write_fault([step](analysis::WriteStep at, const fs::path&) {
            if (at == step) throw analysis::FileError("injected");
        });
        fails(dir.file("de_foo.bsp"));
        analysis::set_write_fault({});
    }
#ifndef _WIN32
    {
        const FileSizeLimit full(20); // the disk fills up after part of the file
        fails(dir.file("de_foo.bsp"));
        fails(dir.file("de_new.bsp"));
    }
    if (geteuid() != 0) {
        chmod(dir.path().c_str(), 0500);
        fails(dir.file("de_foo.bsp"));
        chmod(dir.path().c_str(), 0700);
    }
#endif
}

// A file and its .gz: both in place, or neither new one (the old .gz never left beside a
// file it does not belong to).
TEST_F(ResWriterTest, AFileAndItsGzipGoInTogetherOrNotAtAll) {
    const auto put = [&](const std::string& bytes) {
        analysis::ReplacementFile file(dir.file("a.bsp")), gz(dir.file("a.bsp.gz"));
        file.write(bytes);
        gz.write(bytes + ".gz");
        analysis::commit_with_gzip(file, gz);
    };
    put("old");
    analysis::set_write_fault([&](analysis::WriteStep at, const fs::path& to) {
        if (at == analysis::WriteStep::rename && to.filename() == "a.bsp")
            throw analysis::FileError("injected");
    });
    EXPECT_THROW(put("new"), analysis::FileError);
    analysis::set_write_fault({});
    EXPECT_EQ(dir.contents(), (std::map<std::string, std::string>{{"a.bsp", "old"}}));
    put("new");
    EXPECT_EQ(dir.contents(),
              (std::map<std::string, std::string>{{"a.bsp", "new"}, {"a.bsp.gz", "new.gz"}}));
}

#ifndef _WIN32
// Placed through its open folder, a file lands as by its whole path: in place of nothing
// or of a file; never over a folder or a link to nothing, which stay as they were.
TEST_F(ResWriterTest, ThroughItsOpenFolderAFileLandsAsByItsPath) {
    const std::vector<std::pair<const char*, std::function<void(const fs::path&)>>> cases = {
        {"nothing", [](const fs::path&) {}},
        {"a file", [](const fs::path& at) { std::ofstream(at) << "old"; }},
        {"a folder", [](const fs::path& at) { fs::create_directory(at); }},
        {"a link to nothing", [](const fs::path& at) { fs::create_symlink("gone", at); }},
    };
    const auto folder = analysis::os::open_folder(dir.path());
    ASSERT_NE(folder, analysis::os::no_handle);
    for (const auto& [name, lay] : cases) {
        SCOPED_TRACE(name);
        const auto at = dir.file("a.txt");
        lay(at);
        const auto before = fs::symlink_status(at).type();
        bool placed = true;
        try {
            analysis::ReplacementFile file(at,
                                           {analysis::os::Hidden::refused, false, true, folder});
            file.write("new");
            file.commit();
        } catch (const analysis::ReplaceError&) {
            placed = false;
        }
        const bool in_the_way =
            before == fs::file_type::directory || before == fs::file_type::symlink;
        EXPECT_EQ(placed, !in_the_way);
        EXPECT_EQ(fs::symlink_status(at).type(), placed ? fs::file_type::regular : before);
        if (placed) {
            EXPECT_EQ(dir.contents().at("a.txt"), "new");
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 1) << "nothing beside";
        fs::remove_all(at);
    }
    analysis::os::close_file(folder);
}
#endif

} // namespace
} // namespace tarnwick::testing
