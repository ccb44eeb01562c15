// The download folder's sync, as scenarios on a scratch folder.

#include "hide_file.h"
#include "server/manifest.h"
#include "server/sync.h"
#include "server/verdict.h"
#include "synthetic_game.h"
#include "synthetic_map.h"

#include <gmock/gmock.h>

namespace tarnwick::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using Paths = std::vector<std::string>;

class Sync : public ::testing::Test {
protected:
    server::Request file(const std::string& relative, const std::string& bytes) {
        put_file(dir.path() / "server", relative, bytes);
        return {relative, (dir.path() / "server" / relative).string(), bytes.size()};
    }
    server::SyncResult sync(const std::vector<server::MapRequests>& maps,
                            server::SyncOptions options = {}) {
        options.dir = site();
        return server::sync_download_folder(maps, options);
    }
    fs::path site() const { return dir.path() / "site"; }
    std::string on_site(const std::string& relative) const {
        return read_file((site() / relative).string());
    }
    // The probe's reading of a .gz, checked against zlib's own gzip in its tests.
    static std::string gunzip(const std::string& bytes) {
        return server::gunzip(bytes, 1 << 16).value_or("not gzip");
    }

    TempDir dir;
};

TEST_F(Sync, CopiesOnceThenOnlyWhatChanged) {
    const server::MapRequests map{
        "de_a", {file("maps/de_a.bsp", "BSP1"), file("sound/a.wav", "A")}, {}};
    const auto dry = sync({map}, {.dry_run = true, .gzip = true});
    EXPECT_FALSE(fs::exists(site())) << "a dry run writes nothing";
    const auto first = sync({map}, {.gzip = true});
    EXPECT_EQ(first.added,
              (Paths{"maps/de_a.bsp", "maps/de_a.bsp.gz", "sound/a.wav", "sound/a.wav.gz"}));
    EXPECT_EQ(dry.added, first.added);
    EXPECT_EQ(gunzip(on_site("maps/de_a.bsp.gz")), "BSP1");

    const auto second = sync({map}, {.gzip = true});
    EXPECT_EQ(second.bytes, 0u);
    EXPECT_EQ(second.unchanged, first.added);

    // The same size, other bytes: the file and its .gz replaced, and the record with them,
    // though the user hid it.
    hide_file((site() / std::string(server::manifest_name)).string());
    file("maps/de_a.bsp", "BSP2");
    const auto third = sync({map}, {.gzip = true});
    EXPECT_EQ(third.replaced, (Paths{"maps/de_a.bsp", "maps/de_a.bsp.gz"}));
    EXPECT_EQ(on_site("maps/de_a.bsp"), "BSP2");
    EXPECT_EQ(gunzip(on_site("maps/de_a.bsp.gz")), "BSP2");
    // Changed on the site since it was placed: put back.
    write_file((site() / "sound/a.wav").string(), "X");
    EXPECT_EQ(sync({map}, {.gzip = true}).replaced, (Paths{"sound/a.wav", "sound/a.wav.gz"}));
    EXPECT_EQ(on_site("sound/a.wav"), "A");
}

TEST_F(Sync, PrunesOnlyWhatItPlacedForAMapThatLeft) {
    const server::MapRequests a{"de_a", {file("maps/de_a.bsp", "A"), file("sound/s.wav", "S")}, {}};
    const server::MapRequests b{"de_b", {file("maps/de_b.bsp", "B"), file("sound/s.wav", "S")}, {}};
    sync({a, b});
    put_file(site(), "maps/mine.bsp", "FOREIGN");
    const auto kept = sync({a});
    EXPECT_THAT(kept.removed, IsEmpty());
    EXPECT_EQ(kept.unneeded, 1u);
    const auto pruned = sync({a}, {.prune = true});
    EXPECT_EQ(pruned.removed, Paths{"maps/de_b.bsp"});
    EXPECT_TRUE(fs::exists(site() / "sound/s.wav"));
    EXPECT_EQ(on_site("maps/mine.bsp"), "FOREIGN");
}

