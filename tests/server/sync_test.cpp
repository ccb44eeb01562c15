// The download folder's sync, as scenarios on a scratch folder.

#include "analysis/replacement_file.h"
#include "hide_file.h"
#include "server/manifest.h"
#include "server/placing.h"
#include "server/record.h"
#include "server/sync.h"
#include "server/verdict.h"
#include "synthetic_game.h"
#include "synthetic_map.h"

#include <condition_variable>
#include <gmock/gmock.h>
#include <mutex>
#include <thread>
#ifndef _WIN32
#include <sys/mount.h>
#include <unistd.h>
#endif

namespace tarnwick::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using Paths = std::vector<std::string>;
using namespace std::chrono_literals;
using namespace std::string_literals;
using analysis::WriteStep;

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
    // A few maps of some size, each with a sound, and the site's files they make.
    server::MapRequests scratch_maps(std::size_t size = 3000) {
        server::MapRequests maps{"all", {}, {}};
        for (const auto* name : {"de_a", "de_b", "de_c"}) {
            maps.files.push_back(file("maps/"s + name + ".bsp", std::string(size, name[3])));
            maps.files.push_back(file("sound/"s + name + ".wav", name));
        }
        return maps;
    }
    // Every file under its final name on the site, with its bytes.
    std::map<std::string, std::string> published() const {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(site()))
            if (entry.is_regular_file() && entry.path().filename().string()[0] != '.')
                files[entry.path().lexically_relative(site()).generic_string()] =
                    read_file(entry.path());
        return files;
    }
    // The record (with what its journal adds) names each file on the site as it is there;
    // not strictly: names each, none an orphan.
    void expect_record_matches_site(bool strictly = true) const {
        const auto record = server::read_record(site());
        const auto files = published();
        for (const auto& [path, bytes] : files) {
            const auto found = record.find(path);
            ASSERT_NE(found, record.end()) << path << ": on the site, not in the record";
            if (!strictly) continue;
            EXPECT_EQ(found->second.size, bytes.size()) << path;
            EXPECT_EQ(found->second.hash, server::file_hash(site() / path)) << path;
        }
        for (const auto& [path, placed] : record)
            if (strictly) {
                EXPECT_TRUE(files.count(path)) << path << ": in the record, not on the site";
            }
    }
    // Each file on the site is its source's bytes (gzipped for a .gz).
    void expect_whole(const std::map<std::string, std::string>& files) const {
        for (const auto& [path, bytes] : files) {
            const bool gz = path.ends_with(".gz");
            const auto source =
                dir.path() / "server" / (gz ? path.substr(0, path.size() - 3) : path);
            EXPECT_TRUE((gz ? gunzip(bytes) : bytes) == read_file(source)) << path << " not whole";
        }
    }
    std::string on_site(const std::string& relative) const {
        return read_file((site() / relative).string());
    }
    // The probe's reading of a .gz, checked against zlib's own gzip in its tests.
    static std::string gunzip(const std::string& bytes) {
        return server::gunzip(bytes, 1 << 20).value_or("not gzip");
    }

    TempDir dir;
};

// A run stopped as by a kill: what no handler in the program catches.
struct Killed {};

