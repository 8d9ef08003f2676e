// A depth map applied to a card as one edit: the shape it gives, the
// invariants and faces of every result, undo and redo byte for byte, and the
// columns it leaves alone.
#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "model/CardFile.h"
#include "model/ClosingCheck.h"

#include "edit/EditedCard.h"
#include "edit/ReliefEdit.h"
#include "model/GridInvariants.h"
#include "model/RebuildPass.h"
#include "model/ReliefShape.h"
#include "support/CardBuilder.h"

namespace pw {
namespace {

bool SameBytes(const CellGrid& a, const CellGrid& b) {
    return a.CellCount() == b.CellCount() && std::equal(a.Data(), a.Data() + a.CellCount(), b.Data());
}

// Every column of the card keeps the invariants, has the file's column
// shape and rebuilds to the whole paper strip.
void ExpectSoundCard(CellGrid& g) {
    RunRebuildPass(g);
    ASSERT_EQ(CheckGridInvariants(g), "");
    ASSERT_EQ(CheckFacesFresh(g), "");
    for (int x = 1; x <= g.gridWidth - 2; ++x) {
        ASSERT_TRUE(HasFileShape(g, x)) << "column " << x;
        ASSERT_EQ(CountFaces(g, x), 2 * (g.gridHeight - 1)) << "column " << x;
    }
}

TEST(ApplyDepthMap, ShapesTheCoveredColumnsAndLeavesTheOthers) {
    EditedCard card;
    card.NewCard(12, 10);
    test::AddBox(card.grid, 1, 2, 3);
    test::AddBox(card.grid, 7, 4, 1);
    RunRebuildPass(card.grid);
    const CellGrid before = card.grid;

    DepthMap map(3, 3, 5);
    map.At(0, 0) = 2;                   // column 3: a step of depth 2 on the floor
    map.At(1, 2) = 3;                   // column 4: floating at height 3: tunnels under it
    map.At(2, 0) = 1, map.At(2, 4) = 4; // column 5: an overhang at height 5
    ASSERT_TRUE(ApplyDepthMap(card, map, false));

    EXPECT_EQ(ReadColumnDepths(card.grid, 3), (ColumnDepths{2, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(ReadColumnDepths(card.grid, 4), (ColumnDepths{0, 0, 3, 0, 0, 0, 0, 0}));
    EXPECT_EQ(ReadColumnDepths(card.grid, 5), (ColumnDepths{4, 0, 0, 0, 4, 0, 0, 0}));
    for (int x : {1, 2, 6, 7, 8, 9, 10})
        EXPECT_EQ(ReadColumnDepths(card.grid, x), ReadColumnDepths(before, x)) << "column " << x;
    // The changed columns and their right neighbours are dirty.
    for (int x = 1; x <= 10; ++x) EXPECT_EQ(card.grid.IsColumnDirty(x), x >= 3 && x <= 6) << "column " << x;
    EXPECT_TRUE(card.grid.gridChanged);
    EXPECT_EQ(card.history.Size(), 1u);
    ExpectSoundCard(card.grid);
}

TEST(ApplyDepthMap, IsOneStepThatUndoAndRedoBringBackExactly) {
    EditedCard card;
    std::mt19937 rng(7);
    test::RandomCard(card.grid, rng, 20, 14);
    RunRebuildPass(card.grid);
    const CellGrid before = card.grid;

    DepthMap map(4, 10, 12);
    for (int& d : map.depth) d = std::uniform_int_distribution<int>(0, 14)(rng) * static_cast<int>(rng() % 2);
    ASSERT_TRUE(ApplyDepthMap(card, map, false));
    RunRebuildPass(card.grid);
    const CellGrid after = card.grid;
    ASSERT_EQ(card.history.Size(), 1u);

    card.history.UndoLastStep(card.grid);
    RunRebuildPass(card.grid);
    EXPECT_TRUE(SameBytes(card.grid, before));
    EXPECT_FALSE(card.history.HasUndoSteps());

    card.history.RedoLastStep(card.grid);
    RunRebuildPass(card.grid);
    EXPECT_TRUE(SameBytes(card.grid, after));
    EXPECT_EQ(card.history.Size(), 1u);
}

TEST(ApplyDepthMap, EveryResultKeepsTheInvariantsAndRebuildsToTheWholeStrip) {
    std::mt19937 rng(1500);
    for (int round = 0; round < 300; ++round) {
        const int W = std::uniform_int_distribution<int>(3, 14)(rng);
        const int H = std::uniform_int_distribution<int>(3, 16)(rng);
        EditedCard card;
        test::RandomCard(card.grid, rng, W, H);
        RunRebuildPass(card.grid);
        const int first = std::uniform_int_distribution<int>(-2, W)(rng);
        DepthMap map(first, std::uniform_int_distribution<int>(0, W + 2)(rng),
                     std::uniform_int_distribution<int>(0, H + 2)(rng));
        const int emptiness = std::uniform_int_distribution<int>(1, 4)(rng);
        for (int& d : map.depth)
            d = std::uniform_int_distribution<int>(0, emptiness)(rng) == 0 ? 0 : std::uniform_int_distribution<int>(-2, H + 2)(rng);
        const bool keepInside = rng() % 2 == 0;
        ApplyDepthMap(card, map, keepInside);
        ExpectSoundCard(card.grid);
        // A card file keeps exactly this shape.
        std::ostringstream text;
        WriteCard(text, card.grid);
        std::istringstream in(text.str());
        CellGrid reread;
        ASSERT_TRUE(ParseCard(in, reread));
        ASSERT_TRUE(reread.SameShape(card.grid));
        if (keepInside) {
            for (int x = std::max(1, first); x <= W - 2 && x < first + map.width; ++x) {
                ASSERT_TRUE(FitsInsideClosedCard(ReadColumnDepths(card.grid, x), H));
            }
        }
        // The shape rule and the closing check of the view and of `info`
        // (which reads the faces) agree on every column.
        RunRebuildPass(card.grid);
        for (int x = 1; x <= W - 2; ++x)
            ASSERT_EQ(FitsInsideClosedCard(ReadColumnDepths(card.grid, x), H), ColumnOverhang(card.grid, x) == 0)
                << "column " << x;
        if (::testing::Test::HasFatalFailure()) return;
    }
}

TEST(ApplyDepthMap, ChangingNothingPushesNothing) {
    EditedCard card;
    card.NewCard(10, 8);
    RunRebuildPass(card.grid);
    // A map of nothing over a flat card, and one wholly outside the card.
    EXPECT_FALSE(ApplyDepthMap(card, DepthMap(2, 3, 4), false));
    DepthMap outside(20, 2, 2);
    outside.At(0, 0) = 3;
    EXPECT_FALSE(ApplyDepthMap(card, outside, false));
    EXPECT_FALSE(card.history.HasUndoSteps());
    for (int x = 1; x <= 8; ++x) EXPECT_FALSE(card.grid.IsColumnDirty(x));
    EXPECT_TRUE(card.grid.gridChanged);
}

TEST(ApplyDepthMap, KeepInsideCutsTheTopFrontCorner) {
    EditedCard card;
    card.NewCard(6, 9);
    DepthMap map(1, 4, 7);
    for (int& d : map.depth) d = 7;
    ASSERT_TRUE(ApplyDepthMap(card, map, true));
    for (int x = 1; x <= 4; ++x) EXPECT_EQ(ReadColumnDepths(card.grid, x), (ColumnDepths{7, 6, 5, 4, 3, 2, 1}));
    ExpectSoundCard(card.grid);
}

}  // namespace
}  // namespace pw
