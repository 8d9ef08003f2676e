#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "edit/EditOperations.h"
#include "edit/EditedCard.h"
#include "model/AppSettings.h"
#include "model/GridInvariants.h"
#include "model/RebuildPass.h"
#include "support/CardBuilder.h"
#include "support/RecordingSound.h"

namespace pw {
namespace {

using Line = std::pair<int, int>;  // (column, height)

class EditOperationsTest : public ::testing::Test {
protected:
    // A flat card of W columns and extent H, rebuilt so that no column is
    // dirty any more and every mark seen later comes from the edit.
    void NewCard(int W, int H) {
        model.NewCard(W, H);
        RunRebuildPass(model.grid);
    }

    std::vector<Line> LastStepLines() const {
        std::vector<Line> lines;
        if (!model.history.HasUndoSteps()) return lines;
        for (const UndoLine& l : model.history.Steps().back().lines) lines.emplace_back(l.column, l.height);
        return lines;
    }

    std::vector<int> DirtyColumns() const {
        std::vector<int> cols;
        for (int x = 0; x < model.grid.gridWidth; ++x)
            if (model.grid.IsColumnDirty(x)) cols.push_back(x);
        return cols;
    }

    // Rebuilds the faces as the next frame would and checks the card's shape.
    void RebuildAndCheck() {
        RunRebuildPass(model.grid);
        EXPECT_EQ(CheckGridInvariants(model.grid), "");
        EXPECT_EQ(CheckFacesFresh(model.grid), "");
    }

