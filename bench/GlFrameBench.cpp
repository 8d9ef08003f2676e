// Real OpenGL cost of one frame of the 3D view: the view's own paint into its
// 800 by 600 framebuffer, finished with glFinish so the time is the GL work
// and not only the queueing of commands. For cards of 80 by 40, 160 by 80 and
// 320 by 160 cells (random relief with tunnels), grid display off and on, it
// prints the median time of
//   - a frame that follows no change (the camera turned, nothing edited),
//   - a frame that only clears the same framebuffer,
//   - their ratio, the measure that does not depend on the machine's speed,
//   - a frame right after one raise or lower of a 2 by 2 square (the edit
//     itself is not timed; its rebuild pass and whatever the frame derives is).
// The three kinds of frame take turns, so a slow moment of the shared machine
// falls on all of them alike.
//
// Run it on a display (Mesa's software renderer on a virtual X server):
//   xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" env LIBGL_ALWAYS_SOFTWARE=1
//     QT_QPA_PLATFORM=xcb build/bench/gl_frame_bench [SECONDS_PER_CARD]
// (one command line).
#include <GL/gl.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QSurfaceFormat>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "edit/EditOperations.h"
#include "edit/EditedCard.h"
#include "model/AppSettings.h"
#include "view3d/KirikoView.h"
#include "../tests/support/CardBuilder.h"

namespace {

// The view with its paint callable from here: the bench times paintGL itself,
// without Qt's composition of the widget into the window.
class BenchView : public pw::CKirikoView {
public:
    using CKirikoView::CKirikoView;
    void Paint() { paintGL(); }
};

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

struct Row {
    int cardWidth, cardHeight;
    bool grid;
    double frame, clear, edit;  // milliseconds
};

Row Measure(int cardWidth, int cardHeight, bool grid, double seconds, std::string& renderer) {
    pw::EditedCard model;
    pw::AppSettings settings;
    settings.soundMode = 0;
    settings.drawGrid = grid ? 1 : 0;
    std::mt19937 rng(12);
    pw::test::RandomCard(model.grid, rng, cardWidth + 2, cardHeight + 1);

    BenchView view(model, settings, nullptr);
    view.resize(800, 600);
    view.show();
    if (!QTest::qWaitForWindowExposed(&view)) {
        std::fprintf(stderr, "the view was never shown\n");
        std::exit(1);
    }
    QCoreApplication::processEvents();
    view.makeCurrent();
    renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));

    QElapsedTimer timer;
    auto timed = [&](auto&& work) {
        glFinish();
        timer.start();
        work();
        glFinish();
        return static_cast<double>(timer.nsecsElapsed()) / 1e6;
    };
    const pw::GlColor back = pw::ToGlColor(settings.colorBack);
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
    std::vector<double> frames, clears, edits;
    QElapsedTimer total;
    total.start();
    while (frames.size() < 9 || (total.elapsed() < seconds * 1000 && frames.size() < 400)) {
        clears.push_back(timed(clearOnly));
        frames.push_back(timed([&] { view.Paint(); }));
        if (raise)
            ops.RaiseArea(column, row);
        else
            ops.LowerArea(column, row);
        raise = !raise;
        edits.push_back(timed([&] { view.Paint(); }));
    }
    view.doneCurrent();
    return {cardWidth, cardHeight, grid, Median(frames), Median(clears), Median(edits)};
}

std::string Ms(double v) {
    char text[32];
    std::snprintf(text, sizeof text, v < 10 ? "%.2f ms" : "%.1f ms", v);
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setVersion(2, 1);
    format.setDepthBufferSize(24);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    QSurfaceFormat::setDefaultFormat(format);
    QApplication app(argc, argv);
    const double seconds = argc > 1 ? std::atof(argv[1]) : 2.0;

    std::vector<Row> rows;
    const int sizes[][2] = {{80, 40}, {160, 80}, {320, 160}};
    std::string renderer;
    for (const auto& size : sizes)
        for (bool grid : {false, true}) rows.push_back(Measure(size[0], size[1], grid, seconds, renderer));

    std::printf("OpenGL renderer: %s, view 800 by 600\n\n", renderer.c_str());
    std::printf("| card | grid display | frame | clear-only frame | frame / clear | frame after a 2x2 edit | edit / frame |\n");
    std::printf("|---|---|---|---|---|---|---|\n");
    for (const Row& r : rows)
        std::printf("| %d by %d | %s | %s | %s | %.1f | %s | %.2f |\n", r.cardWidth, r.cardHeight, r.grid ? "on" : "off",
                    Ms(r.frame).c_str(), Ms(r.clear).c_str(), r.frame / r.clear, Ms(r.edit).c_str(),
                    r.edit / r.frame);
    return 0;
}