TEST_F(Sync, KeepsWhatItDidNotPlaceAndNeverWritesThroughALink) {
    put_file(site(), "maps/de_a.bsp", "THEIRS");
    put_file(site(), "maps/de_a.bsp.gz", "OLD");
    const server::MapRequests a{"de_a", {file("maps/de_a.bsp", "OURS")}, {}};
    EXPECT_EQ(sync({a}).foreign, (Paths{"maps/de_a.bsp.gz", "maps/de_a.bsp"}));
    EXPECT_EQ(on_site("maps/de_a.bsp"), "THEIRS");
    EXPECT_EQ(sync({a}, {.overwrite = true}).replaced, Paths{"maps/de_a.bsp"});
    EXPECT_EQ(on_site("maps/de_a.bsp"), "OURS");

    fs::create_directories(dir.path() / "elsewhere");
#ifdef _WIN32
    std::error_code ec;
    fs::create_directory_symlink(dir.path() / "elsewhere", site() / "sound", ec);
    if (ec) GTEST_SKIP() << "links to folders need rights Windows seldom gives, and wine has none";
#else
    fs::create_directory_symlink(dir.path() / "elsewhere", site() / "sound");
#endif
    const server::MapRequests b{"de_b", {file("sound/b.wav", "B")}, {}};
    EXPECT_EQ(sync({b}, {.overwrite = true}).foreign, Paths{"sound/b.wav"});
    EXPECT_TRUE(fs::is_empty(dir.path() / "elsewhere"));

    // A server file linked in from elsewhere is read through its link, as the server reads it.
    const auto linked = dir.path() / "server/maps/de_c.bsp";
    fs::create_symlink(dir.path() / "server/maps/de_a.bsp", linked);
    const server::MapRequests c{"de_c", {{"maps/de_c.bsp", linked.string(), 4}}, {}};
    EXPECT_EQ(sync({c}).added, Paths{"maps/de_c.bsp"});
    EXPECT_EQ(on_site("maps/de_c.bsp"), "OURS");
    EXPECT_EQ(sync({c}).unchanged, Paths{"maps/de_c.bsp"});
}

// What a dry run plans is what the real run then does, each with its reason.
TEST_F(Sync, ADryRunPlansWhatTheRunDoes) {
    const server::MapRequests a{"de_a", {file("maps/de_a.bsp", "A"), file("sound/s.wav", "S")}, {}};
    const server::MapRequests b{"de_b", {file("maps/de_b.bsp", "B")}, {}};
    sync({a, b});
    file("maps/de_a.bsp", "Z");
    write_file((site() / "sound/s.wav").string(), "X");
    write_file((site() / "maps/de_b.bsp").string(), "Y");
    put_file(site(), "maps/de_a.bsp.gz", "OLD");
    put_file(site(), "maps/de_c.bsp", "C");
    put_file(site(), "maps/de_d.bsp", "THEIRS");
    const server::MapRequests cd{
        "de_cd", {file("maps/de_c.bsp", "C"), file("maps/de_d.bsp", "D")}, {}};
    using A = server::Action;
    using R = server::Reason;
    const std::vector<std::tuple<A, R, std::string>> expected{
        {A::keep, R::foreign_gzip, "maps/de_a.bsp.gz"},
        {A::replace, R::changed_at_source, "maps/de_a.bsp"},
        {A::keep, R::same_bytes, "maps/de_c.bsp"},
        {A::keep, R::not_placed, "maps/de_d.bsp"},
        {A::replace, R::changed_on_site, "sound/s.wav"},
        {A::keep, R::changed_since_placed, "maps/de_b.bsp"}};
    for (const bool dry_run : {true, false}) {
        std::vector<std::tuple<A, R, std::string>> steps;
        for (const auto& done : sync({a, cd}, {.prune = true, .dry_run = dry_run}).steps)
            steps.emplace_back(done.step.action, done.step.reason, done.step.path);
        EXPECT_EQ(steps, expected) << dry_run;
    }
    EXPECT_EQ(on_site("maps/de_b.bsp"), "Y");
    EXPECT_THAT(sync({a, cd}, {.prune = true}).removed, IsEmpty()) << "no longer this program's";
}

TEST_F(Sync, RefusesADamagedOrForeignRecord) {
    const server::MapRequests a{"de_a", {file("maps/de_a.bsp", "A")}, {}};
    sync({a});
    const auto record = (site() / std::string(server::manifest_name)).string();
    const auto good = read_file(record);
    for (const auto& bad :
         Paths{"<html>", good + "12\tzz\n", good + "1\t00000000\t1\t1\t1\t1\t../x\n",
               good.substr(0, good.size() - 3)}) {
        write_file(record, bad);
        EXPECT_THROW(sync({}, {.prune = true}), std::runtime_error) << bad;
        EXPECT_EQ(on_site("maps/de_a.bsp"), "A");
    }
}

} // namespace
} // namespace tarnwick::testing
