// A piece's triangles cover its paper and nothing else: on random
// free-form cards their areas add up to the piece's (holes left out) and
// each lies inside it, whole or cut to a band.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "RandomFreeformCards.h"
#include "model/freeform/SheetTriangulation.h"

namespace pw::test {
namespace {

constexpr double kTolerance = 0.05;

double RingArea(const std::vector<SheetPoint>& q) {
    double twice = 0;
    for (std::size_t i = 0, j = q.size() - 1; i < q.size(); j = i++) twice += q[j].x * q[i].s - q[i].x * q[j].s;
    return std::fabs(twice) / 2;
}

// The shoelace over the loops flattened as the triangulation flattens them.
double PieceArea(const SheetPiece& piece) {
    double area = 0;
    for (std::size_t k = 0; k < piece.loops.size(); ++k)
        area += (k == 0 ? 1 : -1) * RingArea(FlattenPath(piece.loops[k], kTolerance));
    return area;
}

// Even-odd over the loops flattened as the triangulation flattens them.
bool Holds(const SheetPiece& piece, SheetPoint p) {
    bool inside = false;
    for (const SheetPath& loop : piece.loops) {
        const std::vector<SheetPoint> q = FlattenPath(loop, kTolerance);
        for (std::size_t i = 0, j = q.size() - 1; i < q.size(); j = i++)
            if ((q[i].s > p.s) != (q[j].s > p.s) && p.x < q[j].x + (p.s - q[j].s) * (q[i].x - q[j].x) / (q[i].s - q[j].s))
                inside = !inside;
    }
    return inside;
}

// Whether two edges of the flattened loops cross: chords can cut a corner
// that the curve itself passes clear of, and the triangulation then covers
// the repaired paper, which the shoelace does not measure.
bool FlattenedLoopsCross(const SheetPiece& piece) {
    std::vector<std::pair<SheetPoint, SheetPoint>> edges;
    for (const SheetPath& loop : piece.loops) {
        const std::vector<SheetPoint> q = FlattenPath(loop, kTolerance);
        for (std::size_t i = 0, j = q.size() - 1; i < q.size(); j = i++) edges.emplace_back(q[j], q[i]);
    }
    auto side = [](SheetPoint a, SheetPoint b, SheetPoint p) { return (b.x - a.x) * (p.s - a.s) - (b.s - a.s) * (p.x - a.x); };
    for (std::size_t i = 0; i < edges.size(); ++i)
        for (std::size_t j = i + 1; j < edges.size(); ++j) {
            const auto& [a, b] = edges[i];
            const auto& [c, d] = edges[j];
            if (side(a, b, c) * side(a, b, d) < 0 && side(c, d, a) * side(c, d, b) < 0) return true;
        }
    return false;
}

double Covered(const std::vector<SheetTriangle>& triangles, const SheetPiece& piece, SheetBand band) {
    double area = 0;
    for (const SheetTriangle& t : triangles) {
        area += RingArea({t.a, t.b, t.c});
        const SheetPoint centre{(t.a.x + t.b.x + t.c.x) / 3, (t.a.s + t.b.s + t.c.s) / 3};
        EXPECT_TRUE(Holds(piece, centre)) << centre.x << ", " << centre.s;
        EXPECT_GE(centre.s, band.lo);
        EXPECT_LE(centre.s, band.hi);
    }
    return area;
}

TEST(SheetTriangulation, TrianglesCoverEachPieceOfRandomCardsExactlyWholeAndInBands) {
    std::mt19937 rng(8122026);
    int holed = 0;
    for (int round = 0; round < 40; ++round) {
        const FreeformSheet built = BuildFreeformSheet(RandomCurvedCard(rng));
        for (const SheetPiece& piece : built.sheet.pieces) {
            holed += piece.loops.size() > 1;
            const double area = PieceArea(piece);
            const double slack = FlattenedLoopsCross(piece) ? 1e-2 * area : 1e-6 * (1 + area);
            EXPECT_NEAR(Covered(TriangulatePiece(piece, kTolerance), piece, {}), area, slack) << "round " << round;
            // Cut at a random line across it, the two sides make the whole.
            const double at = std::uniform_real_distribution<double>(-100, 100)(rng);
            const SheetBand below{-INFINITY, at}, above{at, INFINITY};
            const double parts = Covered(TriangulatePiece(piece, kTolerance, below), piece, below) +
                                 Covered(TriangulatePiece(piece, kTolerance, above), piece, above);
            EXPECT_NEAR(parts, area, slack) << "round " << round << ", cut at s = " << at;
        }
    }
    EXPECT_GT(holed, 10) << "the random cards must hold pieces with holes";
}

}  // namespace
}  // namespace pw::test
