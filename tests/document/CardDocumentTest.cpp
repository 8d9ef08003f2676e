#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "document/CardDocument.h"
#include "model/AppSettings.h"
#include "model/DepthMap.h"
#include "model/GridSheet.h"
#include "model/RebuildPass.h"
#include "output/ExportFormat.h"
#include "support/CardBuilder.h"
#include "support/FileSizeLimit.h"
#include "support/ScratchFolder.h"

namespace pw {
namespace {

namespace fs = std::filesystem;

std::string Read(const std::string& path) { return test::ReadWholeFile(path); }

void Write(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// A random relief over a random run of columns: one undo step, as Insert
// Relief makes it.
void RandomRelief(CardDocument& doc, std::mt19937& rng) {
    const CellGrid& g = doc.Card().grid;
    const int first = std::uniform_int_distribution<int>(1, g.gridWidth - 2)(rng);
    const int columns = std::uniform_int_distribution<int>(1, g.gridWidth - 1 - first)(rng);
    DepthMap map(first, columns, g.gridHeight - 1);
    std::uniform_int_distribution<int> depth(0, g.gridHeight - 1);
    for (int& d : map.depth) d = depth(rng);
    doc.ApplyRelief(map, rng() % 2 == 0);
}

TEST(CardDocument, SavedCardsOpenAsTheSameCardAndBadFilesLeaveTheCardAlone) {
    test::ScratchFolder scratch;
    std::mt19937 rng(11);
    for (int round = 0; round < 8; ++round) {
        CardDocument doc;
        test::RandomCard(doc.Card().grid, rng, 3 + static_cast<int>(rng() % 20), 3 + static_cast<int>(rng() % 12));
        const std::string path = scratch.Path("card" + std::to_string(round) + ".kpf");
        ASSERT_EQ(doc.Save(path), CardSaveOutcome::Saved);
        EXPECT_EQ(Read(path), doc.RecoveryText());

        CardDocument other;
        const CardOpenResult opened = other.Open(path);
        ASSERT_TRUE(opened.Opened());
        EXPECT_FALSE(opened.EndsEarly());
        EXPECT_TRUE(other.Card().grid.SameShape(doc.Card().grid));

        // Damaged, too new and missing files: the code says which, the card stays.
        const std::string before = other.RecoveryText();
        Write(scratch.Path("new.kpf"), "kiriko\nv 9.0\nw 4\nh 3\n");
        Write(scratch.Path("bad.kpf"), Read(path).substr(0, 12) + "x\n");
        EXPECT_EQ(other.Open(scratch.Path("new.kpf")).outcome, CardOpenOutcome::VersionTooNew);
        EXPECT_EQ(other.Open(scratch.Path("bad.kpf")).outcome, CardOpenOutcome::Unreadable);
        EXPECT_EQ(other.Open(scratch.Path("none.kpf")).outcome, CardOpenOutcome::Unreadable);
        EXPECT_EQ(other.RecoveryText(), before);
    }
}

// A free-form card opens by its name or its content, saves and opens back
// as the same card, and a refused file leaves a grid or free-form card alone.
TEST(CardDocument, FreeformCardsOpenByNameOrContentAndRefusalsLeaveTheCardAlone) {
    test::ScratchFolder scratch;
    const std::string box =
        R"({"format": "popwright-freeform", "version": 1, "width": 160, "half": 100,
            "flats": [{"name": "Box", "depth": 40, "outline": "M 20 0 H 70 V 50 H 20 Z"}]})";
    Write(scratch.Path("box.pwf"), box);
    Write(scratch.Path("box-named-as-grid.kpf"), "\n  " + box);
    Write(scratch.Path("crossing.pwf"),
          R"({"format": "popwright-freeform", "version": 1, "width": 160, "half": 100,
              "flats": [{"name": "Bow", "depth": 40, "outline": "M 20 0 L 70 50 L 70 0 L 20 50 Z"}]})");

