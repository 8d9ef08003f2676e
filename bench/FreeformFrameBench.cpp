// Real OpenGL cost of one frame of the 3D view showing a free-form card of
// 50 flats with 5,000 curve segments in all (each flat a top run and a side
// that waves down in 100 Béziers), against the frame of an 80 by 40 grid
// card (random relief with tunnels), both in the view's 800 by 600
// framebuffer and finished with glFinish. The two take turns, so a slow
// moment of the shared machine falls on both alike; times are the fastest
// of the rounds, and the ratio is the measure that does not depend on the
// machine. It also prints what the free-form card's first frame costs (the
// pieces triangulated) and how many triangles and lines it draws.
//
// Run it on a display (Mesa's software renderer on a virtual X server):
//   xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" env LIBGL_ALWAYS_SOFTWARE=1
//     QT_QPA_PLATFORM=xcb build/bench/gl_freeform_frame_bench [SECONDS]
// (one command line).
#include <GL/gl.h>

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "GlBenchView.h"
#include "../tests/support/CardBuilder.h"
#include "edit/EditedCard.h"
#include "model/AppSettings.h"
#include "model/freeform/FreeformChecks.h"
#include "model/freeform/SvgPathData.h"
#include "view3d/CardGeometry.h"
#include "view3d/FreeformShown.h"

namespace {

using pw::bench::BenchView;
using pw::bench::ShowForBench;

pw::FreeformCard FiftyWavyFlats() {
    pw::FreeformCard card;
    card.width = 520;
    card.half = 150;
    std::mt19937 rng(5);
    for (int i = 0; i < 50; ++i) {
        const double x0 = 5 + 10.0 * i, x1 = x0 + 8, h = std::uniform_real_distribution<double>(20, 60)(rng);
        const double depth = std::uniform_real_distribution<double>(20, 80)(rng);
        std::string d = "M " + std::to_string(x0) + " 0 H " + std::to_string(x1) + " V " + std::to_string(h) + " H " +
                        std::to_string(x0 + 1);
        constexpr int kWaves = 100;
        for (int k = 1; k <= kWaves; ++k) {
            const double z0 = h * (kWaves - k + 1) / kWaves, z1 = h * (kWaves - k) / kWaves;
            const double x = x0 + 1.0 * (kWaves - k) / kWaves, bulge = k % 2 ? 0.4 : -0.4;
            d += " C " + std::to_string(x + bulge) + " " + std::to_string(z0 - (z0 - z1) / 3) + " " + std::to_string(x + bulge) +
                 " " + std::to_string(z1 + (z0 - z1) / 3) + " " + std::to_string(x) + " " + std::to_string(z1);
        }
        d += " Z";
        pw::FreeformFlat flat;
        flat.depth = depth;
        flat.loops = pw::ParsePathData(d, 10000, 10000).loops;
        card.flats.push_back(std::move(flat));
    }
    return card;
}

double Fastest(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

}  // namespace

int main(int argc, char** argv) {
    pw::CKirikoView::UseAsDefaultSurfaceFormat();
    QApplication app(argc, argv);
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;

    pw::AppSettings settings;
    settings.sound.on = 0;
    pw::EditedCard gridCard, unused;
    std::mt19937 rng(12);
    pw::test::RandomCard(gridCard.grid, rng, 82, 41);

    const pw::FreeformCard card = FiftyWavyFlats();
    const pw::FreeformSheet built = pw::BuildFreeformSheet(card);
    const pw::ShownSheet shown = pw::ShowFreeformSheet(built, pw::CheckFreeformCard(card, built), 1);

    BenchView gridView(gridCard, settings, nullptr);
    const std::string renderer = ShowForBench(gridView);
    BenchView sheetView(unused, settings, nullptr);
    sheetView.ShowSheet(&shown);
    ShowForBench(sheetView);

    QElapsedTimer timer;
    auto timed = [&](BenchView& view) {
        view.makeCurrent();
        glFinish();
        timer.start();
        view.Paint();
        glFinish();
        return static_cast<double>(timer.nsecsElapsed()) / 1e6;
    };
    const double first = timed(sheetView);  // triangulates every piece
    for (int i = 0; i < 3; ++i) timed(gridView), timed(sheetView);
    std::vector<double> grid, sheet;
    QElapsedTimer total;
    total.start();
    while (grid.size() < 9 || (total.elapsed() < seconds * 1000 && grid.size() < 400)) {
        grid.push_back(timed(gridView));
        sheet.push_back(timed(sheetView));
    }
    std::size_t segments = 0;
    for (const pw::FreeformFlat& flat : card.flats)
        for (const pw::FrontLoop& loop : flat.loops) segments += loop.segments.size();
    pw::CardGeometry counted;
    counted.UpdateFromSheet(shown, settings);
    std::printf("OpenGL renderer: %s, %zu rounds\n", renderer.c_str(), grid.size());
    std::printf("free-form card: %zu flats, %zu path segments, %zu pieces, %zu triangles, %zu lines\n", card.flats.size(),
                segments, built.sheet.pieces.size(), counted.FaceCount(), counted.LineCount());
    std::printf("| frame | fastest ms |\n|---|---|\n");
    std::printf("| 80 x 40 grid card | %.3f |\n", Fastest(grid));
    std::printf("| free-form card, 50 flats | %.3f |\n", Fastest(sheet));
    std::printf("| free-form card's first frame (triangulation) | %.3f |\n", first);
    std::printf("free-form frame / grid frame: %.2f\n", Fastest(sheet) / Fastest(grid));
    return 0;
}
