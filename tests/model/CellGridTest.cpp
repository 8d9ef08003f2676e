#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "model/CellFlags.h"
#include "model/CellGrid.h"
#include "model/GridInvariants.h"
#include "model/RebuildPass.h"
#include "support/CardBuilder.h"

namespace pw {
namespace {

TEST(CellGrid, NewCardIsFlatDirtyAndAddressesEveryCell) {
    CellGrid g;
    g.NewCard(12, 41);
    ASSERT_EQ(g.CellCount(), 12u * 41u * 41u);
    EXPECT_TRUE(g.gridChanged);
    // Storage order: a column is H*H bytes, each depth a run of H heights.
    g.PutCell(11, 40, 40, 0x5A);
    EXPECT_EQ(g.Data()[(11 * 41 + 40) * 41 + 40], 0x5A);
    g.PutCell(11, 40, 40, 0);
    for (int x = 1; x <= 10; ++x) {
        EXPECT_EQ(g.GetCell(x, 0, 0), CELL_SOLID | COLUMN_DIRTY);
        for (int j = 1; j < 41; ++j) {
            EXPECT_EQ(g.GetCell(x, j, 0), CELL_SOLID);
            EXPECT_EQ(g.GetCell(x, 0, j), CELL_SOLID);
        }
        EXPECT_EQ(g.HeightAt(x, 5), 0);
        EXPECT_EQ(g.DepthAt(x, 5), 0);
    }
    EXPECT_EQ(CheckGridInvariants(g), "");
}

TEST(CellGrid, ChangeCellFlagSetsAndClearsOnlyThatFlag) {
    CellGrid g;
    g.NewCard(5, 5);
    g.PutCell(1, 2, 2, CELL_SOLID | CELL_VERTICAL_FACE);
    g.ChangeCellFlag(1, 2, 2, CELL_HORIZONTAL_FACE, false);  // absent: unchanged
    EXPECT_EQ(g.GetCell(1, 2, 2), CELL_SOLID | CELL_VERTICAL_FACE);
    g.ChangeCellFlag(1, 2, 2, CELL_VERTICAL_FACE, false);
    EXPECT_EQ(g.GetCell(1, 2, 2), CELL_SOLID);
    g.ChangeCellFlag(1, 2, 2, CELL_SOLID, true);
    EXPECT_EQ(g.GetCell(1, 2, 2), CELL_SOLID);
}

TEST(CellGrid, MaxUnderOverFlatFootprintIsZeroAndCoversTheSquare) {
    CellGrid g;
    g.NewCard(18, 9);
    EXPECT_EQ(g.MaxHeightUnder(3, 2, 2), 0);
    EXPECT_EQ(g.MaxDepthUnder(3, 2, 2), 0);
    EXPECT_EQ(g.MaxHeightUnder(3, 2, 0), -1);
    test::AddBox(g, 4, 3, 2);  // column 4: depths 1..3, heights 1..2
    EXPECT_EQ(g.MaxHeightUnder(3, 2, 2), 2);
    EXPECT_EQ(g.MaxHeightUnder(3, 2, 1), 0);
    EXPECT_EQ(g.MaxHeightUnder(3, 4, 2), 0);
    EXPECT_EQ(g.MaxDepthUnder(3, 1, 2), 3);
    EXPECT_EQ(g.MaxDepthUnder(3, 3, 2), 0);
}

TEST(CellGrid, MarkColumnsDirtyNeverMarksTheBorder) {
    CellGrid g;
    g.NewCard(12, 9);
    RunRebuildPass(g);
    g.MarkColumnsDirty(9, 2);  // columns 9, 10, 11: 11 is the border
    EXPECT_TRUE(g.IsColumnDirty(9));
    EXPECT_TRUE(g.IsColumnDirty(10));
    EXPECT_EQ(g.GetCell(11, 0, 0), 0);
    EXPECT_FALSE(g.IsColumnDirty(8));
}

TEST(RebuildPass, RebuildsDirtyColumnsRunsTheCheckAndClearsTheFlags) {
    CellGrid g;
    g.NewCard(8, 6);
    int checks = 0;
    EXPECT_TRUE(RunRebuildPass(g, [&](CellGrid&) { ++checks; }));
    EXPECT_EQ(checks, 1);
    EXPECT_FALSE(g.gridChanged);
    for (int x = 1; x <= 6; ++x) {
        EXPECT_FALSE(g.IsColumnDirty(x));
        EXPECT_EQ(CountFaces(g, x), 2 * (6 - 1));
    }
    // Nothing changed: the pass does not run again.
    EXPECT_FALSE(RunRebuildPass(g, [&](CellGrid&) { ++checks; }));
    EXPECT_EQ(checks, 1);
    // Only dirty columns are rebuilt: a clean column keeps stale faces.
    g.ChangeCellFlag(2, 1, 1, CELL_SOLID, true);
    g.gridChanged = true;
    RunRebuildPass(g);
    EXPECT_NE(CheckFacesFresh(g), "");
    g.MarkColumnsDirty(2, 1);
    g.gridChanged = true;
    RunRebuildPass(g);
    EXPECT_EQ(CheckFacesFresh(g), "");
}

TEST(CellGrid, ChangeStampsMarkEveryRebuiltColumnAndNeverRepeatOnOneGrid) {
    CellGrid g;
    g.NewCard(8, 6);
    std::vector<std::uint64_t> seen;
    for (int x = 0; x < 8; ++x) seen.push_back(g.ColumnStamp(x));
    RunRebuildPass(g);
    for (int x = 1; x <= 6; ++x) EXPECT_GT(g.ColumnStamp(x), seen[x]) << x;  // every column was dirty
    EXPECT_EQ(g.ColumnStamp(0), seen[0]);  // the borders are never rebuilt
    EXPECT_EQ(g.ColumnStamp(7), seen[7]);

    // One rebuilt column changes its own stamp only; the marks have their own.
    for (int x = 0; x < 8; ++x) seen[x] = g.ColumnStamp(x);
    const std::uint64_t marks = g.MarksStamp();
    g.RebuildColumn(3);
    for (int x = 0; x < 8; ++x) EXPECT_EQ(g.ColumnStamp(x) != seen[x], x == 3) << x;
    g.StampMarks();
    EXPECT_GT(g.MarksStamp(), marks);

    // A card assigned to the grid, even one of the same size whose own stamps
    // are low, gets stamps the grid never handed out before.
    std::uint64_t highest = g.MarksStamp();
    for (int x = 0; x < 8; ++x) highest = std::max(highest, g.ColumnStamp(x));
    CellGrid fresh;
    fresh.NewCard(8, 6);
    g = fresh;
    for (int x = 0; x < 8; ++x) EXPECT_GT(g.ColumnStamp(x), highest) << x;
    EXPECT_GT(g.MarksStamp(), highest);
    EXPECT_TRUE(g.SameShape(fresh));
    CellGrid moved;
    moved.NewCard(8, 6);
    highest = g.MarksStamp();
    g = std::move(moved);
    for (int x = 0; x < 8; ++x) EXPECT_GT(g.ColumnStamp(x), highest) << x;
}

}  // namespace
}  // namespace pw
