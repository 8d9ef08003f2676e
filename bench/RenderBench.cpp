// Cost of one 3D frame of the largest card the settings allow (80 by 40)
// on the processor: replayed as single calls into a recording sink, and as
// the renderer's own work when the sink takes the geometry whole (what the
// OpenGL view does); the rebuild pass that follows one edit; and bringing the
// kept geometry up to date after that edit.
#include <benchmark/benchmark.h>

#include <random>

#include "edit/EditOperations.h"
#include "edit/EditedCard.h"
#include "model/AppSettings.h"
#include "model/GridSheet.h"
#include "model/KeptGridSheet.h"
#include "model/RebuildPass.h"
#include "view3d/CardRenderer.h"
#include "view3d/FoldMap.h"
#include "view3d/SoftwareRenderSink.h"
#include "../tests/support/CardBuilder.h"
#include "../tests/support/RecordingSink.h"

namespace {

void BM_DrawFrame80x40(benchmark::State& state) {
    pw::EditedCard model;
    pw::AppSettings settings;
    settings.view.gridDisplay = static_cast<std::uint8_t>(state.range(0));
    std::mt19937 rng(7);
    pw::test::RandomCard(model.grid, rng, 82, 41);
    pw::CardRenderer renderer(model, settings);
    pw::test::RecordingSink sink;
    renderer.DrawFrame(sink);  // the rebuild pass runs here, not in the loop
    std::size_t calls = 0;
    for (auto _ : state) {
        sink.calls.clear();
        renderer.DrawFrame(sink);
        calls = sink.calls.size();
        benchmark::DoNotOptimize(sink.calls.data());
    }
    state.counters["primitives"] = static_cast<double>(calls);
    state.SetLabel(settings.view.gridDisplay ? "grid display" : "slabs");
}
BENCHMARK(BM_DrawFrame80x40)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Takes the geometry whole and the single calls (the cursor) without drawing:
// what is left is the renderer's own work for a frame.
class DiscardingSink : public pw::RenderSink {
public:
    void State(pw::GlStateOp) override {}
    void ClearColor(const pw::GlColor&) override {}
    void Quad(const pw::GlColor&, const pw::Vertex (&)[4]) override {}
    void LineLoop(const pw::GlColor&, const pw::Vertex (&)[4]) override {}
    void Line(const pw::GlColor&, const pw::Vertex&, const pw::Vertex&) override {}
    void DrawGeometry(const pw::CardGeometry& geometry, const pw::Matrix4&) override { faces += geometry.FaceCount(); }
    std::size_t faces = 0;
};

// A frame after a turn of the camera: nothing is derived.
void BM_FrameWithoutChange80x40(benchmark::State& state) {
    pw::EditedCard model;
    pw::AppSettings settings;
    settings.view.gridDisplay = static_cast<std::uint8_t>(state.range(0));
    std::mt19937 rng(7);
    pw::test::RandomCard(model.grid, rng, 82, 41);
    pw::CardRenderer renderer(model, settings);
    DiscardingSink sink;
    renderer.DrawFrame(sink);
    for (auto _ : state) renderer.DrawFrame(sink);
    benchmark::DoNotOptimize(sink.faces);
    state.SetLabel(settings.view.gridDisplay ? "grid display" : "slabs");
}
BENCHMARK(BM_FrameWithoutChange80x40)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// One raise or lower of a 2x2 square (timed apart), then the frame's work:
// the rebuild pass over the dirty columns and the update of their blocks.
void BM_FrameAfterOneEdit80x40(benchmark::State& state) {
    pw::EditedCard model;
    pw::AppSettings settings;
    settings.sound.on = 0;
    settings.view.gridDisplay = static_cast<std::uint8_t>(state.range(0));
    std::mt19937 rng(8);
    pw::test::RandomCard(model.grid, rng, 82, 41);
    pw::CardRenderer renderer(model, settings);
    DiscardingSink sink;
    renderer.DrawFrame(sink);
    model.edit.cursorSize = 2;
    pw::EditOperations ops(model, settings, nullptr);
    bool raise = true;
    for (auto _ : state) {
        state.PauseTiming();
        if (raise)
            ops.RaiseArea(41, 5);
        else
            ops.LowerArea(41, 5);
        raise = !raise;
        state.ResumeTiming();
        renderer.DrawFrame(sink);
    }
    state.counters["blocks_derived"] = renderer.Geometry().LastUpdate().blocksDerived;
    state.SetLabel(settings.view.gridDisplay ? "grid display" : "slabs");
}
BENCHMARK(BM_FrameAfterOneEdit80x40)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// One raise or lower of a 2x2 square in the middle of the card (timed apart),
// then the pass: two or three dirty columns; with the validity check, the
// kept sheet brought up to date and its marks found again too.
void BM_RebuildPassAfterOneEdit(benchmark::State& state) {
    pw::EditedCard model;
    pw::AppSettings settings;
    settings.sound.on = 0;
    std::mt19937 rng(8);
    pw::test::RandomCard(model.grid, rng, 82, 41);
    pw::RunRebuildPass(model.grid);
    model.edit.cursorSize = 2;
    pw::EditOperations ops(model, settings, nullptr);
    const bool check = state.range(0) != 0;
    pw::KeptGridSheet sheet;
    sheet.Update(model.grid, check);
    bool raise = true;
    for (auto _ : state) {
        state.PauseTiming();
        if (raise)
            ops.RaiseArea(41, 5);
        else
            ops.LowerArea(41, 5);
        raise = !raise;
        state.ResumeTiming();
        pw::RunRebuildPass(model.grid);
        if (check) sheet.Update(model.grid, true);
    }
    state.SetLabel(check ? "80x40, with validity check" : "80x40, faces only");
}
BENCHMARK(BM_RebuildPassAfterOneEdit)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// What follows one 2x2 edit of the 80 by 40 card: the rebuild pass with the
// kept sheet and the kept 3D geometry read from it brought up to date (0),
// against the kept sheet brought up to date after the pass (1, the pass
// timed apart) and both together (2).
void BM_DeriveAfterOneEdit80x40(benchmark::State& state) {
    pw::EditedCard model;
    pw::AppSettings settings;
    settings.sound.on = 0;
    std::mt19937 rng(8);
    pw::test::RandomCard(model.grid, rng, 82, 41);
    pw::RunRebuildPass(model.grid);
    model.edit.cursorSize = 2;
    pw::EditOperations ops(model, settings, nullptr);
    pw::KeptGridSheet kept;
    kept.Update(model.grid, false);
    pw::CardGeometry geometry;
    geometry.Update(model.grid, kept, settings);
    pw::GridSheetBuilder sheet;
    sheet.Update(model.grid);
    const auto what = state.range(0);
    bool raise = true;
    for (auto _ : state) {
        state.PauseTiming();
        if (raise)
            ops.RaiseArea(41, 5);
        else
            ops.LowerArea(41, 5);
        raise = !raise;
        if (what == 1) pw::RunRebuildPass(model.grid);
        state.ResumeTiming();
        if (what != 1) pw::RunRebuildPass(model.grid);
        if (what == 0) {
            kept.Update(model.grid, false);
            geometry.Update(model.grid, kept, settings);
        }
        if (what != 0) benchmark::DoNotOptimize(sheet.Update(model.grid).edges.size());
    }
    state.SetLabel(what == 0 ? "rebuild pass + sheet + geometry" : what == 1 ? "sheet" : "rebuild pass + sheet");
}
BENCHMARK(BM_DeriveAfterOneEdit80x40)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

}  // namespace

