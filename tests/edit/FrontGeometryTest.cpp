// The front view's geometry: the shapes its tools draw, the maps that move,
// scale and turn flats, node dragging, picking and snapping; checked as
// properties over random curved flats.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "edit/FlatShapes.h"
#include "edit/FlatTransforms.h"
#include "edit/FrontHitTest.h"
#include "edit/FrontSnapping.h"
#include "model/freeform/PathBounds.h"
#include "model/freeform/RandomFreeformCards.h"

namespace pw {
namespace {

double Gap(SheetPoint a, SheetPoint b) { return std::hypot(a.x - b.x, a.s - b.s); }

// The largest distance between corresponding points of two paths of the
// same segments; infinity when their segments differ.
double PathGap(const SheetPath& a, const SheetPath& b) {
    if (a.segments.size() != b.segments.size() || a.closed != b.closed) return INFINITY;
    double gap = Gap(a.start, b.start);
    for (std::size_t i = 0; i < a.segments.size(); ++i) {
        const PathSegment &p = a.segments[i], &q = b.segments[i];
        if (p.shape != q.shape) return INFINITY;
        gap = std::max(gap, Gap(p.end, q.end));
        if (p.shape == SegmentShape::Arc) gap = std::max({gap, Gap(p.centre, q.centre), std::fabs(p.sweep - q.sweep)});
        if (p.shape == SegmentShape::Cubic) gap = std::max({gap, Gap(p.control1, q.control1), Gap(p.control2, q.control2)});
    }
    return gap;
}

double FlatGap(const FreeformFlat& a, const FreeformFlat& b) {
    double gap = a.loops.size() == b.loops.size() ? 0 : INFINITY;
    for (std::size_t i = 0; i < std::min(a.loops.size(), b.loops.size()); ++i) gap = std::max(gap, PathGap(a.loops[i], b.loops[i]));
    return gap;
}

// The loop's area, its curves flattened finely enough for any scale used here.
double FineArea(const FrontLoop& loop) {
    const std::vector<SheetPoint> p = FlattenPath(loop, 1e-6);
    double twice = 0;
    for (std::size_t i = 0; i < p.size(); ++i) twice += p[i].x * p[(i + 1) % p.size()].s - p[(i + 1) % p.size()].x * p[i].s;
    return twice / 2;
}

bool HasArc(const FreeformFlat& flat) {
    for (const FrontLoop& loop : flat.loops)
        for (const PathSegment& seg : loop.segments)
            if (seg.shape == SegmentShape::Arc) return true;
    return false;
}

TEST(FrontGeometryTest, EveryMapUndoneByItsInverseAndFourQuarterTurnsAreNone) {
    std::mt19937 rng(24);
    auto u = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng); };
    for (int round = 0; round < 200; ++round) {
        const FreeformFlat flat = test::RandomCurvedFlat(rng);
        const SheetPoint about{u(-50, 200), u(-50, 150)};
        const double k = u(0.2, 5) * (round % 5 == 0 ? -1 : 1);
        std::vector<Affine> maps{Affine::Translation(u(-80, 80), u(-80, 80)), Affine::RotationAbout(about, u(-7, 7)),
                                 Affine::ScaleAbout(about, k, k), Affine::ScaleAbout(about, k, -k)};
        // Unequal scaling turns arcs into cubics, so only arc-free flats come back as they were.
        if (!HasArc(flat)) maps.push_back(Affine::ScaleAbout(about, u(0.2, 5), u(0.2, 5)));
        for (const Affine& map : maps) {
            const FreeformFlat there = Transformed(flat, map);
            EXPECT_LT(FlatGap(Transformed(there, map.Inverse()), flat), 1e-9) << round;
            // The map's own change of area: catches a curve turning the wrong way.
            for (std::size_t l = 0; l < flat.loops.size(); ++l) {
                const double want = map.Determinant() * FineArea(flat.loops[l]);
                EXPECT_NEAR(FineArea(there.loops[l]), want, 1e-4 * std::fabs(want)) << round;
            }
        }
        FreeformFlat turned = flat;
        for (int q = 0; q < 4; ++q) turned = Transformed(turned, Affine::RotationAbout(about, M_PI / 2));
        EXPECT_LT(FlatGap(turned, flat), 1e-9) << round;
    }
}

