#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "cli/ExportCommand.h"
#include "document/CardDocument.h"
#include "model/AppSettings.h"
#include "model/DepthMap.h"
#include "output/ExportFormat.h"
#include "output/PatternPlacement.h"
#include "support/CardBuilder.h"
#include "support/ScratchFolder.h"

namespace pw {
namespace {

// The desktop program edits its document step by step and exports from the
// sheet it kept; popwright-cli reads the saved card and derives it afresh.
// For the same card and options both must write the same bytes.
TEST(DocumentPaths, TheProgramAndTheCommandLineExportTheSameBytes) {
    test::ScratchFolder scratch;
    std::mt19937 rng(17);
    CardDocument doc;
    test::RandomCard(doc.Card().grid, rng, 26, 12);
    doc.Derive();
    // Edits as the window makes them, each followed by its frame's derivation.
    for (int step = 0; step < 4; ++step) {
        DepthMap map(1 + step * 5, 4, 11);
        for (int& d : map.depth) d = static_cast<int>(rng() % 8);
        doc.ApplyRelief(map, false);
        doc.Derive();
    }
    const std::string card = scratch.Path("card.kpf");
    ASSERT_EQ(doc.Save(card), CardSaveOutcome::Saved);

    AppSettings settings;
    settings.bitmap.widthPx = 500;
    settings.print.mirror = 1;
    PatternOptions options;
    options.cellMm = 4;
    options.perforate = true;
    options.legend = true;
    const double perCm = 96 * kInchesPerCentimetre;
    for (const ExportFormat* format : ExportFormats()) {
        const std::string ext = format->extensions.front();
        std::vector<std::string> args{card, scratch.Path("cli." + ext), "--bmp-width", "500", "--invert"};
        if (!format->relief && ext == "dxf") args.push_back("--pattern");
        if (Takes(*format, kTakesCellSize)) args.insert(args.end(), {"--cell-mm", "4", "--perforate"});
        if (Takes(*format, kTakesLegend)) args.push_back("--legend");
        std::ostringstream out, err;
        ASSERT_EQ(RunExportCommand(args, out, err), 0) << err.str();

        PatternOptions given;
        if (Takes(*format, kTakesCellSize)) {
            given.cellMm = options.cellMm;
            given.perforate = true;
        }
        if (Takes(*format, kTakesLegend)) given.legend = true;
        ASSERT_TRUE(doc.Export(*format, scratch.Path("app." + ext), settings, perCm, perCm, given));
        EXPECT_EQ(test::ReadWholeFile(scratch.Path("cli." + ext)), test::ReadWholeFile(scratch.Path("app." + ext)))
            << format->id;
    }
}

}  // namespace
}  // namespace pw
