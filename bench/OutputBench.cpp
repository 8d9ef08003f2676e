// Cost of the unfolded pattern and of every file it goes to, for the
// largest card the settings allow (80 by 40 cells), written to memory.
#include <benchmark/benchmark.h>

#include <random>
#include <sstream>

#include "document/CardDocument.h"
#include "model/CellGrid.h"
#include "model/DepthMap.h"
#include "model/GridSheet.h"
#include "model/RebuildPass.h"
#include "output/BmpFile.h"
#include "output/CutterPattern.h"
#include "output/DxfWriter.h"
#include "output/LineSurface.h"
#include "output/PatternDxfWriter.h"
#include "output/PatternImages.h"
#include "output/PatternPlacement.h"
#include "output/PdfWriter.h"
#include "output/SvgWriter.h"
#include "output/UnfoldedPattern.h"
#include "../tests/support/CardBuilder.h"

namespace {

const pw::CellGrid& LargestCard() {
    static const pw::CellGrid card = [] {
        pw::CellGrid g;
        std::mt19937 rng(42);
        pw::test::RandomCard(g, rng, 82, 41);
        pw::RunRebuildPass(g);
        return g;
    }();
    return card;
}

// Takes the calls and nothing else: the drawing's own cost.
class CountingSurface : public pw::LineSurface {
public:
    using LineSurface::CreatePen;
    pw::PenHandle CreatePen(pw::PenStyle, int, int, int, int) override { return ++pens; }
    pw::PenHandle SelectPen(pw::PenHandle) override { return 0; }
    void MoveTo(int x, int) override { sum += x; }
    void LineTo(int, int y) override {
        sum += y;
        ++lines;
    }
    void DeletePen(pw::PenHandle) override {}
    pw::PenHandle pens = 0;
    long long lines = 0, sum = 0;
};

const double kPerCm = 96 * pw::kInchesPerCentimetre;

void BM_DrawUnfoldedPattern(benchmark::State& state) {
    const pw::CellGrid& g = LargestCard();
    long long lines = 0;
    for (auto _ : state) {
        CountingSurface s;
        pw::DrawUnfoldedPattern(s, g, 0, 20, 440, 20, 20);
        benchmark::DoNotOptimize(s.sum);
        lines = s.lines;
    }
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_DrawUnfoldedPattern)->Unit(benchmark::kMicrosecond);

void BM_BmpFile(benchmark::State& state) {
    const pw::CellGrid& g = LargestCard();
    const int width = static_cast<int>(state.range(0));
    std::size_t bytes = 0;
    for (auto _ : state) {
        const auto image = pw::RenderPatternBitmap(g, 0, width);
        const auto file = pw::EncodeBmpFile(*pw::MakeBitmapInfo(*image), *image);
        bytes = file->size();
        benchmark::DoNotOptimize(file->data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_BmpFile)->Arg(400)->Arg(1600)->Unit(benchmark::kMicrosecond);

void BM_EmfFile(benchmark::State& state) {
    const pw::CellGrid& g = LargestCard();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const auto file = pw::RenderPatternMetafile(g, 0, 50, kPerCm, kPerCm);
        bytes = file.size();
        benchmark::DoNotOptimize(file.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_EmfFile)->Unit(benchmark::kMicrosecond);

void BM_DxfFile(benchmark::State& state) {
    const pw::CellGrid& g = LargestCard();
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::ostringstream out;
        pw::WriteDxf(out, g);
        bytes = out.str().size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_DxfFile)->Unit(benchmark::kMicrosecond);

void BM_SvgFile(benchmark::State& state) {
    const pw::CellGrid& g = LargestCard();
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::ostringstream out;
        pw::WriteSvg(out, pw::LayOutCutterPattern(g, 0, 50));
        bytes = out.str().size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_SvgFile)->Unit(benchmark::kMicrosecond);

void BM_PdfFile(benchmark::State& state) {
    const pw::CellGrid& g = LargestCard();
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::ostringstream out;
        pw::WritePdf(out, pw::LayOutCutterPattern(g, 0, 50));
        bytes = out.str().size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_PdfFile)->Unit(benchmark::kMicrosecond);

// The outputs read the card's sheet; a grid card's is derived from its
// faces, which every export from a bare grid pays for. The app can keep
// the sheet between edits (GridSheetBuilder), so each is measured from the
// sheet too.
const pw::Sheet& LargestSheet() {
    static const pw::Sheet sheet = pw::DeriveGridSheet(LargestCard());
    return sheet;
}

void BM_DeriveGridSheet(benchmark::State& state) {
    for (auto _ : state) {
        const pw::Sheet sheet = pw::DeriveGridSheet(LargestCard());
        benchmark::DoNotOptimize(sheet.edges.data());
    }
}
BENCHMARK(BM_DeriveGridSheet)->Unit(benchmark::kMicrosecond);

void BM_DrawUnfoldedPatternFromSheet(benchmark::State& state) {
    for (auto _ : state) {
        CountingSurface s;
        pw::DrawUnfoldedPattern(s, LargestSheet(), 0, 20, 440, 20, 20);
        benchmark::DoNotOptimize(s.sum);
    }
}
BENCHMARK(BM_DrawUnfoldedPatternFromSheet)->Unit(benchmark::kMicrosecond);

void BM_EmfFileFromSheet(benchmark::State& state) {
    for (auto _ : state) {
        const auto file = pw::RenderPatternMetafile(LargestSheet(), 0, 50, kPerCm, kPerCm);
        benchmark::DoNotOptimize(file.data());
    }
}
BENCHMARK(BM_EmfFileFromSheet)->Unit(benchmark::kMicrosecond);

void BM_DxfFileFromSheet(benchmark::State& state) {
    for (auto _ : state) {
        std::ostringstream out;
        pw::WriteDxf(out, LargestSheet());
        benchmark::DoNotOptimize(out.str().size());
    }
}
BENCHMARK(BM_DxfFileFromSheet)->Unit(benchmark::kMicrosecond);

void BM_SvgFileFromSheet(benchmark::State& state) {
    for (auto _ : state) {
        std::ostringstream out;
        pw::WriteSvg(out, pw::LayOutCutterPattern(LargestSheet(), 0, 50));
        benchmark::DoNotOptimize(out.str().size());
    }
}
BENCHMARK(BM_SvgFileFromSheet)->Unit(benchmark::kMicrosecond);

// The files for a cutter with the options a laser user sets: inner cuts
// first, chained, perforated folds, the legend.
void BM_CutterFilesWithOptions(benchmark::State& state) {
    const pw::CellGrid& g = LargestCard();
    pw::PatternOptions o;
    o.perforate = true;
    o.legend = true;
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::ostringstream out;
        const pw::CutterPattern p = pw::LayOutCutterPattern(g, 0, 50, o);
        pw::WriteSvg(out, p);
        pw::WritePdf(out, p);
        pw::WritePatternDxf(out, p);
        bytes = out.str().size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_CutterFilesWithOptions)->Unit(benchmark::kMicrosecond);

// A bitmap export after one edit, as the program makes it: the edit, the
// rebuild pass, the sheet, the picture. From scratch the whole sheet is
// derived again; the document reads only the columns the edit changed.
void EditOneColumn(pw::CardDocument& doc, int k) {
    pw::DepthMap map(40, 1, 40);
    for (int& d : map.depth) d = k % 2 ? 3 : 5;
    doc.ApplyRelief(map, false);
}

pw::CardDocument& LargestDocument() {
    static pw::CardDocument doc = [] {
        pw::CardDocument d;
        d.Card().grid = LargestCard();
        d.Derive();
        return d;
    }();
    return doc;
}

void BM_BmpExportAfterEditFromScratch(benchmark::State& state) {
    pw::CardDocument& doc = LargestDocument();
    int k = 0;
    for (auto _ : state) {
        EditOneColumn(doc, ++k);
        pw::RunRebuildPass(doc.Card().grid);
        const auto image = pw::RenderPatternBitmap(pw::DeriveGridSheet(doc.Card().grid), 0, 400, pw::BitmapKind::File);
        const auto file = pw::EncodeBmpFile(*pw::MakeBitmapInfo(*image), *image);
        benchmark::DoNotOptimize(file->data());
    }
}
BENCHMARK(BM_BmpExportAfterEditFromScratch)->Unit(benchmark::kMicrosecond);

void BM_BmpExportAfterEditFromKeptSheet(benchmark::State& state) {
    pw::CardDocument& doc = LargestDocument();
    int k = 0;
    for (auto _ : state) {
        EditOneColumn(doc, ++k);
        const auto image = pw::RenderPatternBitmap(doc.Derive(), 0, 400, pw::BitmapKind::File);
        const auto file = pw::EncodeBmpFile(*pw::MakeBitmapInfo(*image), *image);
        benchmark::DoNotOptimize(file->data());
    }
}
BENCHMARK(BM_BmpExportAfterEditFromKeptSheet)->Unit(benchmark::kMicrosecond);

}  // namespace