TEST(FrontGeometryTest, ScalingAFlatScalesItsBoxAndNudgingMovesEveryPointByTheNudge) {
    std::mt19937 rng(7);
    auto u = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng); };
    for (int round = 0; round < 100; ++round) {
        const FrontLoop rect = RectangleLoop({u(0, 100), u(0, 60)}, {u(0, 100), u(0, 60)});
        const PathBox box = BoundsOf(rect);
        const SheetPoint fixed{box.x0, box.s0};
        const double sx = u(0.1, 4), ss = u(0.1, 4);
        const PathBox scaled = BoundsOf(Transformed(rect, Affine::ScaleAbout(fixed, sx, ss)));
        EXPECT_NEAR(scaled.x1 - scaled.x0, sx * (box.x1 - box.x0), 1e-9);
        EXPECT_NEAR(scaled.s1 - scaled.s0, ss * (box.s1 - box.s0), 1e-9);
        EXPECT_NEAR(scaled.x0, box.x0, 1e-9);
        EXPECT_NEAR(scaled.s0, box.s0, 1e-9);

        const FreeformFlat flat = test::RandomCurvedFlat(rng);
        const FreeformFlat nudged = Transformed(flat, Affine::Translation(0.1, -0.1));
        for (std::size_t l = 0; l < flat.loops.size(); ++l) {
            const std::vector<SheetPoint> before = FlattenPath(flat.loops[l], 0.05);
            const std::vector<SheetPoint> after = FlattenPath(nudged.loops[l], 0.05);
            ASSERT_EQ(before.size(), after.size());
            for (std::size_t i = 0; i < before.size(); ++i) {
                EXPECT_NEAR(after[i].x - before[i].x, 0.1, 1e-12);
                EXPECT_NEAR(after[i].s - before[i].s, -0.1, 1e-12);
            }
        }
    }
}

TEST(FrontGeometryTest, AMovedNodeLandsWhereDroppedAndArcsBesideItStayCircles) {
    std::mt19937 rng(11);
    auto u = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng); };
    for (int round = 0; round < 300; ++round) {
        const FreeformFlat flat = test::RandomCurvedFlat(rng);
        const int l = std::uniform_int_distribution<int>(0, static_cast<int>(flat.loops.size()) - 1)(rng);
        FrontLoop loop = flat.loops[static_cast<std::size_t>(l)];
        const int node = std::uniform_int_distribution<int>(0, NodeCount(loop) - 1)(rng);
        const SheetPoint old = NodeAt(loop, node);
        const SheetPoint to{old.x + u(-3, 3), old.s + u(-3, 3)};
        MoveNode(loop, node, to);
        EXPECT_EQ(NodeAt(loop, node), to);
        SheetPoint from = loop.start;
        for (const PathSegment& seg : loop.segments) {
            if (seg.shape == SegmentShape::Arc) {
                EXPECT_NEAR(Gap(from, seg.centre), Gap(seg.end, seg.centre), 1e-9);
            }
            from = seg.end;
        }
        // Nodes not at the moved place stay where they were.
        const FrontLoop& was = flat.loops[static_cast<std::size_t>(l)];
        for (int n = 0; n < NodeCount(loop); ++n)
            if (NodeAt(was, n) != old) {
                EXPECT_EQ(NodeAt(loop, n), NodeAt(was, n));
            }
    }
}

TEST(FrontGeometryTest, ThePensArcLeavesAlongTheLineBeforeItAndArcsBecomeCubicsOnTheirCircle) {
    std::mt19937 rng(5);
    auto u = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng); };
    for (int round = 0; round < 300; ++round) {
        SheetPath path({u(0, 100), u(0, 100)});
        path.LineTo({u(0, 100), u(0, 100)});
        const SheetPoint from = path.End(), to{u(0, 100), u(0, 100)};
        const SheetPoint in = *EndTangent(path);
        TangentArcTo(path, to);
        const PathSegment& arc = path.segments.back();
        EXPECT_EQ(arc.end, to);
        if (arc.shape != SegmentShape::Arc) continue;
        EXPECT_NEAR(Gap(from, arc.centre), Gap(to, arc.centre), 1e-9 * Gap(from, arc.centre));
        // The arc's own direction at its start, the radius turned a quarter the way it sweeps.
        const double r = Gap(from, arc.centre), turn = arc.sweep > 0 ? 1 : -1;
        EXPECT_NEAR(turn * (-(from.s - arc.centre.s) * in.x + (from.x - arc.centre.x) * in.s) / r, 1, 1e-9);

        std::vector<PathSegment> cubics = ArcAsCubics(from, arc);
        EXPECT_EQ(cubics.back().end, to);
        SheetPath asCubics(from);
        asCubics.segments = cubics;
        for (const SheetPoint& p : FlattenPath(asCubics, 1e-4 * r)) EXPECT_NEAR(Gap(p, arc.centre), r, 3e-4 * r);
    }
}

