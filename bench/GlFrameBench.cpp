// Real OpenGL cost of one frame of the 3D view: the view's own paint into its
// 800 by 600 framebuffer, finished with glFinish so the time is the GL work
// and not only the queueing of commands. For cards of 80 by 40, 160 by 80 and
// 320 by 160 cells (random relief with tunnels), grid display off and on, it
// prints the time of
//   - a frame that follows no change (the camera turned, nothing edited),
//   - a frame that only clears the same framebuffer,
//   - their ratio, the measure that does not depend on the machine's speed,
//   - a frame right after one raise or lower of a 2 by 2 square (the edit
//     itself is not timed; its rebuild pass and whatever the frame derives is).
// The three kinds of frame take turns, so a slow moment of the shared machine
// falls on all of them alike. Times are the fastest of the rounds: other work
// on the machine only ever adds to a frame. A last column gives the ratio of
// the median processor times (all of the process's threads, llvmpipe's
// rasterising threads included), which a busy machine disturbs far less than
// the clock on the wall.
//
// Run it on a display (Mesa's software renderer on a virtual X server):
//   xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" env LIBGL_ALWAYS_SOFTWARE=1
//     QT_QPA_PLATFORM=xcb build/bench/gl_frame_bench [SECONDS_PER_CARD]
// (one command line).
#include <GL/gl.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "edit/EditOperations.h"
#include "edit/EditedCard.h"
#include "model/AppSettings.h"
#include "model/RebuildPass.h"
#include "model/KeptGridSheet.h"
#include "view3d/CardGeometry.h"
#include "view3d/KirikoView.h"
#include "GlBenchView.h"
#include "../tests/support/CardBuilder.h"

namespace {

using pw::bench::BenchView;
using pw::bench::Median;
using pw::bench::ShowForBench;

double Fastest(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }


struct Row {
    int cardWidth, cardHeight;
    bool grid;
    double frame, clear, edit;  // milliseconds on the wall clock
    double cpuRatio;            // frame / clear in processor time
};

double ProcessCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Wall-clock and processor milliseconds of many rounds of one kind of frame.
struct Times {
    std::vector<double> wall, cpu;
};

Row Measure(int cardWidth, int cardHeight, bool grid, double seconds, std::string& renderer) {
    pw::EditedCard model;
    pw::AppSettings settings;
    settings.sound.on = 0;
    settings.view.gridDisplay = grid ? 1 : 0;
    std::mt19937 rng(12);
    pw::test::RandomCard(model.grid, rng, cardWidth + 2, cardHeight + 1);

    BenchView view(model, settings, nullptr);
    renderer = ShowForBench(view);

    QElapsedTimer timer;
    auto timed = [&](Times& into, auto&& work) {
        glFinish();
        const double cpu = ProcessCpuMs();
        timer.start();
        work();
        glFinish();
        into.wall.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        into.cpu.push_back(ProcessCpuMs() - cpu);
    };
    const pw::GlColor back = pw::ToGlColor(settings.colors.background);
    auto clearOnly = [&] {
        glClearColor(back.r, back.g, back.b, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    };

    // A 2 by 2 square in the middle of the card, raised and lowered in turn.
    model.edit.cursorSize = 2;
    pw::EditOperations ops(model, settings, nullptr);
    const int column = model.grid.gridWidth / 2;
    const int row = 1 + (model.grid.gridHeight - 4) / 2;
    bool raise = true;

    for (int i = 0; i < 3; ++i) view.Paint();  // the first frame rebuilds every column
    Times frames, clears, edits;
    QElapsedTimer total;
    total.start();
    while (frames.wall.size() < 9 || (total.elapsed() < seconds * 1000 && frames.wall.size() < 400)) {
        timed(clears, clearOnly);
        timed(frames, [&] { view.Paint(); });
        if (raise)
            ops.RaiseArea(column, row);
        else
            ops.LowerArea(column, row);
        raise = !raise;
        timed(edits, [&] { view.Paint(); });
    }
    view.doneCurrent();
    return {cardWidth,           cardHeight,          grid, Fastest(frames.wall), Fastest(clears.wall),
            Fastest(edits.wall), Median(frames.cpu) / Median(clears.cpu)};
}

// What the geometry kept between frames holds for the bench's card.
double GeometryMiB(int cardWidth, int cardHeight, bool grid) {
    pw::CellGrid g;
    std::mt19937 rng(12);
    pw::test::RandomCard(g, rng, cardWidth + 2, cardHeight + 1);
    pw::RunRebuildPass(g);
    pw::AppSettings settings;
    settings.view.gridDisplay = grid ? 1 : 0;
    pw::KeptGridSheet sheet;
    sheet.Update(g, false);
    pw::CardGeometry geometry;
    geometry.Update(g, sheet, settings);
    return static_cast<double>(geometry.ArrayBytes()) / (1024.0 * 1024.0);
}

std::string Ms(double v) {
    char text[32];
    std::snprintf(text, sizeof text, v < 10 ? "%.2f ms" : "%.1f ms", v);
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    pw::CKirikoView::UseAsDefaultSurfaceFormat();
    QApplication app(argc, argv);
    const double seconds = argc > 1 ? std::atof(argv[1]) : 2.0;

    std::vector<Row> rows;
    const int sizes[][2] = {{80, 40}, {160, 80}, {320, 160}};
    std::string renderer;
    for (const auto& size : sizes)
        for (bool grid : {false, true}) rows.push_back(Measure(size[0], size[1], grid, seconds, renderer));

    std::printf("OpenGL renderer: %s, view 800 by 600\n\n", renderer.c_str());
    std::printf(
        "| card | grid display | frame | clear-only frame | frame / clear | frame after a 2x2 edit | edit / frame | "
        "frame / clear, processor time |\n");
    std::printf("|---|---|---|---|---|---|---|---|\n");
    for (const Row& r : rows)
        std::printf("| %d by %d | %s | %s | %s | %.1f | %s | %.2f | %.1f |\n", r.cardWidth, r.cardHeight,
                    r.grid ? "on" : "off", Ms(r.frame).c_str(), Ms(r.clear).c_str(), r.frame / r.clear,
                    Ms(r.edit).c_str(), r.edit / r.frame, r.cpuRatio);
    std::printf("\nGeometry arrays kept between frames:");
    for (const auto& size : sizes)
        std::printf(" %d by %d: %.1f MiB (grid display off), %.1f MiB (on);", size[0], size[1],
                    GeometryMiB(size[0], size[1], false), GeometryMiB(size[0], size[1], true));
    std::printf("\n");
    return 0;
}
