// Cost of deriving the faces: RebuildColumn over every column of a card.
#include <benchmark/benchmark.h>

#include <random>

#include "model/CellGrid.h"
#include "model/ClosingCheck.h"
#include "model/KeptGridSheet.h"
#include "model/RebuildPass.h"
#include "../tests/support/CardBuilder.h"

namespace {

void BM_RebuildAllColumns(benchmark::State& state) {
    const int cardWidth = static_cast<int>(state.range(0));
    const int cardHeight = static_cast<int>(state.range(1));
    pw::CellGrid g;
    std::mt19937 rng(5);
    pw::test::RandomCard(g, rng, cardWidth + 2, cardHeight + 1);
    for (auto _ : state) {
        for (int x = 1; x <= g.gridWidth - 2; ++x) g.RebuildColumn(x);
        benchmark::DoNotOptimize(g.Data());
    }
    state.counters["columns"] = cardWidth;
    state.counters["bytes"] = static_cast<double>(g.CellCount());
    state.SetLabel(std::to_string(cardWidth) + "x" + std::to_string(cardHeight));
}
BENCHMARK(BM_RebuildAllColumns)->Args({16, 8})->Args({80, 40})->Args({160, 80})->Args({320, 160})->Unit(benchmark::kMicrosecond);

void BM_RebuildPassAfterOneColumnChange(benchmark::State& state) {
    pw::CellGrid g;
    std::mt19937 rng(6);
    pw::test::RandomCard(g, rng, 82, 41);
    pw::RunRebuildPass(g);
    for (auto _ : state) {
        g.MarkColumnsDirty(40, 1);
        g.gridChanged = true;
        pw::RunRebuildPass(g);
    }
    state.SetLabel("80x40");
}
BENCHMARK(BM_RebuildPassAfterOneColumnChange)->Unit(benchmark::kMicrosecond);

}  // namespace

// The closing check beside the rebuild pass it follows: measuring every
// column of a card (what switching the check on costs once), and the kept
// check after a pass that rebuilt one column.
namespace {

void BM_ClosingCheckAllColumns(benchmark::State& state) {
    const int cardWidth = static_cast<int>(state.range(0));
    const int cardHeight = static_cast<int>(state.range(1));
    pw::CellGrid g;
    std::mt19937 rng(5);
    pw::test::RandomCard(g, rng, cardWidth + 2, cardHeight + 1);
    pw::RunRebuildPass(g);
    for (auto _ : state) benchmark::DoNotOptimize(pw::CheckClosing(g).overhang);
    state.SetLabel(std::to_string(cardWidth) + "x" + std::to_string(cardHeight));
}
BENCHMARK(BM_ClosingCheckAllColumns)->Args({80, 40})->Args({320, 160})->Unit(benchmark::kMicrosecond);

void BM_RebuildPassAfterOneColumnChangeWithClosingCheck(benchmark::State& state) {
    const int cardWidth = static_cast<int>(state.range(0));
    const int cardHeight = static_cast<int>(state.range(1));
    pw::CellGrid g;
    std::mt19937 rng(6);
    pw::test::RandomCard(g, rng, cardWidth + 2, cardHeight + 1);
    pw::RunRebuildPass(g);
    pw::KeptGridSheet sheet;
    sheet.Update(g, false);
    pw::ClosingCheck check;
    check.Update(g, sheet.Current(), sheet.Cells());
    const bool withCheck = state.range(2) != 0;
    for (auto _ : state) {
        g.MarkColumnsDirty(cardWidth / 2, 1);
        g.gridChanged = true;
        pw::RunRebuildPass(g);
        if (withCheck) {
            // The check reads the sheet, which the view keeps after each pass.
            sheet.Update(g, false);
            check.Update(g, sheet.Current(), sheet.Cells());
        }
    }
    state.SetLabel(std::to_string(cardWidth) + "x" + std::to_string(cardHeight) +
                   (withCheck ? ", with closing check" : ", faces only"));
}
BENCHMARK(BM_RebuildPassAfterOneColumnChangeWithClosingCheck)
    ->Args({320, 160, 0})
    ->Args({320, 160, 1})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
