// Building a free-form card's sheet (GEOS unions and differences over every
// flat) against the 80x40 grid card's full rebuild, timed in one run so the
// ratio holds on any machine (processor time, as the machine may be shared): 50 flats in ten stacks of five steps, their
// sides 5,000 arcs and cubics in all.
#include <benchmark/benchmark.h>

#include <ctime>
#include <random>
#include <string>

#include "model/CellGrid.h"
#include "model/GridSheet.h"
#include "model/RebuildPass.h"
#include "model/freeform/FreeformSheet.h"
#include "../tests/support/CardBuilder.h"

namespace {

constexpr int kSideSegments = 50;

// A step of a stack: a straight bottom and top, the right side 50 cubics
// bulging out, the left side 50 half circles scalloping it.
pw::FreeformFlat Step(double centre, double width, double height, double depth) {
    const double left = centre - width / 2, right = centre + width / 2, rise = height / kSideSegments;
    pw::FreeformFlat flat;
    flat.depth = depth;
    pw::SheetPath loop(pw::SheetPoint{left, 0});
    loop.LineTo({right, 0});
    for (int k = 0; k < kSideSegments; ++k) {
        const double z = k * rise;
        loop.CubicTo({right + 0.5, z + rise / 3}, {right + 0.5, z + 2 * rise / 3}, {right, z + rise});
    }
    loop.LineTo({left, height});
    for (int k = kSideSegments; k > 0; --k) loop.ArcAround({left, (k - 0.5) * rise}, 3.141592653589793);
    flat.loops.push_back(loop.Close());
    return flat;
}

pw::FreeformCard FiftyFlats() {
    pw::FreeformCard card;
    card.width = 1000;
    card.half = 200;
    for (int stack = 0; stack < 10; ++stack)
        for (int j = 0; j < 5; ++j) card.flats.push_back(Step(50 + 100 * stack, 80 - 12 * j, 10 + 10 * j, 100 - 15 * j));
    return card;
}

void BM_FreeformSheetAgainstGridRebuild(benchmark::State& state) {
    const pw::FreeformCard card = FiftyFlats();
    pw::CellGrid g;
    std::mt19937 rng(5);
    pw::test::RandomCard(g, rng, 82, 41);
    double freeform = 0, grid = 0;
    const auto now = [] {
        timespec t{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
    };
    for (auto _ : state) {
        const double t0 = now();
        benchmark::DoNotOptimize(pw::BuildFreeformSheet(card).sheet.pieces.size());
        const double t1 = now();
        g.MarkColumnsDirty(1, g.gridWidth - 2);
        g.gridChanged = true;
        pw::RunRebuildPass(g);
        benchmark::DoNotOptimize(pw::DeriveGridSheet(g).pieces.size());
        const double t2 = now();
        freeform += t1 - t0;
        grid += t2 - t1;
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["freeform_ms"] = 1000 * freeform / n;
    state.counters["grid_ms"] = 1000 * grid / n;
    const double ratio = grid > 0 ? freeform / grid : 0;
    state.counters["ratio"] = ratio;
    // scripts/bench.sh shows the label beside the time: the ratio goes in it.
    state.SetLabel("50 flats, 5000 curves; times the 80x40 grid card's full rebuild: " +
                   std::to_string(static_cast<long>(ratio + 0.5)));
}
BENCHMARK(BM_FreeformSheetAgainstGridRebuild)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
