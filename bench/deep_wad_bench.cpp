// A map that names 2,000 texture packages, none of them in the game folder, checked on a
// game folder of 200,000 files: each missing package is looked for lying too deep in a
// folder. The folder is made and listed once; only the map's check is timed. Run it with
//   tarnwick_deep_wad_bench --benchmark_repetitions=5
// and read the median.

#include "analysis/file_system.h"
#include "game/game_folder.h"
#include "game/resolver.h"
#include "synthetic_game.h"
#include "synthetic_map.h"

#include <benchmark/benchmark.h>

namespace {

using namespace tarnwick;

constexpr int folder_files = 200000;
constexpr int packages = 2000;
constexpr int files_a_folder = 500;

struct BigGame {
    BigGame() {
        const auto mod = dir.path() / "cstrike";
        for (int i = 0; i < folder_files; ++i)
            testing::put_file(mod,
                              "sound/f" + std::to_string(i / files_a_folder) + "/s" +
                                  std::to_string(i) + ".wav",
                              "");
        // One package lies too deep, as a map maker's often does.
        testing::put_file(mod, "wads/p0.wad", testing::wad_bytes({}));
        map = analysis::utf8_of(mod / "maps/big.bsp");
        testing::put_file(mod, "maps/big.bsp", testing::map_with_textures("{}", {}));
        for (int i = 0; i < packages; ++i)
            entries.push_back("p" + std::to_string(i) + ".wad");
    }
    testing::TempDir dir;
    std::string map;
    std::vector<std::string> entries;
};

void BM_Check2000PackagesIn200000Files(benchmark::State& state) {
    static const BigGame big;
    const game::GameFolder folder(big.dir.path() / "cstrike");
    const game::Resolver resolver(folder, {});
    std::size_t warnings = 0;
    for (auto _ : state) {
        warnings = resolver.resolve(big.map, big.entries, false).entry_warnings();
        benchmark::DoNotOptimize(warnings);
    }
    state.counters["warnings"] = static_cast<double>(warnings);
}

BENCHMARK(BM_Check2000PackagesIn200000Files)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
