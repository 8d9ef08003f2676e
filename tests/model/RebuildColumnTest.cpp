#include <gtest/gtest.h>

#include <random>
#include <set>
#include <tuple>

#include "model/CellFlags.h"
#include "model/CellGrid.h"
#include "model/GridInvariants.h"
#include "model/RebuildPass.h"
#include "support/CardBuilder.h"

namespace pw {
namespace {

using Face = std::tuple<int, int, int>;  // (y, z)

std::set<std::pair<int, int>> Faces(const CellGrid& g, int x, std::uint8_t flag) {
    std::set<std::pair<int, int>> out;
    for (int y = 0; y < g.gridHeight; ++y)
        for (int z = 0; z < g.gridHeight; ++z)
            if (g.HasFlag(x, y, z, flag)) out.insert({y, z});
    return out;
}

constexpr int kW = 8, kH = 9;

TEST(RebuildColumn, FlatColumnIsFloorAndBackSheetOnly) {
    CellGrid g;
    g.NewCard(kW, kH);
    g.RebuildColumn(3);
    std::set<std::pair<int, int>> horizontal, vertical;
    for (int n = 1; n < kH; ++n) horizontal.insert({n, 1});
    for (int z = 1; z < kH; ++z) vertical.insert({1, z});
    EXPECT_EQ(Faces(g, 3, CELL_HORIZONTAL_FACE), horizontal);
    EXPECT_EQ(Faces(g, 3, CELL_VERTICAL_FACE), vertical);
}

TEST(RebuildColumn, BoxGetsRiserTopAndShorterSheets) {
    CellGrid g;
    g.NewCard(kW, kH);
    test::AddBox(g, 3, 2, 3);
    g.RebuildColumn(3);
    std::set<std::pair<int, int>> horizontal{{2, 4}, {1, 4}}, vertical{{3, 1}, {3, 2}, {3, 3}};
    for (int n = 3; n < kH; ++n) horizontal.insert({n, 1});
    for (int z = 4; z < kH; ++z) vertical.insert({1, z});
    EXPECT_EQ(Faces(g, 3, CELL_HORIZONTAL_FACE), horizontal);
    EXPECT_EQ(Faces(g, 3, CELL_VERTICAL_FACE), vertical);
    EXPECT_EQ(CountFaces(g, 3), 2 * (kH - 1));
}

TEST(RebuildColumn, TunnelMovesTheRiserPaperToTheTunnelFloor) {
    CellGrid g;
    g.NewCard(kW, kH);
    test::AddBox(g, 3, 2, 3);
    test::AddTunnel(g, 3, 2);
    g.RebuildColumn(3);
    std::set<std::pair<int, int>> horizontal{{2, 4}, {1, 4}, {2, 2}}, vertical{{3, 1}, {3, 3}};
    for (int n = 3; n < kH; ++n) horizontal.insert({n, 1});
    for (int z = 4; z < kH; ++z) vertical.insert({1, z});
    EXPECT_EQ(Faces(g, 3, CELL_HORIZONTAL_FACE), horizontal);
    EXPECT_EQ(Faces(g, 3, CELL_VERTICAL_FACE), vertical);
}

TEST(RebuildColumn, TunnelLongerThanTheBoxIsDeepContinuesUpTheBackSheet) {
    CellGrid g;
    g.NewCard(kW, kH);
    test::AddBox(g, 3, 1, 5);  // one deep, five high
    test::AddTunnel(g, 3, 2);
    test::AddTunnel(g, 3, 3);
    test::AddTunnel(g, 3, 4);
    g.RebuildColumn(3);
    // Riser at depth 2: heights 1 and 5 stay; the tunnel run starting at
    // height 2 lays one floor cell at depth 1, then climbs the back sheet.
    const auto v = Faces(g, 3, CELL_VERTICAL_FACE);
    EXPECT_TRUE(v.count({2, 1}) && v.count({2, 5}));
    EXPECT_FALSE(v.count({2, 2}) || v.count({2, 3}) || v.count({2, 4}));
    EXPECT_TRUE(Faces(g, 3, CELL_HORIZONTAL_FACE).count({1, 2}));
    EXPECT_TRUE(v.count({1, 2}) && v.count({1, 3}));
    EXPECT_EQ(CountFaces(g, 3), 2 * (kH - 1));
}

TEST(RebuildColumn, SameAsLeftFollowsHeightsAndTunnels) {
    CellGrid g;
    g.NewCard(kW, kH);
    RunRebuildPass(g);
    EXPECT_FALSE(g.HasFlag(1, 0, 0, COLUMN_SAME_AS_LEFT));
    for (int x = 2; x <= kW - 2; ++x) EXPECT_TRUE(g.HasFlag(x, 0, 0, COLUMN_SAME_AS_LEFT)) << x;

    test::AddBox(g, 3, 2, 3);
    RunRebuildPass(g);
    EXPECT_FALSE(g.HasFlag(3, 0, 0, COLUMN_SAME_AS_LEFT));
    EXPECT_FALSE(g.HasFlag(4, 0, 0, COLUMN_SAME_AS_LEFT));
    EXPECT_TRUE(g.HasFlag(5, 0, 0, COLUMN_SAME_AS_LEFT));

    test::AddBox(g, 4, 2, 3);
    RunRebuildPass(g);
    EXPECT_TRUE(g.HasFlag(4, 0, 0, COLUMN_SAME_AS_LEFT));
    EXPECT_FALSE(g.HasFlag(5, 0, 0, COLUMN_SAME_AS_LEFT));

    // Same heights everywhere, but a tunnel inside the riser differs.
    test::AddTunnel(g, 4, 2);
    RunRebuildPass(g);
    EXPECT_EQ(g.HeightAt(4, 1), g.HeightAt(3, 1));
    EXPECT_FALSE(g.HasFlag(4, 0, 0, COLUMN_SAME_AS_LEFT));
}

TEST(RebuildColumn, StaleSameAsLeftWhenTheRightNeighbourIsNotMarked) {
    CellGrid g;
    g.NewCard(kW, kH);
    RunRebuildPass(g);
    // Change column 3 but mark only column 3: column 4 keeps a stale flag.
    g.ChangeCellFlag(3, 1, 1, CELL_SOLID, true);
    g.ChangeCellFlag(3, 0, 0, COLUMN_DIRTY, true);
    g.gridChanged = true;
    RunRebuildPass(g);
    EXPECT_TRUE(g.HasFlag(4, 0, 0, COLUMN_SAME_AS_LEFT));
    EXPECT_NE(CheckFacesFresh(g), "");
    g.MarkColumnsDirty(3, 1);
    g.gridChanged = true;
    RunRebuildPass(g);
    EXPECT_FALSE(g.HasFlag(4, 0, 0, COLUMN_SAME_AS_LEFT));
}

TEST(RebuildColumn, EveryRandomCardColumnHasOneFacePerUnitOfPaper) {
    std::mt19937 rng(1234);
    for (int round = 0; round < 200; ++round) {
        const int W = std::uniform_int_distribution<int>(3, 14)(rng);
        const int H = std::uniform_int_distribution<int>(3, 14)(rng);
        CellGrid g;
        test::RandomCard(g, rng, W, H);
        ASSERT_EQ(CheckGridInvariants(g), "");
        RunRebuildPass(g);
        for (int x = 1; x <= W - 2; ++x) {
            ASSERT_TRUE(HasFileShape(g, x));
            ASSERT_EQ(CountFaces(g, x), 2 * (H - 1)) << "round " << round << " column " << x;
            // No face on the borders of the column's cross-section it cannot own.
            for (int z = 0; z < H; ++z) ASSERT_FALSE(g.HasFlag(x, 0, z, CELL_VERTICAL_FACE | CELL_HORIZONTAL_FACE));
        }
        ASSERT_EQ(CheckFacesFresh(g), "");
    }
}

}  // namespace
}  // namespace pw
