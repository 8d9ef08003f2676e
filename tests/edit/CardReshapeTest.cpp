// Card size and relief shifts over random cards: each is one undo step that
// undoes and redoes byte for byte, a refused one leaves the card alone, and
// the opposite change brings the shape back.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "edit/CardReshape.h"
#include "edit/EditedCard.h"
#include "model/GridInvariants.h"
#include "model/RebuildPass.h"
#include "support/CardBuilder.h"

namespace pw {
namespace {

bool SameBytes(const CellGrid& a, const CellGrid& b) {
    return a.gridWidth == b.gridWidth && a.CellCount() == b.CellCount() &&
           std::equal(a.Data(), a.Data() + a.CellCount(), b.Data());
}

int ReliefCells(const CellGrid& g) {
    int n = 0;
    for (int x = 1; x <= g.gridWidth - 2; ++x)
        for (int y = 1; y <= g.gridHeight - 2; ++y)
            for (int z = 1; z <= g.gridHeight - 2; ++z) n += g.IsSolid(x, y, z);
    return n;
}

// A random card whose relief keeps off some columns at the sides and some
// rows at the top, so that many changes fit and some do not.
void RandomCard(EditedCard& card, std::mt19937& rng) {
    const int W = std::uniform_int_distribution<int>(MinCardColumns(), 30)(rng) + 2;
    const int H = std::uniform_int_distribution<int>(MinCardRows(), 16)(rng) + 1;
    test::RandomCard(card.grid, rng, W, H);
    const int left = std::uniform_int_distribution<int>(0, 6)(rng), right = std::uniform_int_distribution<int>(0, 6)(rng);
    const int cap = std::uniform_int_distribution<int>(2, H - 2)(rng);
    for (int x = 1; x <= W - 2; ++x)
        for (int y = 1; y <= H - 2; ++y)
            for (int z = 1; z <= H - 2; ++z)
                if (x <= left || x > W - 2 - right || z > cap || y > cap) card.grid.SetSolid(x, y, z, false);
    card.history.ClearHistory();
    RunRebuildPass(card.grid);
}

TEST(CardReshape, EachChangeIsOneStepThatUndoesToTheSameBytesAndRefusalsChangeNothing) {
    std::mt19937 rng(2701);
    int made = 0, refused = 0;
    for (int round = 0; round < 300; ++round) {
        EditedCard card;
        RandomCard(card, rng);
        const CellGrid before = card.grid;
        const int relief = ReliefCells(before);
        const bool resize = rng() % 2 == 0;
        const int columns = std::uniform_int_distribution<int>(MinCardColumns() - 1, 32)(rng);
        const int rows = std::uniform_int_distribution<int>(MinCardRows() - 1, 18)(rng);
        const auto anchor = static_cast<ColumnAnchor>(rng() % 3);
        const int dx = std::uniform_int_distribution<int>(-5, 5)(rng), dz = std::uniform_int_distribution<int>(-3, 3)(rng);
        const ReshapeRefusal r = resize ? ResizeCard(card, columns, rows, anchor) : ShiftRelief(card, dx, dz);
        if (r != ReshapeRefusal::None) {
            ++refused;
            EXPECT_TRUE(SameBytes(card.grid, before)) << "round " << round;
            EXPECT_FALSE(card.history.HasUndoSteps());
            continue;
        }
        ++made;
        ASSERT_EQ(card.history.Size(), 1u);
        RunRebuildPass(card.grid);
        ASSERT_EQ(CheckGridInvariants(card.grid), "") << "round " << round;
        for (int x = 1; x <= card.grid.gridWidth - 2; ++x)
            ASSERT_TRUE(HasFileShape(card.grid, x)) << "round " << round << " column " << x;
        if (resize) {
            EXPECT_EQ(ReliefCells(card.grid), relief) << "round " << round;
        }
        const CellGrid after = card.grid;

        // The opposite change gives the shape back.
        EditedCard back;
        back.grid = after;
        const ReshapeRefusal undo = resize ? ResizeCard(back, before.gridWidth - 2, before.gridHeight - 1, anchor)
                                           : ShiftRelief(back, -dx, -dz);
        ASSERT_EQ(undo, ReshapeRefusal::None) << "round " << round;
        EXPECT_TRUE(back.grid.SameShape(before)) << "round " << round;

        card.history.UndoLastStep(card.grid);
        RunRebuildPass(card.grid);
        EXPECT_TRUE(SameBytes(card.grid, before)) << "round " << round;
        card.history.RedoLastStep(card.grid);
        RunRebuildPass(card.grid);
        EXPECT_TRUE(SameBytes(card.grid, after)) << "round " << round;
        EXPECT_EQ(card.history.Size(), 1u);
    }
    // Both outcomes were tried often.
    EXPECT_GT(made, 60);
    EXPECT_GT(refused, 30);
}

}  // namespace
}  // namespace pw
