// The download folder's sync for 200 maps of the generated game folder: a run with nothing
// to do (target: under 0.3 s), and the first run into an empty folder beside `cp -r` of the
// same files (target: no slower than 1.5 times it, the `ratio` counter). The requests are made
// once: what is timed is the sync, as a real run makes it: the folder locked, each file
// flushed to disk and journaled before it is renamed in.
//
// Each first run and each copy goes to a folder of its own, and nothing is deleted while the
// benchmark runs: ext4 passes over inodes freed in the last half minute when it makes a file,
// so files made just after thousands were deleted cost many times what they do otherwise,
// and by how much depends on where the deleted ones lay. Even so, on a disk the figures follow
// whatever else deleted files a moment before (a build, a test run); on a memory file system
// (TMPDIR=/dev/shm) they are steady, and they are the program's own cost beside cp's.

#include "game/audit.h"
#include "game/game_folder.h"
#include "game/resolver.h"
#include "generated_game.h"
#include "server/manifest.h"
#include "server/requests.h"
#include "server/sync.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <functional>

namespace {

namespace fs = std::filesystem;
using namespace tarnwick;

constexpr int maps = 200;

// Every file of the tree a day old, as on a site that was not touched in the last moments.
void age(const fs::path& root) {
    const auto then = fs::file_time_type::clock::now() - std::chrono::hours(24);
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file()) fs::last_write_time(entry.path(), then);
}

struct Server {
    Server() : game(maps), folder(game.mod()) {
        const game::Resolver resolver(folder, {});
        for (const auto& map : game.all_maps()) {
            const auto resolution = resolver.resolve(map.path, map.entries, true);
            const auto res = game::read_res_file(map.path.substr(0, map.path.size() - 4) + ".res");
            requests.push_back(server::map_requests({folder, resolution, stock, &*res, {}}));
        }
        age(game.mod().parent_path());
    }
    fs::path scratch(const std::string& name) const { return game.mod().parent_path() / name; }

    testing::GeneratedGame game;
    game::GameFolder folder;
    game::NameSet stock;
    std::vector<server::MapRequests> requests;
};

const Server& server_of_200_maps() {
    static const Server made;
    return made;
}

void BM_SyncNothingToDo200Maps(benchmark::State& state) {
    const auto& s = server_of_200_maps();
    const auto site = s.scratch("site-kept");
    server::sync_download_folder(s.requests, {site});
    age(site);
    // Read once more: the files were placed a moment ago, so their stamps were not trusted.
    server::sync_download_folder(s.requests, {site});
    std::size_t unchanged = 0;
    for (auto _ : state) {
        const auto result = server::sync_download_folder(s.requests, {site});
        if (!result.added.empty() || !result.replaced.empty()) state.SkipWithError("copied");
        unchanged = result.unchanged.size();
    }
    state.counters["files"] = static_cast<double>(unchanged);
}

BENCHMARK(BM_SyncNothingToDo200Maps)->Unit(benchmark::kMillisecond);

double seconds_of(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The first sync and cp -r of the same files, one right after the other in each run, the
// first of the two taking turns: whatever the file system is going through weighs on both.
// The time is the sync's; `ratio` is the sync's over cp's.
void BM_FirstSyncBesideCpR200Maps(benchmark::State& state) {
    const auto& s = server_of_200_maps();
    const auto laid = s.scratch("laid-out");
    server::sync_download_folder(s.requests, {laid});
    fs::remove(laid / std::string(server::manifest_name));
    static int runs = 0;
    double sync_time = 0, cp_time = 0;
    std::size_t added = 0;
    for (auto _ : state) {
        const auto run = std::to_string(++runs);
        const auto site = s.scratch("site-first-" + run);
        const auto command =
            "cp -r '" + laid.string() + "' '" + s.scratch("copy-" + run).string() + "'";
        double synced = 0, copied = 0;
        const auto sync = [&] {
            synced = seconds_of(
                [&] { added = server::sync_download_folder(s.requests, {site}).added.size(); });
        };
        const auto copy = [&] {
            copied = seconds_of([&] {
                if (std::system(command.c_str()) != 0) state.SkipWithError("cp -r failed");
            });
        };
        if (runs % 2)
            sync(), copy();
        else
            copy(), sync();
        state.SetIterationTime(synced);
        sync_time += synced;
        cp_time += copied;
    }
    state.counters["files"] = static_cast<double>(added);
    state.counters["cp_ms"] = 1000 * cp_time / static_cast<double>(state.iterations());
    state.counters["ratio"] = sync_time / cp_time;
}

BENCHMARK(BM_FirstSyncBesideCpR200Maps)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2)
    ->UseManualTime();

} // namespace

BENCHMARK_MAIN();