// The write fault, unset again however the test ends.
struct Fault {
    explicit Fault(analysis::WriteFault fault) { analysis::set_write_fault(std::move(fault)); }
    ~Fault() { analysis::set_write_fault({}); }
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
    const auto kept = sync({a});
    EXPECT_EQ(kept.foreign, (Paths{"maps/de_a.bsp.gz", "maps/de_a.bsp"}));
    EXPECT_FALSE(kept.ok) << "players get other bytes than the server's";
    EXPECT_EQ(on_site("maps/de_a.bsp"), "THEIRS");
    put_file(site(), "maps/de_e.bsp", "E");
    EXPECT_TRUE(sync({{"de_e", {file("maps/de_e.bsp", "E")}, {}}}).ok) << "the same bytes";
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

// Two runs at once: the second is refused at once, naming the first, or with `wait` runs
// when it ends; a reader never sees a file under its final name that is not whole.
TEST_F(Sync, OneRunAtATime) {
    const auto maps = scratch_maps();
    std::mutex mutex;
    std::condition_variable changed;
    bool first_inside = false, let_go = false;
    const Fault fault([&](WriteStep step, const fs::path&) {
        std::unique_lock lock(mutex);
        if (step != WriteStep::rename || first_inside) return;
        first_inside = true;
        changed.notify_all();
        changed.wait_for(lock, 30s, [&] { return let_go; });
    });
    std::atomic<bool> done{false};
    // As a player's web server would: never half a file. On Windows a file being renamed
    // in is held for a moment and cannot be opened then, which serves no file at all.
    std::thread reader([&] {
        while (!done)
            try {
                if (fs::exists(site())) expect_whole(published());
            } catch (const std::exception&) {
            }
    });
    std::thread first([&] { sync({maps}, {.gzip = true}); });
    {
        std::unique_lock lock(mutex);
        EXPECT_TRUE(changed.wait_for(lock, 30s, [&] { return first_inside; }));
    }
    try {
        sync({maps}, {.gzip = true});
        ADD_FAILURE() << "a second run while the first holds the folder";
    } catch (const server::FolderBusy& busy) {
#ifndef _WIN32
        EXPECT_EQ(busy.holder, static_cast<std::uint64_t>(getpid()));
#endif
    }
    server::SyncResult waited;
    std::thread second([&] { waited = sync({maps}, {.gzip = true, .wait = true}); });
    {
        std::lock_guard lock(mutex);
        let_go = true;
    }
    changed.notify_all();
    first.join();
    second.join();
    done = true;
    reader.join();
    EXPECT_EQ(waited.unchanged.size(), 12u);
    expect_whole(published());
    expect_record_matches_site();
}

#ifndef _WIN32
// The lock file removed while a run holds it (Windows keeps a held one from removal): a
// run started then takes the folder, and the first stops before it places or records
// anything more, so that neither publishes the other's half-written file.
TEST_F(Sync, ARunWhoseLockFileIsRemovedStops) {
    const auto maps = scratch_maps();
    server::SyncResult other;
    bool once = false;
    const Fault fault([&](WriteStep step, const fs::path&) {
        if (step != WriteStep::write || std::exchange(once, true)) return;
        fs::remove(site() / std::string(server::lock_name));
        other = sync({maps}, {.gzip = true});
    });
    const auto first = sync({maps}, {.gzip = true});
    EXPECT_FALSE(first.ok);
    EXPECT_THAT(first.record_failure, HasSubstr("lock file was removed"));
    EXPECT_TRUE(other.ok);
    EXPECT_EQ(published().size(), 12u);
    expect_whole(published());
    expect_record_matches_site();
}
#endif

// A run stopped at any step of writing a file, on a first run and a replacing one: every
// file on the site is in the record, and the next run repairs the rest.
TEST_F(Sync, AKilledRunLeavesNoOrphanAndTheNextRepairsAll) {
    for (const bool replacing : {false, true})
        for (const auto step :
             {WriteStep::create, WriteStep::write, WriteStep::flush, WriteStep::rename})
            for (const int at : {1, 4}) {
                fs::remove_all(site());
                auto maps = scratch_maps();
                if (replacing) {
                    sync({maps}, {.gzip = true});
                    maps = scratch_maps(3001);
                }
                int calls = 0;
                {
                    const Fault fault([&](WriteStep now, const fs::path&) {
                        if (now == step && ++calls == at) throw Killed{};
                    });
                    EXPECT_THROW(sync({maps}, {.gzip = true}), Killed);
                }
                SCOPED_TRACE(std::to_string(static_cast<int>(step)) + " " + std::to_string(at));
                // Journaled before its rename, a file stopped there is named with its new
                // bytes: the next run finds the old ones and replaces them.
                expect_record_matches_site(false);
                const auto rerun = sync({maps}, {.gzip = true});
                EXPECT_TRUE(rerun.ok);
                EXPECT_THAT(rerun.foreign, IsEmpty());
                EXPECT_EQ(published().size(), 12u);
                expect_whole(published());
                expect_record_matches_site();
            }
}

// A full disk: a line for each file not placed, a record that names what is there, and
// the next run (with room) places the rest.
TEST_F(Sync, AFullDiskLeavesATrueRecord) {
    const auto maps = scratch_maps();
    int writes = 0;
    {
        const Fault fault([&](WriteStep step, const fs::path&) {
            if (step == WriteStep::write && ++writes > 3)
                throw analysis::FileError("cannot write: No space left on device");
        });
        const auto full = sync({maps}, {.gzip = true});
        EXPECT_FALSE(full.ok);
        std::size_t failed = 0;
        for (const auto& done : full.steps)
            failed += done.outcome == server::Outcome::failed;
        EXPECT_EQ(failed, 6u - published().size() / 2);
    }
    expect_whole(published());
    expect_record_matches_site();
    EXPECT_TRUE(sync({maps}, {.gzip = true}).ok);
    EXPECT_EQ(published().size(), 12u);
    expect_record_matches_site();
}

// A replacement that cannot be renamed in (an unchangeable file, or .gz): the file stays
// as it was, never beside a new .gz; the record says what is there; nothing counted as
// written.
TEST_F(Sync, AFailedReplacementLeavesBothOrNeither) {
    for (const std::string failing : {"de_a.bsp", "de_a.bsp.gz"}) {
        fs::remove_all(site());
        sync({{"de_a", {file("maps/de_a.bsp", "OLD")}, {}}}, {.gzip = true});
        const Fault fault([&](WriteStep step, const fs::path& to) {
            if (step == WriteStep::rename && to.filename() == failing)
                throw analysis::ReplaceError("cannot replace the file: Operation not permitted");
        });
        const auto failed = sync({{"de_a", {file("maps/de_a.bsp", "NEW")}, {}}}, {.gzip = true});
        EXPECT_FALSE(failed.ok) << failing;
        EXPECT_THAT(failed.replaced, IsEmpty()) << failing;
        EXPECT_EQ(failed.bytes, 0u) << failing;
        EXPECT_EQ(on_site("maps/de_a.bsp"), "OLD") << failing;
        if (fs::exists(site() / "maps/de_a.bsp.gz")) {
            EXPECT_EQ(gunzip(on_site("maps/de_a.bsp.gz")), "OLD") << failing;
        }
        expect_record_matches_site();
    }
}

#ifndef _WIN32
TEST_F(Sync, AFullDiskForReal) {
    const auto mount_point = dir.path() / "small";
    fs::create_directories(mount_point);
    if (geteuid() != 0 || ::mount("tmpfs", mount_point.c_str(), "tmpfs", 0, "size=160k") != 0)
        GTEST_SKIP() << "a small file system of its own needs root";
    const auto maps = scratch_maps(100000);
    server::SyncResult full;
    try {
        full = server::sync_download_folder({maps}, {.dir = mount_point / "site", .gzip = true});
    } catch (const std::exception& e) {
        ADD_FAILURE() << e.what();
    }
    EXPECT_FALSE(full.ok);
    fs::create_directory_symlink(mount_point / "site", site());
    expect_whole(published());
    expect_record_matches_site();
    ::umount2(mount_point.c_str(), MNT_DETACH);
}
#endif

// SIGINT or SIGTERM: the file in hand is finished, the record written, nothing more done.
TEST_F(Sync, AStopFinishesTheFileInHand) {
    std::atomic<int> stop{0};
    const Fault fault([&](WriteStep step, const fs::path&) {
        if (step == WriteStep::rename) stop = 15;
    });
    const auto stopped = sync({scratch_maps()}, {.gzip = true, .stop = &stop});
    EXPECT_EQ(stopped.stopped, 15);
    EXPECT_EQ(stopped.added, (Paths{"maps/de_a.bsp", "maps/de_a.bsp.gz"}));
    EXPECT_EQ(stopped.steps.back().outcome, server::Outcome::not_reached);
    EXPECT_FALSE(fs::exists(site() / std::string(server::journal_name)));
    expect_record_matches_site();
}

// A map still being uploaded (written in place, or renamed in when whole) is never
// published cut short or old: tried once more at the end, and not placed when it is still
// changing.
TEST_F(Sync, ASourceThatChangesWhileCopiedIsNotPutInPlace) {
#ifdef _WIN32
    // Windows renames no file over one that is open: the upload's rename fails instead.
    const bool kinds[] = {false};
#else
    const bool kinds[] = {false, true};
#endif
    for (const bool renamed : kinds)
        for (const int changes : {1, 2}) {
            SCOPED_TRACE(std::to_string(renamed) + " " + std::to_string(changes));
            fs::remove_all(site());
            const server::MapRequests map{"de_up", {file("maps/de_up.bsp", "START")}, {}};
            int changed = 0;
            const Fault fault([&](WriteStep step, const fs::path& to) {
                if (step != WriteStep::write || to.filename() != "de_up.bsp" || changed == changes)
                    return;
                ++changed;
                // Growing, as a map being uploaded does: a stamp alone may not move within the
                // same tick on every system.
                const auto source = dir.path() / "server/maps/de_up.bsp";
                const auto written = renamed ? dir.path() / "server/maps/de_up.tmp" : source;
                write_file(written, "START, and more" + std::string(changed, '!'));
                if (renamed) fs::rename(written, source);
            });
            const auto result = sync({map});
            EXPECT_EQ(result.ok, changes == 1);
            EXPECT_EQ(result.steps.front().outcome, server::Outcome::source_changed);
            EXPECT_EQ(result.steps.back().outcome,
                      changes == 1 ? server::Outcome::done : server::Outcome::source_changing);
            if (changes == 1)
                EXPECT_EQ(on_site("maps/de_up.bsp"), "START, and more!");
            else
                EXPECT_FALSE(fs::exists(site() / "maps/de_up.bsp"));
            expect_record_matches_site();
        }
}

#ifndef _WIN32
// A file the server's own user cannot read is never published, even by a run as root.
TEST_F(Sync, NeverPublishesWhatTheServersUserCannotRead) {
    if (geteuid() != 0) GTEST_SKIP() << "a server's user of its own needs root";
    const server::MapRequests map{
        "de_a", {file("maps/de_a.bsp", "A"), file("secret.txt", "PW")}, {}};
    fs::permissions(dir.path() / "server/secret.txt",
                    fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink(dir.path() / "server/secret.txt", dir.path() / "server/maps/de_a.txt");
    const server::Request linked{"maps/de_a.txt", (dir.path() / "server/maps/de_a.txt").string(),
                                 2};
    // A link to a folder on the way: the folders where it leads count too.
    put_file(dir.path(), "locked/shared/hi.wav", "RIFF");
    fs::permissions(dir.path() / "locked", fs::perms::owner_all);
    fs::create_directory_symlink(dir.path() / "locked/shared", dir.path() / "server/shared");
    const server::Request behind{"shared/hi.wav", (dir.path() / "server/shared/hi.wav").string(),
                                 4};
    const server::MapRequests with_link{"de_a", {map.files[0], linked, behind}, {}};
    ASSERT_EQ(chown((dir.path() / "server").c_str(), 65534, 65534), 0);
    const auto result = sync({with_link}, {.mod_folder = dir.path() / "server"});
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.added, Paths{"maps/de_a.bsp"});
    ASSERT_EQ(result.steps.size(), 3u);
    for (const auto i : {1, 2})
        EXPECT_EQ(result.steps[i].step.reason, server::Reason::unreadable) << i;
    EXPECT_FALSE(fs::exists(site() / "maps/de_a.txt"));
    // Placed by a run that did not ask: taken off the site.
    sync({with_link});
    const auto again = sync({with_link}, {.mod_folder = dir.path() / "server"});
    EXPECT_FALSE(again.ok);
    EXPECT_EQ(again.removed, (Paths{"maps/de_a.txt", "shared/hi.wav"}));
    EXPECT_FALSE(fs::exists(site() / "maps/de_a.txt"));
}
#endif

TEST_F(Sync, RefusesADamagedOrForeignRecord) {
    const server::MapRequests a{"de_a", {file("maps/de_a.bsp", "A")}, {}};
    sync({a});
    const auto record = (site() / std::string(server::manifest_name)).string();
    const auto good = read_file(record);
    fs::remove(site() / std::string(server::lock_name));
    const auto journal = (site() / std::string(server::journal_name)).string();
    const auto journaled = std::string(server::journal_header);
    // The record's text, or the journal's after a good record.
    for (const auto& [bad, in_journal] : std::vector<std::pair<std::string, bool>>{
             {"<html>", false},
             {good + "12\tzz\n", false},
             {good + "1\t00000000\t1\t1\t1\t1\t../x\n", false},
             {good.substr(0, good.size() - 3), false},
             {journaled + "-\t../x\n", true},
             {journaled + "+\t12\tzz\n", true}}) {
        write_file(record, in_journal ? good : bad);
        if (in_journal) write_file(journal, bad);
        EXPECT_THROW(sync({}, {.prune = true}), std::runtime_error) << bad;
        EXPECT_EQ(published(), (std::map<std::string, std::string>{{"maps/de_a.bsp", "A"}}));
        EXPECT_FALSE(fs::exists(site() / std::string(server::lock_name)));
    }
}

// A journal cut short by a stop or a full disk, in its header or in its last line, is
// what it names up to there: never a reason to refuse the folder from then on.
TEST_F(Sync, TakesAJournalCutShortAsFarAsItGoes) {
    const server::MapRequests a{"de_a", {file("maps/de_a.bsp", "A")}, {}};
    sync({a});
    const auto journal = (site() / std::string(server::journal_name)).string();
    const auto header = std::string(server::journal_header);
    for (const auto& cut : {std::string(), header.substr(0, 9), header + "+\t1\t"}) {
        write_file(journal, cut);
        const auto again = sync({a}, {.prune = true});
        EXPECT_TRUE(again.ok) << cut;
        EXPECT_EQ(again.unchanged, Paths{"maps/de_a.bsp"}) << cut;
        EXPECT_FALSE(fs::exists(journal)) << cut;
    }
}

} // namespace
} // namespace tarnwick::testing
