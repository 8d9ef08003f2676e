// The validity check, read from the card's sheet, on free-standing,
// floor-standing and hanging faces; and on random cards, the marks the check
// wrote into the grid's cells before it read the sheet.
#include <gtest/gtest.h>

#include <random>

#include "model/CellFlags.h"
#include "model/CellGrid.h"
#include "model/FaceAnchoring.h"
#include "model/GridSheet.h"
#include "model/GridSheetCells.h"
#include "model/RebuildPass.h"
#include "support/CardBuilder.h"
#include "support/ReferenceAnchoring.h"

namespace pw {
namespace {

enum Marks { None = 0, Top = 1, Bottom = 2, Both = 3 };
static_assert(FaceAnchoring::kTop == Top && FaceAnchoring::kBottom == Bottom);

class InvalidFigureCheckTest : public ::testing::Test {
protected:
    void SetUp() override { g.NewCard(18, 9); }
    void Check() {
        RunRebuildPass(g);
        anchoring = FaceAnchoring(GridSheetCells(DeriveGridSheet(g)));
    }
    Marks MarksAt(const CellGrid&, int x, int y, int z) const { return static_cast<Marks>(anchoring.MarksAt(x, y, z)); }
    CellGrid g;
    FaceAnchoring anchoring;
};

TEST_F(InvalidFigureCheckTest, FloorStandingRiserCarriesBothMarks) {
    test::AddBox(g, 5, 2, 3);
    Check();
    for (int z = 1; z <= 3; ++z) EXPECT_EQ(MarksAt(g, 5, 3, z), Both) << z;
}

TEST_F(InvalidFigureCheckTest, RiserOverATunnelHangsFromTheTopOnly) {
    test::AddBox(g, 5, 2, 3);
    test::AddTunnel(g, 5, 1);
    Check();
    ASSERT_FALSE(g.HasFlag(5, 3, 1, CELL_VERTICAL_FACE));
    EXPECT_EQ(MarksAt(g, 5, 3, 2), Top);
    EXPECT_EQ(MarksAt(g, 5, 3, 3), Top);
}

TEST_F(InvalidFigureCheckTest, FacesCutApartByTunnelsAreMarkedRegionByRegion) {
    test::AddBox(g, 5, 2, 5);
    test::AddTunnel(g, 5, 2);
    test::AddTunnel(g, 5, 4);
    Check();
    EXPECT_EQ(MarksAt(g, 5, 3, 1), Bottom);  // on the floor, below other faces
    EXPECT_EQ(MarksAt(g, 5, 3, 3), None);    // free-standing between two tunnels
    EXPECT_EQ(MarksAt(g, 5, 3, 5), Top);
}

TEST_F(InvalidFigureCheckTest, AHorizontalFaceAtTheFootAnchorsTheBottom) {
    // A step: depths 1-2 at height 4, depths 3-4 at height 2. The upper riser
    // (depth 3, heights 3-4) stands on the lower step's top.
    test::AddBox(g, 5, 4, 2);
    test::AddBox(g, 5, 2, 4);
    Check();
    ASSERT_TRUE(g.HasFlag(5, 3, 3, CELL_HORIZONTAL_FACE));
    EXPECT_EQ(MarksAt(g, 5, 3, 3), Both);
    EXPECT_EQ(MarksAt(g, 5, 3, 4), Both);
    EXPECT_EQ(MarksAt(g, 5, 5, 1), Both);
}

TEST_F(InvalidFigureCheckTest, MarksSpreadAcrossNeighbourColumnsInTheSamePlane) {
    test::AddBox(g, 5, 2, 3);
    test::AddTunnel(g, 5, 1);  // hangs on its own ...
    test::AddBox(g, 6, 2, 3);  // ... but joins a floor-standing riser beside it
    test::AddBox(g, 9, 3, 3);  // a hanging riser one plane further does not join
    test::AddTunnel(g, 9, 1);
    test::AddBox(g, 10, 2, 3);
    Check();
    EXPECT_EQ(MarksAt(g, 5, 3, 2), Both);
    EXPECT_EQ(MarksAt(g, 5, 3, 3), Both);
    EXPECT_EQ(MarksAt(g, 9, 4, 2), Top);
    EXPECT_EQ(MarksAt(g, 10, 3, 1), Both);
}

TEST_F(InvalidFigureCheckTest, BackSheetAndOuterRowsAreNeverMarkedNorCellsWithoutAFace) {
    test::AddBox(g, 5, 2, 3);
    Check();
    EXPECT_EQ(MarksAt(g, 5, 4, 2), None);  // no face there
    EXPECT_EQ(MarksAt(g, 5, 3, 1), Both);
    for (int x = 1; x <= 16; ++x)
        for (int z = 0; z <= 8; ++z) {
            EXPECT_EQ(MarksAt(g, x, 1, z), None);
            EXPECT_EQ(MarksAt(g, x, 0, z), None);
        }
    for (int x = 1; x <= 16; ++x)
        for (int y = 0; y <= 8; ++y) EXPECT_EQ(MarksAt(g, x, y, 8), None);
}

TEST_F(InvalidFigureCheckTest, OneRegionAcrossAVeryWideCardDoesNotExhaustTheStack) {
    // 500,000 columns, as a card file may hold: every column's riser hangs
    // over a tunnel except the first, which stands on the floor. The bottom
    // mark must travel along the whole row.
    const int W = 500'002, H = 4;
    g.NewCard(W, H);
    for (int x = 1; x <= W - 2; ++x) {
        g.ChangeCellFlag(x, 1, 2, CELL_SOLID, true);
        if (x == 1) g.ChangeCellFlag(x, 1, 1, CELL_SOLID, true);
    }
    Check();
    ASSERT_TRUE(g.HasFlag(W - 2, 2, 2, CELL_VERTICAL_FACE));
    ASSERT_FALSE(g.HasFlag(W - 2, 2, 1, CELL_VERTICAL_FACE));
    EXPECT_EQ(MarksAt(g, 1, 2, 1), Both);
    EXPECT_EQ(MarksAt(g, W / 2, 2, 2), Both);
    EXPECT_EQ(MarksAt(g, W - 2, 2, 2), Both);
}

}  // namespace
}  // namespace pw

namespace pw {
namespace {

TEST(FaceAnchoringTest, MarksFromTheSheetAreTheMarksTheGridCheckWrote) {
    std::mt19937 rng(31);
    CellGrid g;
    for (int round = 0; round < 40; ++round) {
        const int W = std::uniform_int_distribution<int>(3, 30)(rng);
        const int H = std::uniform_int_distribution<int>(3, 16)(rng);
        test::RandomCard(g, rng, W, H);
        RunRebuildPass(g);
        test::ReferenceCheckInvalidFigure(g);
        const FaceAnchoring anchoring(GridSheetCells(DeriveGridSheet(g)));
        for (int x = 0; x < W; ++x)
            for (int y = 0; y < H; ++y)
                for (int z = 0; z < H; ++z) {
                    if (!g.HasFlag(x, y, z, CELL_VERTICAL_FACE)) continue;
                    const int want = (g.HasFlag(x, y, z, CELL_ANCHORED_TOP) ? FaceAnchoring::kTop : 0) |
                                     (g.HasFlag(x, y, z, CELL_ANCHORED_BOTTOM) ? FaceAnchoring::kBottom : 0);
                    ASSERT_EQ(anchoring.MarksAt(x, y, z), want) << round << ": " << x << "," << y << "," << z;
                }
    }
}

}  // namespace
}  // namespace pw
