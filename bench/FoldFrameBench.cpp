// Real OpenGL cost of the folding card: the view's own paint into its 800 by
// 600 framebuffer, finished with glFinish, for a card of 80 by 40 and the
// largest card a file may hold (320 by 160), grid display off and on. It
// prints the median time of
//   - a clear-only frame,
//   - a frame of the opened card (90 degrees, today's frame),
//   - a frame of the card held at 45 degrees,
//   - a frame of the animation (the angle changes at every frame, as while
//     Open card or Close card runs),
//   - the software renderer's frame of the same card and size (no GL),
// The kinds of frame take turns, so a slow moment of the shared machine falls
// on all of them alike.
//
//   xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" env LIBGL_ALWAYS_SOFTWARE=1
//     QT_QPA_PLATFORM=xcb build/bench/gl_fold_bench [SECONDS_PER_CARD]
// (one command line).
#include <GL/gl.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "edit/EditedCard.h"
#include "model/AppSettings.h"
#include "view3d/CardRenderer.h"
#include "view3d/FoldMap.h"
#include "view3d/KirikoView.h"
#include "GlBenchView.h"
#include "view3d/SoftwareRenderSink.h"
#include "../tests/support/CardBuilder.h"

namespace {

using pw::bench::BenchView;
using pw::bench::Median;
using pw::bench::ShowForBench;


struct Row {
    int cardWidth, cardHeight;
    bool grid;
    double clear, open, half, animated, software;  // milliseconds
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
    auto timed = [&](auto&& work) {
        glFinish();
        timer.start();
        work();
        glFinish();
        return static_cast<double>(timer.nsecsElapsed()) / 1e6;
    };
    const pw::GlColor back = pw::ToGlColor(settings.colors.background);
    auto clearOnly = [&] {
        glClearColor(back.r, back.g, back.b, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    };
    pw::CardRenderer software(model, settings);
    software.SetFoldAngle(90);

    for (int i = 0; i < 3; ++i) view.Paint();  // the first frame rebuilds every column
    std::vector<double> clears, opens, halves, animated, soft;
    double angle = 0;
    QElapsedTimer total;
    total.start();
    while (opens.size() < 7 || (total.elapsed() < seconds * 1000 && opens.size() < 200)) {
        clears.push_back(timed(clearOnly));
        view.SetFoldAngle(90);
        opens.push_back(timed([&] { view.Paint(); }));
        view.SetFoldAngle(45);
        halves.push_back(timed([&] { view.Paint(); }));
        angle = angle >= 90 ? 1 : angle + 7;
        view.SetFoldAngle(angle);
        animated.push_back(timed([&] { view.Paint(); }));
        QElapsedTimer cpu;
        cpu.start();
        pw::SoftwareRenderSink sink(800, 600);
        sink.SetTransform(view.ViewCamera().Projection());
        software.DrawFrame(sink);
        soft.push_back(static_cast<double>(cpu.nsecsElapsed()) / 1e6);
    }
    view.doneCurrent();
    return {cardWidth, cardHeight, grid, Median(clears), Median(opens), Median(halves), Median(animated), Median(soft)};
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
    const int sizes[][2] = {{80, 40}, {320, 160}};
    std::string renderer;
    for (const auto& size : sizes)
        for (bool grid : {false, true}) rows.push_back(Measure(size[0], size[1], grid, seconds, renderer));

    std::printf("OpenGL renderer: %s, view 800 by 600\n\n", renderer.c_str());
    std::printf("| card | grid display | clear-only | opened (90) | held at 45 | animated | animated / opened | software renderer, 90 |\n");
    std::printf("|---|---|---|---|---|---|---|---|\n");
    for (const Row& r : rows)
        std::printf("| %d by %d | %s | %s | %s | %s | %s | %.2f | %s |\n", r.cardWidth, r.cardHeight,
                    r.grid ? "on" : "off", Ms(r.clear).c_str(), Ms(r.open).c_str(), Ms(r.half).c_str(),
                    Ms(r.animated).c_str(), r.animated / r.open, Ms(r.software).c_str());
    return 0;
}
