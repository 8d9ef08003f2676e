// A grid card converted to flats is the same paper: across every column and
// along every row of cells the same lines of the same kinds, and the same
// piece (plane and level) in every cell of the sheet; with tunnels, a card
// the grid's checks accept stays one the free-form checks accept.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "support/CardBuilder.h"
#include "FreeformTestCards.h"
#include "model/CellGrid.h"
#include "model/FaceAnchoring.h"
#include "model/GridSheet.h"
#include "model/GridSheetCells.h"
#include "model/RebuildPass.h"
#include "model/freeform/FreeformChecks.h"
#include "model/freeform/GridConversion.h"

namespace pw::test {
namespace {

// The sheet turned a quarter, so that LinesAcross reads the lines crossing s = const.
Sheet Turned(const Sheet& sheet) {
    Sheet out = sheet;
    const auto turn = [](SheetPoint& p) { p = {p.s, p.x}; };
    for (SheetEdge& e : out.edges) {
        turn(e.path.start);
        for (PathSegment& seg : e.path.segments) turn(seg.end), turn(seg.centre), turn(seg.control1), turn(seg.control2);
    }
    return out;
}

void ExpectSamePaper(const CellGrid& g) {
    const Sheet grid = DeriveGridSheet(g);
    const GridConversion converted = ConvertGridCard(g, grid, 1.0);
    ASSERT_EQ(converted.tunnels, 0);
    const FreeformSheet built = BuildFreeformSheet(converted.card);
    ASSERT_FALSE(built.geometryFailed);
    EXPECT_TRUE(CheckFreeformCard(converted.card, built).empty());
    const Sheet& free = built.sheet;
    const double shift = grid.minX;  // the free-form card starts at x = 0
    for (double x = grid.minX + 0.5; x < grid.maxX; x += 1) {
        EXPECT_EQ(LinesAcross(free, x - shift), LinesAcross(grid, x)) << "x = " << x;
        for (double s = -grid.half + 0.5; s < grid.half; s += 1) {
            const int a = PieceAt(grid, {x, s}), b = PieceAt(free, {x - shift, s});
            ASSERT_GE(a, 0);
            ASSERT_GE(b, 0) << "no paper at " << x << ", " << s;
            EXPECT_EQ(grid.pieces[a].plane, free.pieces[b].plane) << x << ", " << s;
            EXPECT_NEAR(grid.pieces[a].level, free.pieces[b].level, 1e-9) << x << ", " << s;
        }
    }
    // Along the rows the same lines too: where neighbouring columns' roofs
    // meet side by side at one height the paper goes on, as on the grid card.
    Sheet shifted = grid;
    for (SheetEdge& e : shifted.edges) {
        e.path.start.x -= shift;
        for (PathSegment& seg : e.path.segments) seg.end.x -= shift;
    }
    const Sheet freeTurned = Turned(free), gridTurned = Turned(shifted);
    for (double s = -grid.half + 0.5; s < grid.half; s += 1)
        EXPECT_EQ(LinesAcross(freeTurned, s), LinesAcross(gridTurned, s)) << "s = " << s;
}

TEST(GridConversion, ConvertedCardsAreTheSamePaper) {
    std::mt19937 rng(23);
    for (int round = 0; round < 30; ++round) {
        const int W = std::uniform_int_distribution<int>(3, 14)(rng), H = std::uniform_int_distribution<int>(3, 10)(rng);
        CellGrid g;
        g.NewCard(W, H);
        // Every column a staircase stepping down toward the front.
        for (int x = 1; x <= W - 2; ++x) {
            int h = std::uniform_int_distribution<int>(0, H - 2)(rng);
            for (int y = 1; y <= H - 2 && h > 0;) {
                for (int k = std::uniform_int_distribution<int>(1, 3)(rng); k > 0 && y <= H - 2; --k, ++y)
                    for (int z = 1; z <= h; ++z) g.SetSolid(x, y, z, true);
                h = std::uniform_int_distribution<int>(0, h)(rng);
            }
        }
        g.gridChanged = true;
        RunRebuildPass(g);
        SCOPED_TRACE("round " + std::to_string(round));
        ExpectSamePaper(g);
    }
}

// Random grid cards with tunnels that the grid's validity check accepts
// convert to free-form cards that its checks accept too.
TEST(GridConversion, ValidGridCardsWithTunnelsConvertToValidCards) {
    std::mt19937 rng(5);
    int tunnelled = 0;
    for (int round = 0; round < 300; ++round) {
        CellGrid g;
        RandomCard(g, rng, std::uniform_int_distribution<int>(4, 12)(rng), std::uniform_int_distribution<int>(4, 10)(rng));
        RunRebuildPass(g);
        const Sheet grid = DeriveGridSheet(g);
        const FaceAnchoring anchoring{GridSheetCells(grid)};
        bool valid = true;
        for (int x = 1; x <= g.gridWidth - 2; ++x)
            for (int y = 1; y < g.gridHeight; ++y)
                for (int z = 1; z < g.gridHeight; ++z) valid = valid && !anchoring.AnchoredAtOneEnd(x, y, z);
        if (!valid) continue;
        const GridConversion converted = ConvertGridCard(g, grid, 1.0);
        tunnelled += converted.tunnels > 0;
        for (const FlatProblem& p : CheckFreeformCard(converted.card, BuildFreeformSheet(converted.card)))
            ADD_FAILURE() << "round " << round << ": " << FlatProblemText(converted.card, p);
    }
    EXPECT_GE(tunnelled, 5);
}

}  // namespace
}  // namespace pw::test

