// Analysing a map in the window, progress window and repaints included, beside the bare
// scan of the same map.

#include "analysis/module1.h"
#include "app/form1.h"
#include "scripted_dialogs.h"
#include "synthetic_map.h"

#include <QApplication>
#include <QListWidget>
#include <benchmark/benchmark.h>

namespace {

using namespace tarnwick;

struct Map {
    testing::TempDir dir;
    std::string path = dir.file("de_bench.bsp");
    std::size_t size = 4 << 20;
    Map() { testing::write_file(path, testing::realistic_map(size)); }
};

const Map& four_megabytes() {
    static const Map map;
    return map;
}

void BM_AnalyseInWindow4MB(benchmark::State& state) {
    const auto& map = four_megabytes();
    testing::ScriptedDialogs dialogs;
    platform::Services services;
    services.dialogs = &dialogs;
    services.cursor_pos = [] { return QPoint(); };
    services.pump_events = platform::throttled_event_pump();
    services.end_process = [] {};
    app::Form1 form(services);
    form.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        dialogs.files.push_back({QString::fromStdString(map.path), QStringLiteral("de_bench.bsp")});
        form.browse_map();
        if (form.List1->count() == 0) state.SkipWithError("nothing listed");
        QCoreApplication::processEvents(); // what the window shows afterwards
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * map.size));
}

void BM_BareScan4MB(benchmark::State& state) {
    const auto& map = four_megabytes();
    analysis::ResourceList list;
    for (auto _ : state) {
        analysis::RangeProgress progress;
        if (!analysis::scan_map(map.path, "de_bench.bsp", list, progress))
            state.SkipWithError("scan failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * map.size));
}

BENCHMARK(BM_AnalyseInWindow4MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareScan4MB)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