    CardDocument grid;
    grid.Card().NewCard(6, 4);
    const std::string gridText = grid.RecoveryText();
    const CardOpenResult refused = grid.Open(scratch.Path("crossing.pwf"));
    EXPECT_FALSE(refused.Opened());
    EXPECT_NE(refused.error.find("Bow"), std::string::npos) << refused.error;
    EXPECT_EQ(grid.Kind(), CardKind::Grid);
    EXPECT_EQ(grid.RecoveryText(), gridText);

    for (const char* name : {"box.pwf", "box-named-as-grid.kpf"}) {
        CardDocument doc;
        ASSERT_TRUE(doc.Open(scratch.Path(name)).Opened()) << name;
        ASSERT_EQ(doc.Kind(), CardKind::Freeform);
        EXPECT_EQ(doc.Derive().pieces.size(), doc.DeriveFreeform().pieces.size());
        EXPECT_FALSE(doc.Derive().pieces.empty());
        ASSERT_EQ(doc.Save(scratch.Path("again.pwf")), CardSaveOutcome::Saved);
        EXPECT_EQ(Read(scratch.Path("again.pwf")), doc.RecoveryText());

        const std::string before = doc.RecoveryText();
        EXPECT_FALSE(doc.Open(scratch.Path("crossing.pwf")).Opened());
        EXPECT_FALSE(doc.Open(scratch.Path("none.pwf")).Opened());
        EXPECT_EQ(doc.Kind(), CardKind::Freeform);
        EXPECT_EQ(doc.RecoveryText(), before);
        CardDocument back;
        ASSERT_TRUE(back.Open(scratch.Path("again.pwf")).Opened());
        EXPECT_EQ(back.RecoveryText(), before);
    }
}

TEST(CardDocument, AFailedSaveSaysWhyAndLeavesTheOldFileWhole) {
    test::ScratchFolder scratch;
    CardDocument doc;
    doc.Card().NewCard(6, 4);
    const std::string path = scratch.Path("card.kpf");
    ASSERT_EQ(doc.Save(path), CardSaveOutcome::Saved);
    const std::string old = Read(path);

    std::mt19937 rng(3);
    test::RandomCard(doc.Card().grid, rng, 82, 41);
    EXPECT_EQ(doc.Save(scratch.Path("no/such/folder/x.kpf")), CardSaveOutcome::CannotCreate);
    {
        const test::FileSizeLimit limit(old.size() + 16);
        EXPECT_EQ(doc.Save(path), CardSaveOutcome::CannotWrite);
    }
    EXPECT_EQ(Read(path), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(scratch.Dir()), fs::directory_iterator()), 1);
}

// The kept sheet is brought up to date column by column; every export must
// come out exactly as from a sheet derived from scratch. The 3D view shares
// the sheet: an export between its frames keeps the validity marks it asked for.
TEST(CardDocument, ExportsFromTheKeptSheetMatchAFreshDerivationAfterEveryEdit) {
    test::ScratchFolder scratch;
    std::mt19937 rng(5);
    CardDocument doc;
    test::RandomCard(doc.Card().grid, rng, 30, 14);
    AppSettings settings;
    settings.bitmap.widthPx = 300;
    PatternOptions options;
    options.perforate = true;
    doc.KeptSheet().Update(doc.Card().grid, true);
    const std::string kept = scratch.Path("kept"), fresh = scratch.Path("fresh");
    for (int edit = 0; edit < 12; ++edit) {
        RandomRelief(doc, rng);
        if (edit % 3 == 0) doc.Card().history.UndoLastStep(doc.Card().grid);
        for (const ExportFormat* format : ExportFormats()) {
            const PatternOptions& given = format->options ? options : PatternOptions();
            ASSERT_TRUE(doc.Export(*format, kept, settings, 40, 40, given)) << format->id;
            CellGrid copy = doc.Card().grid;
            RunRebuildPass(copy);
            ASSERT_TRUE(WriteExportFile(*format, fresh, ExportInput{DeriveGridSheet(copy), settings, 40, 40, given}));
            ASSERT_EQ(Read(kept), Read(fresh)) << format->id << " after edit " << edit;
        }
        ASSERT_NE(doc.KeptSheet().Anchoring(), nullptr);
    }
}

}  // namespace
}  // namespace pw
