// Whether the closed card hides its relief: the measure of each column, the
// report's texts, and the kept check that measures only rebuilt columns.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "model/CellFlags.h"
#include "model/CellGrid.h"
#include "model/ClosingCheck.h"
#include "model/GridSheet.h"
#include "model/KeptGridSheet.h"
#include "model/RebuildPass.h"
#include "support/CardBuilder.h"

namespace pw {
namespace {

// A card of 10 columns whose sheets are 8 cells long (W = 12, H = 9).
CellGrid SmallCard() {
    CellGrid g;
    g.NewCard(12, 9);
    return g;
}

TEST(ClosingCheckTest, FlatCardClosesExactlyInsideItsCover) {
    CellGrid g = SmallCard();
    RunRebuildPass(g);
    for (int x = 1; x <= 10; ++x) EXPECT_EQ(ColumnOverhang(g, x), 0) << x;
    const ClosingReport r = CheckClosing(g);
    EXPECT_TRUE(r.ClosesInside());
    EXPECT_TRUE(r.columnRuns.empty());
    EXPECT_EQ(ClosingStatusText(r), "The card closes inside its cover.");
    EXPECT_EQ(ClosingInfoLine(r), "closes inside: yes");
}

TEST(ClosingCheckTest, BoxFitsWhileDepthPlusHeightStaysWithinTheSheet) {
    // A box d deep and h high folds flat with its top front corner d + h
    // cells from the crease; the sheet is 8 long.
    CellGrid g = SmallCard();
    test::AddBox(g, 3, 4, 4);  // 8: touches the edge, still inside
    test::AddBox(g, 5, 1, 7);  // a tall thin wall: 8
    test::AddBox(g, 7, 7, 1);  // a long low step: 8
    RunRebuildPass(g);
    EXPECT_TRUE(CheckClosing(g).ClosesInside());
}

TEST(ClosingCheckTest, BoxThatSticksOutReportsItsAmountAndColumnRuns) {
    CellGrid g = SmallCard();
    for (int x : {2, 3, 4}) test::AddBox(g, x, 5, 5);  // 10: two cells too many
    test::AddBox(g, 6, 4, 5);                           // 9: one cell
    test::AddBox(g, 9, 3, 3);                           // fits
    RunRebuildPass(g);
    EXPECT_EQ(ColumnOverhang(g, 2), 2);
    EXPECT_EQ(ColumnOverhang(g, 6), 1);
    EXPECT_EQ(ColumnOverhang(g, 9), 0);
    const ClosingReport r = CheckClosing(g);
    EXPECT_FALSE(r.ClosesInside());
    EXPECT_EQ(r.overhang, 2);
    ASSERT_EQ(r.columnRuns.size(), 2u);
    EXPECT_EQ(r.columnRuns[0], std::make_pair(2, 4));
    EXPECT_EQ(r.columnRuns[1], std::make_pair(6, 6));
    EXPECT_EQ(ClosingStatusText(r), "Sticks out of the closed card by 2 cells in columns 2-4, 6.");
    EXPECT_EQ(ClosingInfoLine(r), "closes inside: no, sticks out by 2 cells (columns 2-4, 6)");

    // Exactly which faces stick out: the box's top beyond the diagonal.
    // Its top lies at height 6 over depths 1 .. 5: the cells at depths 4
    // and 5 reach 4 + 6 + 1 = 11 and 12 > H + 1 = 10.
    EXPECT_FALSE(FaceSticksOut(3, 6, 9));
    EXPECT_TRUE(FaceSticksOut(4, 6, 9));
    EXPECT_TRUE(g.HasFlag(2, 4, 6, CELL_HORIZONTAL_FACE));
}

TEST(ClosingCheckTest, OneColumnOneCellReadsAsSingular) {
    CellGrid g = SmallCard();
    test::AddBox(g, 10, 2, 7);  // 9
    RunRebuildPass(g);
    const ClosingReport r = CheckClosing(g);
    EXPECT_EQ(ClosingStatusText(r), "Sticks out of the closed card by 1 cell in column 10.");
    EXPECT_EQ(ClosingInfoLine(r), "closes inside: no, sticks out by 1 cell (column 10)");
    EXPECT_EQ(ColumnRunsText({{1, 1}, {3, 4}, {7, 9}}), "1, 3-4, 7-9");
}

TEST(ClosingCheckTest, TunnelMovesPaperButTheClosedLengthStaysTheRule) {
    // A tunnel under a box folds its floor back toward the back sheet: the
    // box still reaches as far as without it.
    CellGrid g = SmallCard();
    test::AddBox(g, 4, 5, 5);
    test::AddTunnel(g, 4, 2);
    RunRebuildPass(g);
    EXPECT_EQ(ColumnOverhang(g, 4), 2);
}

TEST(ClosingCheckTest, KeptCheckMeasuresRebuiltColumnsAndAgreesWithAFullCheck) {
    CellGrid g;
    std::mt19937 rng(11);
    test::RandomCard(g, rng, 42, 21);
    ClosingCheck kept;
    KeptGridSheet sheet;
    auto update = [&] {
        sheet.Update(g, false);
        kept.Update(g, sheet.Current(), sheet.Cells());
    };
    RunRebuildPass(g);
    update();
    EXPECT_EQ(kept.Report().overhang, CheckClosing(g).overhang);

    for (int round = 0; round < 30; ++round) {
        const int x = std::uniform_int_distribution<int>(1, 40)(rng);
        const int d = std::uniform_int_distribution<int>(1, 19)(rng);
        const int h = std::uniform_int_distribution<int>(1, 19)(rng);
        test::AddBox(g, x, d, h);
        g.MarkColumnsDirty(x, 2);
        RunRebuildPass(g);
        update();
        const ClosingReport full = CheckClosing(g);
        ASSERT_EQ(kept.Report().overhang, full.overhang) << round;
        ASSERT_EQ(kept.Report().columnRuns, full.columnRuns) << round;
    }

    // A card of another size is measured whole, whatever was noted.
    g.NewCard(20, 12);
    test::AddBox(g, 5, 8, 8);
    RunRebuildPass(g);
    update();
    EXPECT_EQ(kept.Report().overhang, 5);
    kept.Forget();
    EXPECT_TRUE(kept.Report().ClosesInside());
}

// The measure as it read the grid's faces before it read the sheet: the
// farthest face of the column, a face in cell (x, y, z) reaching y + z - 1.
int ColumnOverhangFromFaces(const CellGrid& g, int x) {
    int worst = 0;
    for (int y = 0; y < g.gridHeight; ++y)
        for (int z = 0; z < g.gridHeight; ++z)
            if (g.HasFlag(x, y, z, CELL_VERTICAL_FACE) || g.HasFlag(x, y, z, CELL_HORIZONTAL_FACE))
                worst = std::max(worst, y + z - g.gridHeight);
    return worst;
}

TEST(ClosingCheckTest, PiecesReachAsFarAsTheColumnsFacesOnRandomCards) {
    std::mt19937 rng(12);
    CellGrid g;
    for (int round = 0; round < 30; ++round) {
        const int W = std::uniform_int_distribution<int>(3, 30)(rng);
        const int H = std::uniform_int_distribution<int>(3, 16)(rng);
        test::RandomCard(g, rng, W, H);
        // Boxes as deep and high as the card allows, so that some stick out.
        for (int k = 0; k < 3 && W > 2; ++k)
            test::AddBox(g, std::uniform_int_distribution<int>(1, W - 2)(rng), std::uniform_int_distribution<int>(1, H - 2)(rng),
                         std::uniform_int_distribution<int>(1, H - 2)(rng));
        RunRebuildPass(g);
        const std::vector<int> fromSheet = ColumnOverhangs(DeriveGridSheet(g));
        ASSERT_EQ(fromSheet.size(), static_cast<std::size_t>(std::max(W, 2)));
        for (int x = 1; x <= W - 2; ++x)
            ASSERT_EQ(fromSheet[static_cast<std::size_t>(x)], ColumnOverhangFromFaces(g, x)) << round << ", column " << x;
    }
}

}  // namespace
}  // namespace pw
