// The validity check on free-standing, floor-standing and hanging faces.
#include <gtest/gtest.h>

#include "model/CellGrid.h"
#include "model/RebuildPass.h"
#include "support/CardBuilder.h"
#include "view3d/InvalidFigureCheck.h"

namespace pw {
namespace {

enum Marks { None = 0, Top = 1, Bottom = 2, Both = 3 };

Marks MarksAt(const CellGrid& g, int x, int y, int z) {
    return static_cast<Marks>((g.HasFlag(x, y, z, CELL_ANCHORED_TOP) ? Top : 0) |
                              (g.HasFlag(x, y, z, CELL_ANCHORED_BOTTOM) ? Bottom : 0));
}

class InvalidFigureCheckTest : public ::testing::Test {
protected:
    void SetUp() override { g.NewCard(18, 9); }
    void Check() {
        RunRebuildPass(g);
        CheckInvalidFigure(g);
    }
    CellGrid g;
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

TEST_F(InvalidFigureCheckTest, BackSheetAndOuterRowsAreNeverMarkedAndOldMarksAreCleared) {
    test::AddBox(g, 5, 2, 3);
    RunRebuildPass(g);
    g.ChangeCellFlag(5, 4, 2, CELL_ANCHORED_TOP, true);  // no face there
    g.ChangeCellFlag(5, 3, 1, CELL_ANCHORED_TOP, true);
    CheckInvalidFigure(g);
    EXPECT_EQ(MarksAt(g, 5, 4, 2), None);
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
