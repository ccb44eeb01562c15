// Resolving maps against a generated game folder of 20,000 files: the folder is listed
// once, then 100 maps of 40 entries each are resolved, followed and their textures checked.
// The target is under 1 s for the whole. The audit does the same and compares each map's
// .res with what it needs.

#include "game/audit.h"
#include "game/game_folder.h"
#include "game/resolver.h"
#include "generated_game.h"

#include <benchmark/benchmark.h>

namespace {

using namespace tarnwick;

using testing::generated_game;

void BM_Resolve100MapsIn20000Files(benchmark::State& state) {
    const auto& generated = generated_game();
    std::size_t outcomes = 0;
    for (auto _ : state) {
        const game::GameFolder folder(generated.mod());
        const game::Resolver resolver(folder, {});
        outcomes = 0;
        for (const auto& map : generated.all_maps())
            outcomes += resolver.resolve(map.path, map.entries, true).entries.size();
        benchmark::DoNotOptimize(outcomes);
    }
    state.counters["entries"] = static_cast<double>(outcomes);
}

BENCHMARK(BM_Resolve100MapsIn20000Files)->Unit(benchmark::kMillisecond);

void BM_Audit100MapsIn20000Files(benchmark::State& state) {
    const auto& generated = generated_game();
    std::size_t findings = 0;
    for (auto _ : state) {
        const game::GameFolder folder(generated.mod());
        const game::Resolver resolver(folder, {});
        findings = 0;
        for (const auto& map : generated.all_maps()) {
            const auto audit = game::audit_map(resolver, resolver.resolve(map.path, map.entries, true));
            findings += audit.extra.size() + audit.lacking.size() + audit.case_lines.size() +
                        audit.missing.size();
        }
        benchmark::DoNotOptimize(findings);
    }
    state.counters["findings"] = static_cast<double>(findings);
}

BENCHMARK(BM_Audit100MapsIn20000Files)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
