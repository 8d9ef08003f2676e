// Lines and pieces of random cards' sheets: a fold lies along the two pieces
// it joins and a pointer beside its middle means the piece on its side; a
// line of a piece is a piece of the line, both ways round.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "model/GridSheet.h"
#include "model/PieceLines.h"
#include "model/RebuildPass.h"
#include "support/CardBuilder.h"

namespace pw {
namespace {

bool Has(const std::vector<int>& v, int x) { return std::find(v.begin(), v.end(), x) != v.end(); }

TEST(PieceLines, FoldsJoinTwoPiecesThePointerFindsAndTheMappingGoesBothWays) {
    std::mt19937 rng(27);
    for (int round = 0; round < 25; ++round) {
        CellGrid g;
        test::RandomCard(g, rng, std::uniform_int_distribution<int>(4, 14)(rng), std::uniform_int_distribution<int>(4, 10)(rng));
        RunRebuildPass(g);
        const Sheet sheet = DeriveGridSheet(g);
        std::vector<std::vector<int>> edgesOf;
        for (std::size_t p = 0; p < sheet.pieces.size(); ++p) edgesOf.push_back(EdgesOfPiece(sheet, static_cast<int>(p)));
        for (std::size_t e = 0; e < sheet.edges.size(); ++e) {
            const SheetEdge& edge = sheet.edges[e];
            const std::vector<int> along = PiecesAlongEdge(sheet, static_cast<int>(e));
            ASSERT_FALSE(along.empty()) << "round " << round << " edge " << e;
            for (std::size_t p = 0; p < sheet.pieces.size(); ++p)
                EXPECT_EQ(Has(along, static_cast<int>(p)), Has(edgesOf[p], static_cast<int>(e))) << round;
            if (IsCut(edge.kind) || edge.path.segments.size() != 1) continue;
            // Beside the middle of a fold, a little way off either side.
            const SheetPoint a = edge.path.start, b = edge.path.segments[0].end;
            const SheetPoint mid{(a.x + b.x) / 2, (a.s + b.s) / 2};
            const double nx = -(b.s - a.s), ns = b.x - a.x;  // a normal, as long as the line
            const double k = 0.1 / std::hypot(nx, ns);
            for (const double side : {-1.0, 1.0}) {
                const SheetPoint p{mid.x + side * k * nx, mid.s + side * k * ns};
                const int under = PieceAt(sheet, p);
                EXPECT_TRUE(Has(along, under)) << "round " << round << " edge " << e;
                EXPECT_EQ(PiecePointedAt(sheet, p, 0.25), under);
                EXPECT_EQ(EdgeNear(sheet, p, 0.25) >= 0, true);
            }
        }
    }
}

}  // namespace
}  // namespace pw
