// How the main costs grow with the card: the same operations on cards of
// 16 by 8, 80 by 40 (the largest the settings allow), 160 by 80 and 320 by
// 160 cells. A card of w by h has w + 2 columns and extent h + 1, as File New
// makes it. Each card is a random relief with tunnels.
#include <benchmark/benchmark.h>

#include <random>
#include <sstream>
#include <string>

#include "edit/EditOperations.h"
#include "edit/EditedCard.h"
#include "model/AppSettings.h"
#include "model/CardFile.h"
#include "model/RebuildPass.h"
#include "output/DxfWriter.h"
#include "output/LineSurface.h"
#include "output/UnfoldedPattern.h"
#include "model/KeptGridSheet.h"
#include "view3d/CardGeometry.h"
#include "view3d/CardRenderer.h"
#include "../tests/support/CardBuilder.h"
#include "../tests/support/RecordingSink.h"

namespace {

void CardSizes(benchmark::internal::Benchmark* b) {
    b->Args({16, 8})->Args({80, 40})->Args({160, 80})->Args({320, 160});
}

// A random card of the state's size, its faces rebuilt.
void MakeCard(pw::CellGrid& g, const benchmark::State& state, unsigned seed) {
    std::mt19937 rng(seed);
    pw::test::RandomCard(g, rng, static_cast<int>(state.range(0)) + 2, static_cast<int>(state.range(1)) + 1);
    pw::RunRebuildPass(g);
}

void Describe(benchmark::State& state, const pw::CellGrid& g) {
    state.SetLabel(std::to_string(state.range(0)) + "x" + std::to_string(state.range(1)));
    state.counters["grid_bytes"] = static_cast<double>(g.CellCount());
}

// File New: the flat card and the first frame's rebuild of every column.
void BM_NewCardAndRebuild(benchmark::State& state) {
    pw::CellGrid g;
    for (auto _ : state) {
        g.NewCard(static_cast<int>(state.range(0)) + 2, static_cast<int>(state.range(1)) + 1);
        pw::RunRebuildPass(g);
        benchmark::DoNotOptimize(g.Data());
    }
    Describe(state, g);
}
BENCHMARK(BM_NewCardAndRebuild)->Apply(CardSizes)->Unit(benchmark::kMicrosecond);

// One key press's work before drawing: a raise or a lower of a 2 by 2 square
// in the middle of the card, then the rebuild pass over the dirty columns.
void BM_EditAndRebuildPass(benchmark::State& state) {
    pw::EditedCard model;
    MakeCard(model.grid, state, 3);
    pw::AppSettings settings;
    settings.sound.on = 0;
    model.edit.cursorSize = 2;
    pw::EditOperations ops(model, settings, nullptr);
    const int column = model.grid.gridWidth / 2;
    const int row = 1 + (model.grid.gridHeight - 4) / 2;
    bool raise = true;
    for (auto _ : state) {
        if (raise)
            ops.RaiseArea(column, row);
        else
            ops.LowerArea(column, row);
        raise = !raise;
        pw::RunRebuildPass(model.grid);
    }
    Describe(state, model.grid);
}
BENCHMARK(BM_EditAndRebuildPass)->Apply(CardSizes)->Unit(benchmark::kMicrosecond);

// The 3D view's geometry of a rebuilt card derived from nothing, as after
// File New, opening a card or switching the grid display.
void BM_DeriveGeometry(benchmark::State& state) {
    pw::CellGrid g;
    MakeCard(g, state, 4);
    pw::AppSettings settings;
    std::size_t bytes = 0;
    pw::KeptGridSheet sheet;
    sheet.Update(g, false);
    for (auto _ : state) {
        pw::CardGeometry geometry;
        geometry.Update(g, sheet, settings);
        bytes = geometry.ArrayBytes();
        benchmark::DoNotOptimize(geometry.Blocks().data());
    }
    Describe(state, g);
    state.counters["array_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_DeriveGeometry)->Apply(CardSizes)->Unit(benchmark::kMicrosecond);

// One 3D frame of a rebuilt card replayed as single calls into a recording sink.
void BM_DrawFrame(benchmark::State& state) {
    pw::EditedCard model;
    MakeCard(model.grid, state, 4);
    pw::AppSettings settings;
    pw::CardRenderer renderer(model, settings);
    pw::test::RecordingSink sink;
    renderer.DrawFrame(sink);
    for (auto _ : state) {
        sink.calls.clear();
        renderer.DrawFrame(sink);
        benchmark::DoNotOptimize(sink.calls.data());
    }
    Describe(state, model.grid);
    state.counters["primitives"] = static_cast<double>(sink.calls.size());
}
BENCHMARK(BM_DrawFrame)->Apply(CardSizes)->Unit(benchmark::kMicrosecond);

void BM_WriteCard(benchmark::State& state) {
    pw::CellGrid g;
    MakeCard(g, state, 5);
    for (auto _ : state) {
        std::ostringstream out;
        pw::WriteCard(out, g);
        benchmark::DoNotOptimize(out.str().size());
    }
    Describe(state, g);
}
BENCHMARK(BM_WriteCard)->Apply(CardSizes)->Unit(benchmark::kMicrosecond);

void BM_ReadCard(benchmark::State& state) {
    pw::CellGrid g;
    MakeCard(g, state, 6);
    std::ostringstream out;
    pw::WriteCard(out, g);
    const std::string text = out.str();
    for (auto _ : state) {
        std::istringstream in(text);
        pw::CellGrid read;
        if (!pw::ParseCard(in, read)) state.SkipWithError("card does not read back");
        benchmark::DoNotOptimize(read.Data());
    }
    Describe(state, g);
    state.counters["file_bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_ReadCard)->Apply(CardSizes)->Unit(benchmark::kMicrosecond);

// Takes the lines and nothing else: the drawing's own cost.
class CountingSurface : public pw::LineSurface {
public:
    using LineSurface::CreatePen;
    pw::PenHandle CreatePen(pw::PenStyle, int, int, int, int) override { return ++pens; }
    pw::PenHandle SelectPen(pw::PenHandle) override { return 0; }
    void MoveTo(int x, int) override { sum += x; }
    void LineTo(int, int y) override { sum += y; }
    void DeletePen(pw::PenHandle) override {}
    pw::PenHandle pens = 0;
    long long sum = 0;
};

void BM_UnfoldedPattern(benchmark::State& state) {
    pw::CellGrid g;
    MakeCard(g, state, 7);
    for (auto _ : state) {
        CountingSurface s;
        pw::DrawUnfoldedPattern(s, g, 0, 20, 440, 4, 4);
        benchmark::DoNotOptimize(s.sum);
    }
    Describe(state, g);
}
BENCHMARK(BM_UnfoldedPattern)->Apply(CardSizes)->Unit(benchmark::kMicrosecond);

void BM_DxfFile(benchmark::State& state) {
    pw::CellGrid g;
    MakeCard(g, state, 8);
    for (auto _ : state) {
        std::ostringstream out;
        pw::WriteDxf(out, g);
        benchmark::DoNotOptimize(out.str().size());
    }
    Describe(state, g);
}
BENCHMARK(BM_DxfFile)->Apply(CardSizes)->Unit(benchmark::kMicrosecond);

}  // namespace