    EditedCard model;
    AppSettings settings;
    test::RecordingSound sound;
    EditOperations ops{model, settings, &sound};
};

// The worked example: raise twice, lower, push back, pull out, on W = 12, H = 9.
TEST_F(EditOperationsTest, RaiseLowerPushPullSequence) {
    NewCard(12, 9);
    CellGrid& g = model.grid;

    ops.RaiseArea(3, 2);
    EXPECT_EQ(LastStepLines(), (std::vector<Line>{{3, 1}, {3, 0}}));
    for (int y = 0; y <= 2; ++y) EXPECT_TRUE(g.IsSolid(3, y, 1)) << y;
    EXPECT_FALSE(g.IsSolid(3, 3, 1));
    EXPECT_EQ(DirtyColumns(), (std::vector<int>{3, 4}));
    EXPECT_EQ(sound.played, std::vector<EditSound>{EditSound::Raise});
    EXPECT_TRUE(g.gridChanged);
    RebuildAndCheck();
    EXPECT_EQ(g.HeightAt(3, 1), 1);
    EXPECT_EQ(g.HeightAt(3, 2), 1);
    EXPECT_EQ(g.HeightAt(3, 3), 0);

    ops.RaiseArea(3, 2);
    EXPECT_EQ(LastStepLines(), (std::vector<Line>{{3, 2}, {3, 0}, {3, 1}}));
    RebuildAndCheck();
    EXPECT_EQ(g.HeightAt(3, 2), 2);

    ops.LowerArea(3, 2);
    EXPECT_EQ(LastStepLines(), (std::vector<Line>{{3, 2}}));
    for (int y = 2; y <= 8; ++y) EXPECT_EQ(g.GetCell(3, y, 2), 0) << y;
    EXPECT_TRUE(g.IsSolid(3, 1, 2));
    EXPECT_EQ(DirtyColumns(), (std::vector<int>{3, 4}));
    EXPECT_EQ(sound.played.back(), EditSound::Lower);
    RebuildAndCheck();

    // Vertical plane: the row is now a height. f = 2, so the square is pushed
    // back and a tunnel opens under the step at height 2.
    ops.PushPullArea(3, 1);
    EXPECT_EQ(LastStepLines(), (std::vector<Line>{{3, 1}}));
    for (int y = 1; y <= 7; ++y) EXPECT_FALSE(g.IsSolid(3, y, 1)) << y;
    EXPECT_TRUE(g.IsSolid(3, 0, 1));
    EXPECT_TRUE(g.IsSolid(3, 1, 2));
    EXPECT_EQ(sound.played.back(), EditSound::PushBack);
    RebuildAndCheck();
    EXPECT_TRUE(HasFileShape(g, 3));

    // f = 0 now: the tunnel is closed out to the depth of the step above.
    ops.PushPullArea(3, 1);
    EXPECT_EQ(LastStepLines(), (std::vector<Line>{{3, 1}}));
    EXPECT_TRUE(g.IsSolid(3, 1, 1));
    EXPECT_FALSE(g.IsSolid(3, 2, 1));
    EXPECT_EQ(sound.played.back(), EditSound::PullOut);
    EXPECT_EQ(sound.played.size(), 5u);
    EXPECT_EQ(model.history.Size(), 5u);
    RebuildAndCheck();
}

TEST_F(EditOperationsTest, EditsThatChangeNothingPushNoStepAndPlayNothing) {
    NewCard(12, 9);
    CellGrid& g = model.grid;

    // Each says why: the status bar shows it.
    // Pull-out on the flat card finds no relief above the square.
    EXPECT_EQ(ops.PushPullArea(3, 1), EditRefusal::NothingToPullOut);
    EXPECT_TRUE(g.gridChanged);
    EXPECT_TRUE(DirtyColumns().empty());

    // Lowering a square at height 0 saves nothing but still marks a .. a+s.
    RunRebuildPass(g);
    EXPECT_EQ(ops.LowerArea(3, 2), EditRefusal::NothingToLower);
    EXPECT_TRUE(g.gridChanged);
    EXPECT_EQ(DirtyColumns(), (std::vector<int>{3, 4}));

    // A raise that would pass height H - 2.
    test::AddBox(g, 5, 3, 7);
    RunRebuildPass(g);
    EXPECT_EQ(ops.RaiseArea(5, 2), EditRefusal::AtHeightLimit);
    EXPECT_STREQ(RefusalMessage(EditRefusal::AtHeightLimit), "The relief is already as high as the card allows.");
    EXPECT_TRUE(g.gridChanged);
    EXPECT_TRUE(DirtyColumns().empty());
    EXPECT_EQ(g.HeightAt(5, 2), 7);

    EXPECT_TRUE(sound.played.empty());
    EXPECT_FALSE(model.history.HasUndoSteps());
}

TEST_F(EditOperationsTest, AChangeOnTheMirrorHalfIsNoRefusal) {
    NewCard(12, 9);
    model.edit.mirrorMode = true;
    // The cursor square is at the top bound, its mirror square is flat.
    test::AddBox(model.grid, 2, 1, 7);
    test::AddBox(model.grid, 8, 1, 2);
    RunRebuildPass(model.grid);
    EXPECT_EQ(ops.RaiseArea(2, 1), EditRefusal::None);
    EXPECT_EQ(model.grid.HeightAt(9, 1), 1);
    // A flat cursor square whose mirror square has relief.
    EXPECT_EQ(ops.LowerArea(3, 1), EditRefusal::None);
    EXPECT_EQ(model.grid.HeightAt(8, 1), 1);
    EXPECT_EQ(RefusalMessage(EditRefusal::None), nullptr);
}

TEST_F(EditOperationsTest, RaiseStopsBelowTheTopBound) {
    NewCard(12, 9);
    CellGrid& g = model.grid;
    model.edit.cursorSize = 2;
    // Heights 1 .. 5 fit under H - 2 = 7 with s = 2; a third raise would not.
    ops.RaiseArea(3, 1);
    ops.RaiseArea(3, 1);
    ops.RaiseArea(3, 1);
    EXPECT_EQ(g.HeightAt(3, 1), 6);
    EXPECT_EQ(model.history.Size(), 3u);
    ops.RaiseArea(3, 1);
    EXPECT_EQ(g.HeightAt(3, 1), 6);
    EXPECT_EQ(model.history.Size(), 3u);
    EXPECT_EQ(sound.played.size(), 3u);
    RebuildAndCheck();

    model.edit.cursorSize = 1;
    ops.RaiseArea(3, 1);  // 6 + 1 = 7 still fits
    EXPECT_EQ(g.HeightAt(3, 1), 7);
    ops.RaiseArea(3, 1);
    EXPECT_EQ(g.HeightAt(3, 1), 7);
    EXPECT_EQ(model.history.Size(), 4u);
    RebuildAndCheck();
}

TEST_F(EditOperationsTest, RaiseLeavesTunnelHeightsOpen) {
    NewCard(12, 9);
    CellGrid& g = model.grid;
    test::AddBox(g, 3, 2, 3);
    test::AddTunnel(g, 3, 1);
    RunRebuildPass(g);
    ops.RaiseArea(3, 1);
    EXPECT_EQ(LastStepLines(), (std::vector<Line>{{3, 4}, {3, 0}, {3, 2}, {3, 3}}));
    EXPECT_FALSE(g.IsSolid(3, 1, 1));
    RebuildAndCheck();
    EXPECT_TRUE(HasFileShape(g, 3));
}

TEST_F(EditOperationsTest, PullOutFillsToTheLargestDepthAbove) {
    NewCard(12, 9);
    CellGrid& g = model.grid;
    model.edit.cursorSize = 2;
    // Above heights 1 and 2 the relief is 1 deep in column 3 and 3 deep in
    // column 4; heights 1 and 2 are tunnels in both.
    test::AddBox(g, 3, 1, 4);
    test::AddBox(g, 4, 3, 4);
    for (int x : {3, 4})
        for (int z : {1, 2}) test::AddTunnel(g, x, z);
    RunRebuildPass(g);

    ops.PushPullArea(3, 1);
    EXPECT_EQ(LastStepLines(), (std::vector<Line>{{3, 1}, {3, 2}, {4, 1}, {4, 2}}));
    for (int x : {3, 4})
        for (int z : {1, 2}) {
            for (int y = 1; y <= 3; ++y) EXPECT_TRUE(g.IsSolid(x, y, z)) << x << ' ' << y << ' ' << z;
            EXPECT_FALSE(g.IsSolid(x, 4, z));
        }
    EXPECT_EQ(DirtyColumns(), (std::vector<int>{3, 4, 5}));
    EXPECT_EQ(sound.played, std::vector<EditSound>{EditSound::PullOut});
    RebuildAndCheck();
}

TEST_F(EditOperationsTest, PullOutSearchesOnlySquaresBelowTheBound) {
    NewCard(12, 9);
    CellGrid& g = model.grid;
    // Relief only at height 7 (H - 2): that square is never examined.
    test::AddBox(g, 3, 1, 7);
    for (int z = 1; z <= 6; ++z) test::AddTunnel(g, 3, z);
    RunRebuildPass(g);
    ops.PushPullArea(3, 1);
    EXPECT_FALSE(model.history.HasUndoSteps());
    // Relief at height 6 is found from height 1 (d = 2, 3, .., 6).
    test::AddBox(g, 4, 2, 6);
    for (int z = 1; z <= 5; ++z) test::AddTunnel(g, 4, z);
    RunRebuildPass(g);
    ops.PushPullArea(4, 1);
    EXPECT_EQ(LastStepLines(), (std::vector<Line>{{4, 1}}));
    EXPECT_TRUE(g.IsSolid(4, 2, 1));
    EXPECT_FALSE(g.IsSolid(4, 3, 1));
}

TEST_F(EditOperationsTest, MirrorRaiseComputesEachHalfOnItsOwn) {
    NewCard(12, 9);
    CellGrid& g = model.grid;
    model.edit.mirrorMode = true;
    test::AddBox(g, 3, 2, 2);
    RunRebuildPass(g);

    ops.RaiseArea(3, 2);
    EXPECT_EQ(LastStepLines(), (std::vector<Line>{{3, 3}, {3, 0}, {3, 1}, {3, 2}, {8, 1}, {8, 0}}));
    EXPECT_EQ(g.HeightAt(3, 2), 3);
    EXPECT_EQ(g.HeightAt(8, 2), 1);
    EXPECT_EQ(DirtyColumns(), (std::vector<int>{3, 4, 8, 9}));
    EXPECT_EQ(sound.played, std::vector<EditSound>{EditSound::Raise});
    EXPECT_EQ(model.history.Size(), 1u);
    RebuildAndCheck();

    // Column 1 reflects to column 10; the border column 11 is never marked.
    ops.RaiseArea(1, 1);
    EXPECT_EQ(g.HeightAt(1, 1), 1);
    EXPECT_EQ(g.HeightAt(10, 1), 1);
    EXPECT_EQ(DirtyColumns(), (std::vector<int>{1, 2, 10}));
    EXPECT_EQ(g.GetCell(11, 0, 0), 0);
    RebuildAndCheck();
}

TEST_F(EditOperationsTest, MirrorSquareColumnsRunFromTheOuterSide) {
    NewCard(12, 9);
    model.edit.mirrorMode = true;
    model.edit.cursorSize = 2;
    ops.RaiseArea(3, 1);  // mirror square: columns 7 and 8, column 8 first
    std::vector<int> columns;
    for (const Line& l : LastStepLines()) columns.push_back(l.first);
    EXPECT_EQ(columns, (std::vector<int>{3, 3, 3, 4, 4, 4, 8, 8, 8, 7, 7, 7}));
    EXPECT_EQ(DirtyColumns(), (std::vector<int>{3, 4, 5, 7, 8, 9}));
    RebuildAndCheck();

    // Lowering: each half takes its own highest cell.
    ops.LowerArea(3, 2);
    columns.clear();
    for (const Line& l : LastStepLines()) columns.push_back(l.first);
    EXPECT_EQ(columns, (std::vector<int>{3, 3, 4, 4, 8, 8, 7, 7}));
    EXPECT_EQ(model.grid.HeightAt(3, 2), 0);
    EXPECT_EQ(model.grid.HeightAt(8, 2), 0);
    EXPECT_EQ(model.grid.HeightAt(8, 1), 2);
    EXPECT_EQ(sound.played.back(), EditSound::Lower);
    RebuildAndCheck();
}

TEST_F(EditOperationsTest, MirrorPushPullSoundFollowsTheCursorSquare) {
    NewCard(12, 9);
    CellGrid& g = model.grid;
    model.edit.mirrorMode = true;
    // Only the mirror column protrudes: it is pushed back, the cursor square
    // finds nothing to pull out, and the sound is the "other case" one.
    test::AddBox(g, 8, 2, 1);
    RunRebuildPass(g);
    ops.PushPullArea(3, 1);
    EXPECT_EQ(LastStepLines(), (std::vector<Line>{{8, 1}}));
    EXPECT_FALSE(g.IsSolid(8, 1, 1));
    EXPECT_EQ(DirtyColumns(), (std::vector<int>{8, 9}));
    EXPECT_EQ(sound.played, std::vector<EditSound>{EditSound::PullOut});
    RebuildAndCheck();

    // Both protrude: both are pushed back.
    test::AddBox(g, 3, 2, 1);
    test::AddBox(g, 8, 2, 1);
    RunRebuildPass(g);
    ops.PushPullArea(3, 1);
    EXPECT_EQ(LastStepLines(), (std::vector<Line>{{3, 1}, {8, 1}}));
    EXPECT_EQ(sound.played.back(), EditSound::PushBack);
    RebuildAndCheck();
}

// A centred square is its own mirror image and is changed once.
TEST_F(EditOperationsTest, SelfMirroredSquareChangesOnce) {
    NewCard(12, 9);
    CellGrid& g = model.grid;
    model.edit.mirrorMode = true;
    model.edit.cursorSize = 2;  // columns 5 and 6 reflect onto each other
    ops.RaiseArea(5, 1);
    EXPECT_EQ(g.HeightAt(5, 1), 2);
    EXPECT_EQ(g.HeightAt(6, 1), 2);
    EXPECT_EQ(LastStepLines(), (std::vector<Line>{{5, 1}, {5, 2}, {5, 0}, {6, 1}, {6, 2}, {6, 0}}));
    EXPECT_EQ(DirtyColumns(), (std::vector<int>{5, 6, 7}));
    RebuildAndCheck();

    ops.PushPullArea(5, 1);  // pushed back, not pulled out again at once
    EXPECT_EQ(LastStepLines(), (std::vector<Line>{{5, 1}, {5, 2}, {6, 1}, {6, 2}}));
    EXPECT_EQ(g.HeightAt(5, 1), 0);
    EXPECT_EQ(sound.played.back(), EditSound::PushBack);
    RebuildAndCheck();

    // Odd card width, s = 1: the centre column.
    NewCard(13, 9);
    model.edit.cursorSize = 1;
    ops.RaiseArea(6, 3);
    ops.RaiseArea(6, 3);
    EXPECT_EQ(g.HeightAt(6, 3), 2);
    ops.LowerArea(6, 3);
    EXPECT_EQ(g.HeightAt(6, 3), 1);
    EXPECT_EQ(LastStepLines(), (std::vector<Line>{{6, 2}}));
    RebuildAndCheck();
}

// A mirror square that overlaps the cursor square only in part runs on the
// first half's result; Undo still restores the state before the edit.
TEST_F(EditOperationsTest, PartlyOverlappingMirrorSquareRunsSecond) {
    NewCard(13, 9);
    CellGrid& g = model.grid;
    model.edit.mirrorMode = true;
    model.edit.cursorSize = 2;  // columns 5, 6; mirror square 6, 7
    const CellGrid before = g;
    ops.RaiseArea(5, 1);
    EXPECT_EQ(LastStepLines(), (std::vector<Line>{{5, 1}, {5, 2}, {5, 0}, {6, 1}, {6, 2}, {6, 0},
                                                  {7, 3}, {7, 4}, {7, 0}, {6, 3}, {6, 4}, {6, 0}, {6, 1}, {6, 2}}));
    EXPECT_EQ(g.HeightAt(5, 1), 2);
    EXPECT_EQ(g.HeightAt(6, 1), 4);
    EXPECT_EQ(g.HeightAt(7, 1), 4);
    EXPECT_FALSE(g.IsSolid(7, 1, 1));  // tunnel heights of column 7 stay open
    EXPECT_EQ(DirtyColumns(), (std::vector<int>{5, 6, 7, 8}));
    RebuildAndCheck();

    ops.LowerArea(5, 1);  // both halves see the highest cell 4 and clear heights 3, 4
    EXPECT_EQ(g.HeightAt(5, 1), 2);
    EXPECT_EQ(g.HeightAt(6, 1), 2);
    EXPECT_EQ(g.HeightAt(7, 1), 0);
    RebuildAndCheck();

    model.history.UndoLastStep(g);
    model.history.UndoLastStep(g);
    RunRebuildPass(g);
    EXPECT_TRUE(g.SameShape(before));
}

TEST_F(EditOperationsTest, SoundOffChangesTheSameAndPlaysNothing) {
    NewCard(12, 9);
    EditedCard loud = model;
    AppSettings loudSettings;
    test::RecordingSound loudSound;
    EditOperations loudOps(loud, loudSettings, &loudSound);
    settings.sound.on = 0;
    model.edit.mirrorMode = loud.edit.mirrorMode = true;
    for (EditOperations* o : {&ops, &loudOps}) {
        o->RaiseArea(3, 2);
        o->RaiseArea(3, 2);
        o->LowerArea(3, 2);
        o->PushPullArea(3, 1);
        o->PushPullArea(3, 1);
    }
    EXPECT_TRUE(sound.played.empty());
    EXPECT_EQ(loudSound.played.size(), 5u);
    EXPECT_TRUE(model.grid.SameShape(loud.grid));
    EXPECT_EQ(model.history.Size(), loud.history.Size());
}

TEST_F(EditOperationsTest, WorksWithoutASoundSink) {
    NewCard(12, 9);
    EditOperations silent(model, settings, nullptr);
    silent.RaiseArea(3, 2);
    EXPECT_EQ(model.history.Size(), 1u);
    EXPECT_EQ(model.grid.HeightAt(3, 2), 1);
}

TEST_F(EditOperationsTest, UndoOfEachOperationRestoresTheBytes) {
    NewCard(12, 9);
    CellGrid& g = model.grid;
    model.edit.cursorSize = 2;
    ops.RaiseArea(3, 3);
    RunRebuildPass(g);
    const std::vector<std::uint8_t> afterRaise(g.Data(), g.Data() + g.CellCount());
    const std::size_t steps = model.history.Size();
    ops.LowerArea(3, 3);
    ops.PushPullArea(3, 1);  // pushed back
    ops.PushPullArea(3, 5);  // nothing above: no step
    ops.RaiseArea(1, 1);
    RunRebuildPass(g);
    EXPECT_EQ(model.history.Size(), steps + 3);
    while (model.history.Size() > steps) model.history.UndoLastStep(g);
    RunRebuildPass(g);
    EXPECT_EQ(std::vector<std::uint8_t>(g.Data(), g.Data() + g.CellCount()), afterRaise);
}

}  // namespace
}  // namespace pw
