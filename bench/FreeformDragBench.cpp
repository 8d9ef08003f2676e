// The editor's response to a drag of one node on a free-form card of 50
// flats: the edit handed to the document (one undo step), the sheet derived
// again (the dragged flat's parts made anew, the others' kept), the checks
// and the 3D view's geometry, and one frame drawn by the software renderer
// into an 800 by 600 picture; against the same frame without a change, and
// against deriving the sheet from scratch. Timed in one run (processor time,
// as the machine may be shared), so the ratios hold on any machine.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>
#include <string>
#include <utility>

#include "document/CardDocument.h"
#include "edit/EditedCard.h"
#include "model/AppSettings.h"
#include "model/freeform/FreeformChecks.h"
#include "model/freeform/FreeformSheet.h"
#include "view3d/CardRenderer.h"
#include "view3d/Camera.h"
#include "view3d/FreeformShown.h"
#include "view3d/SheetGeometry.h"
#include "view3d/SoftwareRenderSink.h"

namespace {

// Fifty houses in a row, five deep: a box with a round-shouldered gable of
// 40 cubics and an arched door of 20 arcs.
pw::FreeformCard FiftyHouses() {
    pw::FreeformCard card;
    card.width = 520;
    card.half = 150;
    for (int i = 0; i < 50; ++i) {
        const double x0 = 5 + 10.0 * i, x1 = x0 + 8, h = 20 + (i % 5) * 8, depth = 90 - (i % 5) * 12;
        pw::SheetPath loop(pw::SheetPoint{x0, 0});
        loop.LineTo({x1, 0}).LineTo({x1, h});
        for (int k = 0; k < 40; ++k) {
            const double a = x1 - (x1 - x0) * k / 40, b = x1 - (x1 - x0) * (k + 1) / 40;
            loop.CubicTo({a - 0.05, h + 0.3}, {b + 0.05, h + 0.3}, {b, h});
        }
        pw::FreeformFlat flat;
        flat.name = "House " + std::to_string(i + 1);
        flat.depth = depth;
        flat.loops.push_back(loop.Close());
        card.flats.push_back(std::move(flat));
    }
    return card;
}

double Now() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

void BM_DragOneNodeOfFiftyFlats(benchmark::State& state) {
    pw::CardDocument doc;
    doc.SetFreeform(FiftyHouses());
    pw::EditedCard unused;
    pw::AppSettings settings;
    pw::CardRenderer renderer(unused, settings);
    const pw::Matrix4 m = pw::CameraProjection(800, 300, 30, 0, 0, 0, pw::SheetViewWidth(doc.DeriveFreeform().sheet));
    pw::ShownSheet shown;
    double derive = 0;
    // What the window does after an edit: derive, check, show, draw.
    auto respond = [&] {
        const double d0 = Now();
        const pw::FreeformSheet& built = doc.DeriveFreeform();
        derive += Now() - d0;
        const auto problems = pw::CheckFreeformCard(doc.Freeform(), built);
        benchmark::DoNotOptimize(pw::CheckFreeformClosing(doc.Freeform(), built).overhangMm);
        shown = pw::ShowFreeformSheet(built, problems, shown.revision + 1);
        renderer.ShowSheet(&shown);
    };
    auto frame = [&] {
        pw::SoftwareRenderSink sink(800, 600);
        sink.SetTransform(m);
        renderer.DrawFrame(sink);
        benchmark::DoNotOptimize(sink.Rgba().data());
    };
    respond();
    frame();
    derive = 0;
    double drag = 0, still = 0, scratch = 0;
    int step = 0;
    for (auto _ : state) {
        // The dragged node: the top right corner of house 25, a tenth of a millimetre up and down.
        pw::FreeformCard edited = doc.Freeform();
        edited.flats[24].loops[0].segments[1].end.s += (++step % 2 ? 0.1 : -0.1);
        const double t0 = Now();
        doc.EditFreeform(edited);
        respond();
        frame();
        const double t1 = Now();
        frame();
        const double t2 = Now();
        benchmark::DoNotOptimize(pw::BuildFreeformSheet(edited).sheet.pieces.size());
        const double t3 = Now();
        drag += t1 - t0;
        still += t2 - t1;
        scratch += t3 - t2;
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["drag_ms"] = 1000 * drag / n;
    state.counters["derive_ms"] = 1000 * derive / n;
    state.counters["frame_ms"] = 1000 * still / n;
    state.counters["scratch_derive_ms"] = 1000 * scratch / n;
    const double ratio = still > 0 ? drag / still : 0;
    state.counters["ratio"] = ratio;
    char label[160];
    std::snprintf(label, sizeof label, "50 flats; drag response / unchanged frame: %.1f", ratio);
    state.SetLabel(label);
}
BENCHMARK(BM_DragOneNodeOfFiftyFlats)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
