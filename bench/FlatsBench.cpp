// Cost of bringing things into a free-form card as flats: a 40-letter line
// of text (font lookup, shaping, outlines, the joining of the letters with
// the baseline run, and the roofs' check).
#include <benchmark/benchmark.h>

#include "import/TextFlats.h"

namespace {

void BM_TextToFlats40Letters(benchmark::State& state) {
    const pw::TextFlatsRequest request{"Happy Birthday to you, dear Popwright!!!", "DejaVu Sans", 10, 0, 30};
    for (auto _ : state) {
        pw::FlatsFromSource made = pw::TextFlats(request);
        if (!made.Made()) state.SkipWithError(made.error.c_str());
        benchmark::DoNotOptimize(made);
    }
}
BENCHMARK(BM_TextToFlats40Letters)->Unit(benchmark::kMillisecond);

}  // namespace
