// The nearest column a card can hold for any requested depths, and the cut
// that keeps a column inside the closed card.
#include <gtest/gtest.h>

#include <random>

#include "model/CellFlags.h"
#include "model/CellGrid.h"
#include "model/ClosingCheck.h"
#include "model/RebuildPass.h"
#include "model/ReliefShape.h"

namespace pw {
namespace {

// A one-column map whose rows (height 1 first) ask for `asked`.
DepthMap OneColumn(const std::vector<int>& asked) {
    DepthMap map(1, 1, static_cast<int>(asked.size()));
    for (std::size_t i = 0; i < asked.size(); ++i) map.At(0, static_cast<int>(i)) = asked[i];
    return map;
}

TEST(NearestValidColumn, KeepsAStaircaseAndFillsOverhangsDownward) {
    const int H = 10;  // heights and depths 1 .. 8
    EXPECT_EQ(NearestValidColumn(OneColumn({5, 3, 3, 1}), 0, H), (ColumnDepths{5, 3, 3, 1, 0, 0, 0, 0}));
    // A depth that grows with height is an overhang: the heights under it
    // reach out as far.
    EXPECT_EQ(NearestValidColumn(OneColumn({1, 2, 6, 4}), 0, H), (ColumnDepths{6, 6, 6, 4, 0, 0, 0, 0}));
}

TEST(NearestValidColumn, EmptyHeightsUnderReliefBecomeTunnels) {
    const int H = 10;
    EXPECT_EQ(NearestValidColumn(OneColumn({0, 0, 3, 0, 2}), 0, H), (ColumnDepths{0, 0, 3, 0, 2, 0, 0, 0}));
    // Negative asks count as empty.
    EXPECT_EQ(NearestValidColumn(OneColumn({-4, 1, 0, 2}), 0, H), (ColumnDepths{0, 2, 0, 2, 0, 0, 0, 0}));
}

TEST(NearestValidColumn, ClampsIntoTheCard) {
    const int H = 6;  // heights and depths 1 .. 4
    EXPECT_EQ(NearestValidColumn(OneColumn({99, 7, 1, 2, 9, 9, 9}), 0, H), (ColumnDepths{4, 4, 2, 2}));
    EXPECT_EQ(NearestValidColumn(OneColumn({}), 0, H), (ColumnDepths{0, 0, 0, 0}));
    // A column outside the map is flat.
    EXPECT_EQ(NearestValidColumn(OneColumn({3}), 1, H), (ColumnDepths{0, 0, 0, 0}));
}

TEST(NearestValidColumn, EveryResultIsAColumnTheCardCanHold) {
    std::mt19937 rng(15);
    for (int round = 0; round < 2000; ++round) {
        const int H = std::uniform_int_distribution<int>(3, 30)(rng);
        std::vector<int> asked(static_cast<std::size_t>(std::uniform_int_distribution<int>(0, H + 3)(rng)));
        for (int& a : asked) a = std::uniform_int_distribution<int>(-3, H + 3)(rng) * (rng() % 3 == 0 ? 0 : 1);
        const ColumnDepths d = NearestValidColumn(OneColumn(asked), 0, H);
        ASSERT_EQ(static_cast<int>(d.size()), H - 2);
        int top = 0;
        for (int i = 0; i < H - 2; ++i) {
            ASSERT_GE(d[i], 0);
            ASSERT_LE(d[i], H - 2);
            if (d[i] > 0) top = i + 1;
        }
        // Below the top every height is a tunnel or reaches at least as far
        // as every height above it.
        for (int i = 0; i < top; ++i)
            for (int j = i + 1; j < top && d[i] > 0; ++j) ASSERT_GE(d[i], d[j]);
    }
}

TEST(KeepInsideClosedCard, CutsTheCornersThatWouldStickOut) {
    const int H = 9;  // sheets of 8 cells
    ColumnDepths d{7, 7, 7, 7, 7, 7, 7};
    EXPECT_FALSE(FitsInsideClosedCard(d, H));
    KeepInsideClosedCard(d, H);
    // Height z may reach depth H-1-z.
    EXPECT_EQ(d, (ColumnDepths{7, 6, 5, 4, 3, 2, 1}));
    EXPECT_TRUE(FitsInsideClosedCard(d, H));
    // A box of depth 4 and height 4 fits exactly: its corner is 8 cells out.
    ColumnDepths box{4, 4, 4, 4, 0, 0, 0};
    EXPECT_TRUE(FitsInsideClosedCard(box, H));
    KeepInsideClosedCard(box, H);
    EXPECT_EQ(box, (ColumnDepths{4, 4, 4, 4, 0, 0, 0}));
    // Tunnels stay, and no height is emptied.
    ColumnDepths tunnel{5, 0, 5, 5, 5, 0, 0};
    KeepInsideClosedCard(tunnel, H);
    EXPECT_EQ(tunnel, (ColumnDepths{5, 0, 5, 4, 3, 0, 0}));
}

// The insert dialogs judge the card before it is changed from its columns'
// depths: they must come to what Check Closing finds on the rebuilt card.
TEST(CheckClosingOfColumns, AgreesWithTheRebuiltCard) {
    std::mt19937 rng(23);
    for (int round = 0; round < 300; ++round) {
        const int W = std::uniform_int_distribution<int>(3, 9)(rng), H = std::uniform_int_distribution<int>(4, 14)(rng);
        CellGrid g;
        g.NewCard(W, H);
        DepthMap map(1, W - 2, H);
        for (int& d : map.depth) d = std::uniform_int_distribution<int>(-1, H)(rng) * (rng() % 3 == 0 ? 0 : 1);
        std::vector<ColumnDepths> columns;
        for (int x = 1; x <= W - 2; ++x) {
            columns.push_back(NearestValidColumn(map, x - 1, H));
            for (int z = 1; z <= H - 2; ++z)
                for (int y = 1; y <= columns.back()[static_cast<std::size_t>(z - 1)]; ++y)
                    g.ChangeCellFlag(x, y, z, CELL_SOLID, true);
        }
        g.MarkColumnsDirty(1, W - 2);
        g.gridChanged = true;
        RunRebuildPass(g);
        const ClosingReport real = CheckClosing(g), judged = CheckClosingOfColumns(columns, H);
        ASSERT_EQ(judged.overhang, real.overhang) << "round " << round;
        ASSERT_EQ(judged.columnRuns, real.columnRuns) << "round " << round;
    }
}

TEST(ReadColumnDepths, ReadsTheSolidDepthAtEachHeight) {
    CellGrid g;
    g.NewCard(5, 8);
    for (int y = 1; y <= 3; ++y)
        for (int z = 1; z <= 2; ++z) g.ChangeCellFlag(2, y, z, CELL_SOLID, true);
    g.ChangeCellFlag(2, 1, 4, CELL_SOLID, true);
    EXPECT_EQ(ReadColumnDepths(g, 2), (ColumnDepths{3, 3, 0, 1, 0, 0}));
    EXPECT_EQ(ReadColumnDepths(g, 1), (ColumnDepths{0, 0, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace pw
