// The probe of a download site: 2,000 files of the generated game folder asked for from a
// local nginx serving that folder, and judged against the server's copies. The target is
// under 3 s for the whole; the argument is the number of requests at once (1: one after
// the other, for comparison). Then the same files from a site that takes connections and
// never answers: under 30 s at the client's own timeout of 15 s for each request.

#include "generated_game.h"
#include "server/probe.h"
#include "web_server.h"

#include <algorithm>
#include <benchmark/benchmark.h>

namespace {

using namespace tarnwick;

constexpr std::size_t probed_files = 2000;

std::vector<server::ProbeFile> files_of(const std::filesystem::path& mod) {
    std::vector<server::ProbeFile> files;
    for (const auto& e : std::filesystem::recursive_directory_iterator(mod))
        if (e.is_regular_file())
            files.push_back({e.path().lexically_relative(mod).generic_string(), e.path()});
    std::sort(files.begin(), files.end(),
              [](const auto& a, const auto& b) { return a.entry < b.entry; });
    files.resize(std::min(files.size(), probed_files));
    return files;
}

void BM_Probe2000Files(benchmark::State& state) {
    const auto& generated = testing::generated_game();
    const auto files = files_of(generated.mod());
    const testing::WebServer web(generated.mod());
    const auto client = server::make_http_client({.parallel = static_cast<int>(state.range(0))});
    std::size_t ok = 0;
    for (auto _ : state) {
        const auto results = server::probe(*client, web.url(), files);
        ok = std::count_if(results.begin(), results.end(),
                           [](const auto& r) { return r.verdict == server::Verdict::ok; });
        benchmark::DoNotOptimize(ok);
    }
    if (ok != files.size()) state.SkipWithError("a file was not ok");
    state.counters["files"] = static_cast<double>(files.size());
}

BENCHMARK(BM_Probe2000Files)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond)->UseRealTime();

// The argument is each request's timeout in milliseconds: 15000 is the client's own.
void BM_ProbeDeadSite2000Files(benchmark::State& state) {
    const auto files = files_of(testing::generated_game().mod());
    const testing::DeadSite dead;
    const auto client =
        server::make_http_client({.timeout = std::chrono::milliseconds(state.range(0))});
    std::size_t errors = 0;
    for (auto _ : state) {
        const auto results = server::probe(*client, dead.url(), files);
        errors = std::count_if(results.begin(), results.end(),
                               [](const auto& r) { return r.verdict == server::Verdict::error; });
        benchmark::DoNotOptimize(errors);
    }
    if (errors != files.size()) state.SkipWithError("a file was answered");
    state.counters["files"] = static_cast<double>(files.size());
}

BENCHMARK(BM_ProbeDeadSite2000Files)
    ->Arg(1000)
    ->Arg(15000)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

} // namespace

BENCHMARK_MAIN();