// One frame of the 80 by 40 card drawn by the software renderer into an 800
// by 600 picture, as popwright-cli render does (the rebuild pass done before).
namespace {

void BM_SoftwareFrame800x600(benchmark::State& state) {
    pw::EditedCard model;
    pw::AppSettings settings;
    settings.view.gridDisplay = static_cast<std::uint8_t>(state.range(0));
    const double angle = static_cast<double>(state.range(1));
    std::mt19937 rng(7);
    pw::test::RandomCard(model.grid, rng, 82, 41);
    pw::RunRebuildPass(model.grid);
    model.edit.cursorVisible = false;
    pw::CardRenderer renderer(model, settings);
    renderer.SetFoldAngle(angle);
    const pw::Matrix4 m = pw::CameraProjection(800, 300, 30, 0, 0, 0, 82);
    for (auto _ : state) {
        pw::SoftwareRenderSink sink(800, 600);
        sink.SetTransform(m);
        renderer.DrawFrame(sink);
        benchmark::DoNotOptimize(sink.Rgba().data());
    }
    state.SetLabel(std::string("80x40, ") + (settings.view.gridDisplay ? "grid display" : "slabs") + ", " +
                   std::to_string(static_cast<int>(angle)) + " degrees");
}
BENCHMARK(BM_SoftwareFrame800x600)->Args({0, 90})->Args({1, 90})->Args({0, 45})->Unit(benchmark::kMillisecond);

}  // namespace