TEST(FrontGeometryTest, SnappingNeverMovesAPointFurtherThanItsReach) {
    std::mt19937 rng(3);
    auto u = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng); };
    for (int round = 0; round < 200; ++round) {
        const FreeformCard card = test::RandomCurvedCard(rng);
        SnapOptions options;
        options.distance = u(0.01, 3);
        for (int i = 0; i < 20; ++i) {
            const SheetPoint p{u(-5, 165), u(-5, 80)};
            EXPECT_LE(Gap(Snap(card, p, options), p), options.distance + 1e-12);
        }
    }
    // Near a node of another flat, the node wins over the grid.
    const FreeformCard card = test::Card({test::Flat(30, "M 10.3 0 H 40.3 V 20.3 H 10.3 Z")});
    SnapOptions options;
    EXPECT_EQ(Snap(card, {10.5, 20.5}, options), (SheetPoint{10.3, 20.3}));
    options.skipFlat = 0;
    EXPECT_EQ(Snap(card, {10.4, 20.4}, options), (SheetPoint{10, 20}));
    options.on = false;
    EXPECT_EQ(Snap(card, {10.4, 20.4}, options), (SheetPoint{10.4, 20.4}));
}

TEST(FrontGeometryTest, ShapesRunCounterClockwiseAndAnEllipseStaysOnItsCurve) {
    EXPECT_GT(SignedArea(RectangleLoop({5, 9}, {1, 2})), 0);
    EXPECT_NEAR(SignedArea(PolygonLoop({{0, 0}, {0, 10}, {10, 0}})), 50, 1e-9);
    for (const auto& [rx, rz] : {std::pair{20.0, 20.0}, std::pair{30.0, 8.0}}) {
        const FrontLoop ellipse = EllipseLoop({50, 40}, rx, rz);
        const PathBox box = BoundsOf(ellipse);
        EXPECT_NEAR(box.x1 - box.x0, 2 * rx, 1e-9);
        EXPECT_NEAR(box.s1 - box.s0, 2 * rz, 1e-9);
        EXPECT_GT(SignedArea(ellipse), 0);
        for (const SheetPoint& p : FlattenPath(ellipse, 0.001))
            EXPECT_NEAR(std::hypot((p.x - 50) / rx, (p.s - 40) / rz), 1, 3e-4);
    }
    FreeformCard card = test::Card({});
    card.flats.emplace_back().name = "Rectangle 2";
    EXPECT_EQ(NumberedFlatName(card, "Rectangle"), "Rectangle 3");
    card.flats.emplace_back().name = "Ellipse 3";
    EXPECT_EQ(NumberedFlatName(card, "Ellipse"), "Ellipse 4");
}

TEST(FrontGeometryTest, PicksTheFrontMostShownUnlockedFlatAndHolesAreNotHit) {
    FreeformCard card = test::Card({test::Flat(20, "M 0 0 H 60 V 40 H 0 Z M 10 10 H 20 V 20 H 10 Z"),
                                    test::Flat(40, "M 30 0 H 50 V 20 H 30 Z"), test::Flat(10, "M 0 0 H 5 V 5 H 0 Z")});
    EXPECT_EQ(FlatAt(card, {40, 10}), 1);
    EXPECT_EQ(FlatAt(card, {40, 30}), 0);
    EXPECT_EQ(FlatAt(card, {15, 15}), -1);  // the hole
    EXPECT_EQ(FlatAt(card, {2, 2}), 0);     // the flat behind is covered
    card.flats[1].locked = true;
    EXPECT_EQ(FlatAt(card, {40, 10}), 0);
    card.flats[0].hidden = true;
    EXPECT_EQ(FlatAt(card, {40, 10}), -1);
    EXPECT_EQ(FlatAt(card, {2, 2}), 2);
    EXPECT_EQ(BackToFront(card), (std::vector<int>{2, 0, 1}));
}

}  // namespace
}  // namespace pw
