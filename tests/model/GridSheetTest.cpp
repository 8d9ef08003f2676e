#include "model/CellFlags.h"
#include "model/GridSheet.h"
#include "model/GridSheetCells.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <tuple>

#include "../support/CardBuilder.h"
#include "model/KeptGridSheet.h"
#include "model/RebuildPass.h"

namespace pw {
namespace {

struct Box {
    double x0, s0, x1, s1;
};
Box BoxOf(const SheetPiece& p) {
    Box b{1e9, 1e9, -1e9, -1e9};
    for (SheetPoint q : FlattenPath(p.loops.at(0), 0.01)) {
        b.x0 = std::min(b.x0, q.x), b.s0 = std::min(b.s0, q.s);
        b.x1 = std::max(b.x1, q.x), b.s1 = std::max(b.s1, q.s);
    }
    return b;
}

// Everything a consumer may read, in a form two sheets can be compared by.
auto Canonical(const Sheet& sheet) {
    std::vector<std::tuple<int, double, double, double, double, double>> pieces;
    for (const SheetPiece& p : sheet.pieces) {
        const Box b = BoxOf(p);
        pieces.emplace_back(static_cast<int>(p.plane), p.level, b.x0, b.s0, b.x1, b.s1);
    }
    std::vector<std::tuple<int, std::vector<std::pair<double, double>>>> edges;
    for (const SheetEdge& e : sheet.edges) {
        std::vector<std::pair<double, double>> points;
        for (SheetPoint q : FlattenPath(e.path, 0.01)) points.emplace_back(q.x, q.s);
        edges.emplace_back(static_cast<int>(e.kind), points);
    }
    std::vector<std::tuple<int, int, int>> joins;
    for (const PieceJoin& j : sheet.joins) joins.emplace_back(j.first, j.second, static_cast<int>(j.kind));
    return std::make_tuple(sheet.minX, sheet.maxX, sheet.half, pieces, edges, joins);
}

// Each face of the grid is a unit of exactly one piece, of the face's plane
// and level, which puts the unit's middle where the face stands; and the
// pieces together cover the sheet once.
void ExpectPiecesAgreeWithFaces(const CellGrid& g, const Sheet& sheet) {
    const int W = g.gridWidth, H = g.gridHeight;
    double area = 0;
    for (const SheetPiece& p : sheet.pieces) {
        const Box b = BoxOf(p);
        area += (b.x1 - b.x0) * (b.s1 - b.s0);
    }
    EXPECT_DOUBLE_EQ(area, (W - 2) * 2.0 * (H - 1));

    for (int x = 1; x <= W - 2; ++x)
        for (int y = 1; y < H; ++y)
            for (int z = 0; z < H; ++z)
                for (const bool vertical : {true, false}) {
                    if (!g.HasFlag(x, y, z, vertical ? CELL_VERTICAL_FACE : CELL_HORIZONTAL_FACE)) continue;
                    // The middle of the face: a vertical one at depth y-1 between
                    // heights z-1 and z, a horizontal one at height z-1 between
                    // depths y-1 and y.
                    const CardPoint want = vertical ? CardPoint{x + 0.5, y - 1.0, z - 0.5} : CardPoint{x + 0.5, y - 0.5, z - 1.0};
                    const SheetPoint at{want.x, want.y - want.z};
                    int holders = 0;
                    for (const SheetPiece& p : sheet.pieces) {
                        const Box b = BoxOf(p);
                        if (at.x < b.x0 || at.x > b.x1 || at.s < b.s0 || at.s > b.s1) continue;
                        ++holders;
                        EXPECT_EQ(p.plane, vertical ? PiecePlane::Vertical : PiecePlane::Horizontal);
                        const CardPoint got = PlacePoint(p, at);
                        EXPECT_DOUBLE_EQ(got.y, want.y);
                        EXPECT_DOUBLE_EQ(got.z, want.z);
                    }
                    EXPECT_EQ(holders, 1) << "face " << x << "," << y << "," << z;
                }
}

TEST(GridSheet, AFlatCardIsTheFloorAndTheBackJoinedAtTheCrease) {
    CellGrid g;
    g.NewCard(18, 9);
    RunRebuildPass(g);
    const Sheet sheet = DeriveGridSheet(g);
    ASSERT_EQ(sheet.pieces.size(), 2u);
    EXPECT_EQ(sheet.pieces[0].plane, PiecePlane::Vertical);
    EXPECT_EQ(sheet.pieces[1].plane, PiecePlane::Horizontal);
    ASSERT_EQ(sheet.joins.size(), 1u);
    ASSERT_EQ(sheet.edges.size(), 2u);
    EXPECT_EQ(sheet.edges[0].kind, SheetEdgeKind::Crease);
    EXPECT_EQ(sheet.edges[1].kind, SheetEdgeKind::OutlineCut);
    EXPECT_TRUE(sheet.edges[1].path.closed);
}

// The box of the worked example: depth 4 and height 5 cells in a card of
// half length 10, columns 3 to 7.
TEST(GridSheet, ABoxFoldsAtItsFootItsRidgeAndTheBack) {
    CellGrid g;
    g.NewCard(10, 11);
    for (int x = 3; x <= 7; ++x) test::AddBox(g, x, 4, 5);
    RunRebuildPass(g);
    const Sheet sheet = DeriveGridSheet(g);
    std::vector<std::tuple<int, double, double, double, double>> lines;
    for (const SheetEdge& e : sheet.edges) {
        if (e.kind == SheetEdgeKind::OutlineCut) continue;
        const SheetPoint a = e.path.start, b = e.path.End();
        lines.emplace_back(static_cast<int>(e.kind), a.x, a.s, b.x, b.s);
    }
    std::sort(lines.begin(), lines.end());
    const int cut = static_cast<int>(SheetEdgeKind::InnerCut), mountain = static_cast<int>(SheetEdgeKind::Mountain),
              valley = static_cast<int>(SheetEdgeKind::Valley), crease = static_cast<int>(SheetEdgeKind::Crease);
    // Box face from s = 4 (its foot) to s = -1 (its ridge), roof to s = -5.
    const std::vector<std::tuple<int, double, double, double, double>> want = {
        {cut, 3, -5, 3, 4},   {cut, 8, -5, 8, 4},     {mountain, 3, -1, 8, -1},
        {valley, 3, -5, 8, -5}, {valley, 3, 4, 8, 4}, {crease, 1, 0, 3, 0}, {crease, 8, 0, 9, 0},
    };
    auto sorted = want;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(lines, sorted);
}

TEST(GridSheet, PiecesAgreeWithTheFacesOfRandomCards) {
    std::mt19937 rng(20261208);
    for (int round = 0; round < 40; ++round) {
        CellGrid g;
        const int W = std::uniform_int_distribution<int>(3, 20)(rng);
        const int H = std::uniform_int_distribution<int>(2, 14)(rng);
        test::RandomCard(g, rng, W, H);
        RunRebuildPass(g);
        const Sheet sheet = DeriveGridSheet(g);
        ExpectPiecesAgreeWithFaces(g, sheet);
        // Read back cell by cell, the sheet says what the face flags say.
        const GridSheetCells cells(sheet);
        ASSERT_EQ(cells.GridWidth(), W);
        ASSERT_EQ(cells.GridHeight(), H);
        for (int x = 0; x < W; ++x) {
            if (x >= 1 && x <= W - 2) {
                EXPECT_EQ(cells.SameAsLeft(x), g.HasFlag(x, 0, 0, COLUMN_SAME_AS_LEFT)) << x;
            }
            for (int y = 0; y < H; ++y)
                for (int z = 0; z < H; ++z) {
                    EXPECT_EQ(cells.HasVerticalFace(x, y, z), g.HasFlag(x, y, z, CELL_VERTICAL_FACE));
                    EXPECT_EQ(cells.HasHorizontalFace(x, y, z), g.HasFlag(x, y, z, CELL_HORIZONTAL_FACE));
                }
        }
        if (HasFailure()) return;
    }
}

// Edits change a few columns; the kept sheet reads only those again, renews
// only their cells, and ends as a sheet derived from scratch, cells and
// piece indices included.
TEST(GridSheet, AKeptSheetFollowsEditsReadingOnlyTheChangedColumns) {
    std::mt19937 rng(7);
    CellGrid g;
    test::RandomCard(g, rng, 24, 12);
    RunRebuildPass(g);
    GridSheetBuilder kept;
    kept.Update(g);
    EXPECT_EQ(kept.ColumnsReadLastUpdate(), 22);
    KeptGridSheet keptCells;
    keptCells.Update(g, false);
    for (int step = 0; step < 60; ++step) {
        const int x = std::uniform_int_distribution<int>(1, 22)(rng);
        const int y = std::uniform_int_distribution<int>(1, 10)(rng);
        const int z = std::uniform_int_distribution<int>(1, 10)(rng);
        const int kind = std::uniform_int_distribution<int>(0, 3)(rng);
        if (kind == 0) {
            test::AddTunnel(g, x, z);
        } else if (kind == 1) {
            // Only the edited column rebuilt: its right neighbour keeps its
            // faces, and only the cuts along its left side are read again.
            for (int b = 1; b <= y; ++b)
                for (int h = 1; h <= z; ++h) g.SetSolid(x, b, h, true);
            g.MarkColumnsDirty(x, 0);
            g.gridChanged = true;
        } else {
            test::AddBox(g, x, y, z);
        }
        RunRebuildPass(g);
        kept.Update(g);
        keptCells.Update(g, false);
        EXPECT_LE(kept.ColumnsReadLastUpdate(), 3);  // the two rebuilt and the one right of them
        const Sheet fresh = DeriveGridSheet(g);
        EXPECT_EQ(Canonical(kept.Current()), Canonical(fresh)) << "step " << step;
        const GridSheetCells freshCells(fresh);
        for (int c = 0; c < 24; ++c) {
            ASSERT_EQ(keptCells.Cells().SameAsLeft(c), freshCells.SameAsLeft(c)) << step << ", column " << c;
            for (int k = -11; k <= 10; ++k) {
                const GridSheetCells::Cell &p = keptCells.Cells().At(c, k), &q = freshCells.At(c, k);
                ASSERT_EQ(std::tie(p.present, p.vertical, p.y, p.z, p.piece), std::tie(q.present, q.vertical, q.y, q.z, q.piece))
                    << step << ", column " << c << ", unit " << k;
            }
        }
        if (HasFailure()) return;
    }
    kept.Update(g);
    EXPECT_EQ(kept.ColumnsReadLastUpdate(), 0);
    g.NewCard(10, 6);
    RunRebuildPass(g);
    EXPECT_EQ(Canonical(kept.Update(g)), Canonical(DeriveGridSheet(g)));
}

// A column rebuilt without a change of shape reads as before, yet may join
// its left neighbour's group: here the neighbour was made like it while
// only the neighbour was rebuilt, and the column itself is rebuilt later.
TEST(GridSheet, AKeptSheetRegroupsAColumnThatReadsAsBeforeButNowMatchesItsLeft) {
    CellGrid g;
    g.NewCard(12, 8);
    test::AddBox(g, 5, 3, 4);
    RunRebuildPass(g);
    GridSheetBuilder kept;
    kept.Update(g);
    for (int y = 1; y <= 3; ++y)
        for (int z = 1; z <= 4; ++z) g.SetSolid(4, y, z, true);
    g.MarkColumnsDirty(4, 0);
    g.gridChanged = true;
    RunRebuildPass(g);
    EXPECT_EQ(Canonical(kept.Update(g)), Canonical(DeriveGridSheet(g)));
    g.MarkColumnsDirty(5, 0);
    g.gridChanged = true;
    RunRebuildPass(g);
    EXPECT_EQ(Canonical(kept.Update(g)), Canonical(DeriveGridSheet(g)));
}

TEST(SheetPath, CurvesFlattenWithinTheTolerance) {
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> coord(-50, 50);
    for (int round = 0; round < 50; ++round) {
        const double tol = std::pow(10.0, std::uniform_real_distribution<double>(-3, 0)(rng));
        const SheetPoint c{coord(rng), coord(rng)};
        const double r = std::uniform_real_distribution<double>(0.5, 40)(rng);
        const double sweep = std::uniform_real_distribution<double>(-2 * M_PI, 2 * M_PI)(rng);
        SheetPath arc({c.x + r, c.s});
        arc.ArcAround(c, sweep);
        const auto points = FlattenPath(arc, tol);
        EXPECT_NEAR(std::hypot(points.back().x - arc.End().x, points.back().s - arc.End().s), 0, 1e-9);
        for (std::size_t i = 0; i + 1 < points.size(); ++i) {
            // Every vertex on the circle, every chord's middle within the tolerance of it.
            EXPECT_NEAR(std::hypot(points[i].x - c.x, points[i].s - c.s), r, 1e-9);
            const double mx = (points[i].x + points[i + 1].x) / 2, ms = (points[i].s + points[i + 1].s) / 2;
            EXPECT_LE(r - std::hypot(mx - c.x, ms - c.s), tol + 1e-9);
        }

        const SheetPoint p0{coord(rng), coord(rng)}, p1{coord(rng), coord(rng)}, p2{coord(rng), coord(rng)},
            p3{coord(rng), coord(rng)};
        SheetPath cubic(p0);
        cubic.CubicTo(p1, p2, p3);
        const auto poly = FlattenPath(cubic, tol);
        // Each point of the curve lies within the tolerance of the polyline.
        for (int k = 0; k <= 200; ++k) {
            const double t = k / 200.0, u = 1 - t;
            const double x = u * u * u * p0.x + 3 * u * u * t * p1.x + 3 * u * t * t * p2.x + t * t * t * p3.x;
            const double s = u * u * u * p0.s + 3 * u * u * t * p1.s + 3 * u * t * t * p2.s + t * t * t * p3.s;
            double best = 1e9;
            for (std::size_t i = 0; i + 1 < poly.size(); ++i) {
                const double dx = poly[i + 1].x - poly[i].x, ds = poly[i + 1].s - poly[i].s;
                const double len2 = dx * dx + ds * ds;
                const double f = len2 > 0 ? std::clamp(((x - poly[i].x) * dx + (s - poly[i].s) * ds) / len2, 0.0, 1.0) : 0;
                best = std::min(best, std::hypot(x - poly[i].x - f * dx, s - poly[i].s - f * ds));
            }
            EXPECT_LE(best, tol + 1e-9);
        }
        if (HasFailure()) return;
    }
    // A tolerance of nothing cannot ask for unbounded memory.
    SheetPath big({0, 0});
    big.ArcAround({1e6, 0}, 6);
    EXPECT_LE(FlattenPath(big, 1e-300).size(), 65537u);
}

}  // namespace
}  // namespace pw
