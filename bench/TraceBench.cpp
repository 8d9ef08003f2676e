// Tracing a 4000 by 3000 picture into flats with potrace: forty discs and
// two lines of letters drawn in black on white, traced at the default
// threshold and speckle size (thresholding, speckle removal, the potrace
// program in its child process and the reading of its SVG into flats).
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <string>

#include "import/TextRaster.h"
#include "import/TracedFlats.h"

namespace {

pw::GreyImage DiscsAndLetters() {
    pw::GreyImage picture(4000, 3000);
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> x(0, 4000), y(0, 1800), r(20, 200);
    for (int i = 0; i < 40; ++i) {
        const double cx = x(rng), cy = y(rng), radius = r(rng);
        for (int v = std::max(0, static_cast<int>(cy - radius)); v < std::min(3000, static_cast<int>(cy + radius) + 1); ++v)
            for (int u = std::max(0, static_cast<int>(cx - radius)); u < std::min(4000, static_cast<int>(cx + radius) + 1); ++u)
                if (std::hypot(u + 0.5 - cx, v + 0.5 - cy) <= radius) picture.At(u, v) = 0;
    }
    const char* lines[] = {"Happy Birthday", "Popwright 2026"};
    for (int line = 0; line < 2; ++line) {
        pw::GreyImage text;
        std::string error;
        if (!pw::RenderTextLine(lines[line], "DejaVu Serif:bold", 400, text, error)) continue;
        for (int v = 0; v < text.height && 1900 + line * 520 + v < 3000; ++v)
            for (int u = 0; u < text.width && 100 + u < 4000; ++u)
                picture.At(100 + u, 1900 + line * 520 + v) = std::min(picture.At(100 + u, 1900 + line * 520 + v), text.At(u, v));
    }
    return picture;
}

void BM_TracePicture(benchmark::State& state) {
    const pw::GreyImage picture = DiscsAndLetters();
    std::size_t flats = 0;
    for (auto _ : state) {
        const pw::FlatsFromSource traced = pw::TraceFlats(picture, {});
        flats = traced.flats.size();
        benchmark::DoNotOptimize(traced);
    }
    state.SetLabel("4000x3000, " + std::to_string(flats) + " flats");
}
BENCHMARK(BM_TracePicture)->Unit(benchmark::kMillisecond);

}  // namespace

namespace {

// The worst a picture can bring: the largest that LoadPicture decodes
// (8192 by 8192), every pixel random, traced within the tracer's bounds.
void BM_TraceNoise(benchmark::State& state) {
    pw::GreyImage picture(8192, 8192);
    std::mt19937 rng(3);
    for (std::uint8_t& v : picture.pixels) v = static_cast<std::uint8_t>(rng() & 255);
    std::string outcome;
    for (auto _ : state) {
        const pw::FlatsFromSource traced = pw::TraceFlats(picture, {128, 0, 0, 30});
        outcome = traced.Made() ? std::to_string(traced.flats.size()) + " flats" : "refused";
    }
    state.SetLabel("8192x8192, " + outcome);
}
BENCHMARK(BM_TraceNoise)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
