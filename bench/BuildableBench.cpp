// The buildability check of the 80x40 card against the rebuild pass that
// derives its faces, timed side by side in one run so that their ratio does
// not depend on the machine's load between runs.
#include <benchmark/benchmark.h>

#include <chrono>
#include <random>

#include "model/CellGrid.h"
#include "model/GridSheet.h"
#include "model/RebuildPass.h"
#include "model/buildable/BuildableCheck.h"
#include "../tests/support/CardBuilder.h"

namespace {

void BM_BuildableCheckAgainstRebuildPass(benchmark::State& state) {
    pw::CellGrid g;
    std::mt19937 rng(5);
    pw::test::RandomCard(g, rng, 82, 41);
    const pw::BuildableLimits limits{1.0, 0.3, true};
    double rebuildSeconds = 0, checkSeconds = 0;
    using Clock = std::chrono::steady_clock;
    for (auto _ : state) {
        g.MarkColumnsDirty(1, g.gridWidth - 2);
        g.gridChanged = true;
        const auto t0 = Clock::now();
        pw::RunRebuildPass(g);
        const auto t1 = Clock::now();
        // 2.5 mm cells: the 80-column card printed on A3.
        const pw::BuildableReport report = pw::CheckBuildable(pw::DeriveGridSheet(g), 2.5, limits);
        const auto t2 = Clock::now();
        benchmark::DoNotOptimize(report.findings.size());
        rebuildSeconds += std::chrono::duration<double>(t1 - t0).count();
        checkSeconds += std::chrono::duration<double>(t2 - t1).count();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["rebuild_ms"] = rebuildSeconds / n * 1e3;
    state.counters["check_ms"] = checkSeconds / n * 1e3;
    state.counters["check_per_rebuild"] = checkSeconds / rebuildSeconds;
    state.SetLabel("80x40");
}
BENCHMARK(BM_BuildableCheckAgainstRebuildPass)->Unit(benchmark::kMillisecond);

}  // namespace
