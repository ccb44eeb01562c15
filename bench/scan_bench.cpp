// Throughput of the map scan on generated maps, beside a plain read of the same bytes.

#include "analysis/module1.h"
#include "bsp_shaped_map.h"
#include "synthetic_map.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

namespace {

using namespace tarnwick;

class MapFile {
public:
    explicit MapFile(const std::string& bytes)
        : path_(dir_.file("bench.bsp")), size_(bytes.size()),
          marks_(std::count(bytes.begin(), bytes.end(), '.') +
                 std::count(bytes.begin(), bytes.end(), '"')) {
        testing::write_file(path_, bytes);
    }
    const std::string& path() const { return path_; }
    std::size_t size() const { return size_; }
    // How many bytes there are for each '.' or '"', where every search for a pattern
    // has to look closer.
    double bytes_per_mark() const { return static_cast<double>(size_) / std::max<long>(marks_, 1); }

private:
    testing::TempDir dir_;
    std::string path_;
    std::size_t size_;
    long marks_;
};

const MapFile& realistic_8mb() {
    static const MapFile map(testing::realistic_map(8 << 20));
    return map;
}

// Shaped like a compiled map: a '.' or '"' about every hundred bytes, as in real ones.
const MapFile& bsp_shaped_8mb() {
    static const MapFile map(testing::bsp_shaped_map(8 << 20));
    return map;
}

const MapFile& thirty_thousand_references() {
    static const MapFile map(testing::MapBuilder()
                                 .entities(testing::many_references_entities(30000))
                                 .noise(1 << 16)
                                 .bytes());
    return map;
}

void scan(benchmark::State& state, const MapFile& map) {
    analysis::ResourceList list;
    for (auto _ : state) {
        analysis::RangeProgress progress;
        if (!analysis::scan_map(map.path(), "bench.bsp", list, progress))
            state.SkipWithError("scan failed");
        benchmark::DoNotOptimize(list.count());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * map.size()));
    state.counters["resources"] = list.count();
    state.counters["bytes_per_mark"] = map.bytes_per_mark();
}

void BM_ScanRealistic8MB(benchmark::State& state) {
    scan(state, realistic_8mb());
}
void BM_ScanBspShaped8MB(benchmark::State& state) {
    scan(state, bsp_shaped_8mb());
}
void BM_Scan30000References(benchmark::State& state) {
    scan(state, thirty_thousand_references());
}

// What reading the same bytes costs with nothing done to them.
void read_only(benchmark::State& state, const MapFile& map) {
    const auto buffer = std::make_unique<char[]>(1 << 20);
    for (auto _ : state) {
        std::FILE* f = std::fopen(map.path().c_str(), "rb");
        std::setvbuf(f, nullptr, _IONBF, 0);
        while (std::fread(buffer.get(), 1, 1 << 20, f) > 0)
            benchmark::DoNotOptimize(buffer[0]);
        std::fclose(f);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * map.size()));
}

void BM_ReadOnly8MB(benchmark::State& state) {
    read_only(state, realistic_8mb());
}
void BM_ReadOnlyBspShaped8MB(benchmark::State& state) {
    read_only(state, bsp_shaped_8mb());
}

BENCHMARK(BM_ScanRealistic8MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadOnly8MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanBspShaped8MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadOnlyBspShaped8MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Scan30000References)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
