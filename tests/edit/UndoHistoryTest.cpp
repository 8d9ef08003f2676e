#include <gtest/gtest.h>

#include "edit/UndoHistory.h"
#include "model/CellFlags.h"
#include "model/CellGrid.h"
#include "model/RebuildPass.h"

namespace pw {
namespace {

// One "edit": saves line (x, z), then makes (x, y, z) solid for y < depth.
void Edit(CellGrid& g, UndoHistory& h, int x, int z, int depth) {
    UndoStep step;
    step.lines.push_back(SaveLine(g, x, z));
    for (int y = 0; y < depth; ++y) g.ChangeCellFlag(x, y, z, CELL_SOLID, true);
    g.MarkColumnsDirty(x, 1);
    h.PushStep(std::move(step));
    g.gridChanged = true;
}

TEST(UndoHistory, SaveLineCopiesWholeBytesInDepthOrder) {
    CellGrid g;
    g.NewCard(6, 5);
    g.PutCell(2, 3, 1, 0xA7);
    const UndoLine line = SaveLine(g, 2, 1);
    EXPECT_EQ(line.column, 2);
    EXPECT_EQ(line.height, 1);
    ASSERT_EQ(line.cells.size(), 5u);
    EXPECT_EQ(line.cells[0], CELL_SOLID);
    EXPECT_EQ(line.cells[3], 0xA7);
}

TEST(UndoHistory, UndoRestoresMarksColumnsAndEmpties) {
    CellGrid g;
    g.NewCard(12, 9);
    UndoHistory h;
    RunRebuildPass(g);
    const CellGrid flat = g;
    Edit(g, h, 3, 1, 3);
    RunRebuildPass(g);
    ASSERT_TRUE(h.HasUndoSteps());
    h.UndoLastStep(g);
    EXPECT_TRUE(g.gridChanged);
    EXPECT_TRUE(g.IsColumnDirty(3));
    EXPECT_TRUE(g.IsColumnDirty(4));
    EXPECT_FALSE(g.IsColumnDirty(5));
    EXPECT_FALSE(h.HasUndoSteps());
    RunRebuildPass(g);
    EXPECT_TRUE(g.SameShape(flat));
    for (std::size_t i = 0; i < g.CellCount(); ++i) ASSERT_EQ(g.Data()[i], flat.Data()[i]) << i;
    h.UndoLastStep(g);  // empty history: nothing happens
    EXPECT_TRUE(g.SameShape(flat));
}

TEST(UndoHistory, LineAtTheLastColumnMarksOnlyThatColumn) {
    CellGrid g;
    g.NewCard(12, 9);
    UndoHistory h;
    RunRebuildPass(g);
    Edit(g, h, 10, 2, 2);
    RunRebuildPass(g);
    h.UndoLastStep(g);
    EXPECT_TRUE(g.IsColumnDirty(10));
    EXPECT_EQ(g.GetCell(11, 0, 0), 0);
}

TEST(UndoHistory, KeepsTheNewestHundredSteps) {
    CellGrid g;
    g.NewCard(12, 9);
    UndoHistory h;
    for (int i = 0; i < 101; ++i) Edit(g, h, 1 + i % 10, 1 + (i / 10) % 7, 1 + i % 8);
    EXPECT_EQ(h.Size(), 100u);
    // The oldest left is the second edit.
    EXPECT_EQ(h.Steps().front().lines[0].column, 2);
    while (h.HasUndoSteps()) h.UndoLastStep(g);
    // Back to the state after the first edit, not before it.
    CellGrid expected;
    expected.NewCard(12, 9);
    UndoHistory scratch;
    Edit(expected, scratch, 1, 1, 1);
    EXPECT_TRUE(g.SameShape(expected));
}

TEST(UndoHistory, ALineSavedTwiceInOneStepComesBackAsBefore) {
    CellGrid g;
    g.NewCard(12, 9);
    const CellGrid before = g;
    UndoStep step;
    step.lines.push_back(SaveLine(g, 5, 1));
    for (int y = 0; y < 3; ++y) g.ChangeCellFlag(5, y, 1, CELL_SOLID, true);
    step.lines.push_back(SaveLine(g, 5, 1));  // the same line again, after the first change
    for (int y = 0; y < 5; ++y) g.ChangeCellFlag(5, y, 1, CELL_SOLID, true);
    UndoHistory h;
    h.PushStep(std::move(step));
    h.UndoLastStep(g);
    EXPECT_TRUE(g.SameShape(before));
}

TEST(UndoHistory, ClearEmpties) {
    CellGrid g;
    g.NewCard(12, 9);
    UndoHistory h;
    Edit(g, h, 1, 1, 1);
    h.ClearHistory();
    EXPECT_FALSE(h.HasUndoSteps());
}

}  // namespace
}  // namespace pw
