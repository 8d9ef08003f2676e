// The sheet of a free-form card against the worked examples (half 100 mm):
// the pattern's lines across a slice and the pieces between them, in mm.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>

#include "FreeformTestCards.h"
#include "model/freeform/CurveBook.h"
#include "model/freeform/FreeformChecks.h"

namespace pw::test {
namespace {

using K = SheetEdgeKind;
constexpr auto H = PiecePlane::Horizontal;
constexpr auto V = PiecePlane::Vertical;

struct Stretch {
    double s0, s1;
    PiecePlane plane;
    double level;
};

// From the floor's front edge to the back's top: the lines across the
// slice, and the piece between each two.
void ExpectSlice(const Sheet& sheet, double x, const std::vector<Crossing>& lines, const std::vector<Stretch>& pieces) {
    EXPECT_EQ(LinesAcross(sheet, x), lines) << "x = " << x;
    for (const Stretch& st : pieces) {
        const int k = PieceAt(sheet, {x, (st.s0 + st.s1) / 2});
        ASSERT_GE(k, 0) << "no paper at x = " << x << ", s = " << (st.s0 + st.s1) / 2;
        EXPECT_EQ(sheet.pieces[k].plane, st.plane) << "s " << st.s0 << ".." << st.s1;
        EXPECT_NEAR(sheet.pieces[k].level, st.level, 1e-9) << "s " << st.s0 << ".." << st.s1;
        // the piece holds the whole stretch, and no more of the slice
        EXPECT_EQ(PieceAt(sheet, {x, st.s0 + 1e-3}), k);
        EXPECT_EQ(PieceAt(sheet, {x, st.s1 - 1e-3}), k);
        EXPECT_NE(PieceAt(sheet, {x, st.s0 - 1e-3}), k);
        EXPECT_NE(PieceAt(sheet, {x, st.s1 + 1e-3}), k);
    }
}

const char* kBox = "M 20 0 H 70 V 50 H 20 Z";

TEST(FreeformSheet, BoxStandsOnTheFloorAndHangsItsRoofFromTheBack) {
    const FreeformSheet built = BuildFreeformSheet(Card({Flat(40, kBox)}));
    ExpectSlice(built.sheet, 45,
                {{100, K::OutlineCut}, {40, K::Valley}, {-10, K::Mountain}, {-50, K::Valley}, {-100, K::OutlineCut}},
                {{40, 100, H, 0}, {-10, 40, V, 40}, {-50, -10, H, 50}, {-100, -50, V, 0}});
    // Beside the box the sheet is whole: floor and back meet at the crease.
    ExpectSlice(built.sheet, 10, {{100, K::OutlineCut}, {0, K::Crease}, {-100, K::OutlineCut}}, {{0, 100, H, 0}, {-100, 0, V, 0}});
    // The cuts along its sides, from the floor fold to the back fold.
    for (double x : {20.0, 70.0}) {
        double length = 0;
        for (const SheetEdge& e : built.sheet.edges)
            if (e.kind == K::InnerCut && e.path.AllStraight() && e.path.start.x == x && e.path.End().x == x)
                length += std::fabs(e.path.End().s - e.path.start.s);
        EXPECT_NEAR(length, 90, 1e-9) << "x = " << x;
    }
    EXPECT_TRUE(CheckFreeformCard(Card({Flat(40, kBox)}), built).empty());
    // A window's straight sill is no top of the flat: it hangs no roof.
    const FreeformCard windowed = Card({Flat(40, std::string(kBox) + " M 30 10 H 60 V 30 H 30 Z")});
    const FreeformSheet withWindow = BuildFreeformSheet(windowed);
    EXPECT_EQ(std::count_if(withWindow.pieces.begin(), withWindow.pieces.end(),
                            [](const FreeformPieceInfo& p) { return p.role == FreeformPieceRole::Roof; }),
              1);
    EXPECT_TRUE(CheckFreeformCard(windowed, withWindow).empty());
}

TEST(FreeformSheet, RoundWindowIsACircleOfItsRadiusAtItsCentresPlace) {
    const FreeformSheet built =
        BuildFreeformSheet(Card({Flat(40, std::string(kBox) + " M 35 25 A 10 10 0 1 0 55 25 A 10 10 0 1 0 35 25 Z")}));
    int circles = 0;
    for (const SheetEdge& e : built.sheet.edges) {
        if (e.kind != K::InnerCut || e.path.AllStraight()) continue;
        ++circles;
        EXPECT_TRUE(e.path.closed);
        double sweep = 0;
        for (const PathSegment& seg : e.path.segments) {
            ASSERT_EQ(seg.shape, SegmentShape::Arc);
            EXPECT_NEAR(seg.centre.x, 45, 1e-9);
            EXPECT_NEAR(seg.centre.s, 40 - 25, 1e-9);
            EXPECT_NEAR(std::hypot(seg.end.x - 45, seg.end.s - 15), 10, 1e-9);
            sweep += seg.sweep;
        }
        EXPECT_NEAR(std::fabs(sweep), 2 * M_PI, 1e-9);
        EXPECT_NEAR(std::hypot(e.path.start.x - 45, e.path.start.s - 15), 10, 1e-9);
    }
    EXPECT_EQ(circles, 1);
    EXPECT_EQ(PieceAt(built.sheet, {45, 15}), -1) << "the window's disc falls out";
}

TEST(FreeformSheet, CurvedTopIsACutWithTheFloorBehindIt) {
    const FreeformCard card = Card({Flat(40, "M 20 0 H 70 V 30 A 20 20 0 0 0 50 50 H 40 A 20 20 0 0 0 20 30 Z")});
    const FreeformSheet built = BuildFreeformSheet(card);
    const double z30 = 50 - std::sqrt(300);
    ExpectSlice(built.sheet, 30,
                {{100, K::OutlineCut}, {40, K::Valley}, {40 - z30, K::InnerCut}, {0, K::Crease}, {-100, K::OutlineCut}},
                {{40, 100, H, 0}, {40 - z30, 40, V, 40}, {0, 40 - z30, H, 0}, {-100, 0, V, 0}});
    // The roof hangs from the run only.
    ExpectSlice(built.sheet, 45,
                {{100, K::OutlineCut}, {40, K::Valley}, {-10, K::Mountain}, {-50, K::Valley}, {-100, K::OutlineCut}},
                {{40, 100, H, 0}, {-10, 40, V, 40}, {-50, -10, H, 50}, {-100, -50, V, 0}});
    // The arcs reach the sheet as arcs around their centres' places.
    int arcs = 0;
    for (const SheetEdge& e : built.sheet.edges)
        for (const PathSegment& seg : e.path.segments)
            if (seg.shape == SegmentShape::Arc) {
                ++arcs;
                EXPECT_EQ(e.kind, K::InnerCut);
                EXPECT_NEAR(seg.centre.s, 40 - 50, 1e-9);
                EXPECT_TRUE(std::fabs(seg.centre.x - 20) < 1e-9 || std::fabs(seg.centre.x - 70) < 1e-9);
            }
    EXPECT_EQ(arcs, 2);
    EXPECT_TRUE(CheckFreeformCard(card, built).empty());
}

TEST(FreeformSheet, StackedFlatStandsOnTheRoofInFrontOfIt) {
    const FreeformCard card = Card({Flat(40, "M 0 0 H 60 V 20 H 0 Z", "A"), Flat(20, "M 10 0 H 50 V 50 H 10 Z", "B")});
    const FreeformSheet built = BuildFreeformSheet(card);
    ExpectSlice(built.sheet, 30,
                {{100, K::OutlineCut}, {40, K::Valley}, {20, K::Mountain}, {0, K::Valley}, {-30, K::Mountain}, {-50, K::Valley},
                 {-100, K::OutlineCut}},
                {{40, 100, H, 0}, {20, 40, V, 40}, {0, 20, H, 20}, {-30, 0, V, 20}, {-50, -30, H, 50}, {-100, -50, V, 0}});
    // Beside B, A's roof reaches the back.
    ExpectSlice(built.sheet, 5, {{100, K::OutlineCut}, {40, K::Valley}, {20, K::Mountain}, {-20, K::Valley}, {-100, K::OutlineCut}},
                {{40, 100, H, 0}, {20, 40, V, 40}, {-20, 20, H, 20}, {-100, -20, V, 0}});
    EXPECT_TRUE(CheckFreeformCard(card, built).empty());
}

}  // namespace
}  // namespace pw::test

namespace pw::test {
namespace {

double DistanceToPath(const SheetPath& path, SheetPoint p) {
    std::vector<SheetPoint> q = FlattenPath(path, 1e-5);
    if (path.closed) q.push_back(q.front());
    double best = 1e300;
    for (std::size_t i = 1; i < q.size(); ++i) {
        const double dx = q[i].x - q[i - 1].x, ds = q[i].s - q[i - 1].s, len2 = dx * dx + ds * ds;
        const double t = len2 > 0 ? std::clamp(((p.x - q[i - 1].x) * dx + (p.s - q[i - 1].s) * ds) / len2, 0.0, 1.0) : 0;
        best = std::min(best, std::hypot(p.x - q[i - 1].x - t * dx, p.s - q[i - 1].s - t * ds));
    }
    return best;
}

// A random flat: a box, maybe with rounded shoulders and a round window.
FreeformFlat RandomFlat(std::mt19937& rng) {
    auto u = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng); };
    auto coin = [&] { return std::bernoulli_distribution(0.5)(rng); };
    const double x0 = u(5, 110), w = u(12, 40), h = u(10, 60), depth = u(10, 90);
    const double r = coin() ? 0 : u(2, std::min(w, h) / 3);
    char text[400];
    std::snprintf(text, sizeof text, "M %f 0 H %f V %f A %f %f 0 0 1 %f %f H %f A %f %f 0 0 1 %f %f Z", x0, x0 + w, h - r, r, r,
                  x0 + w - r, h, x0 + r, r, r, x0, h - r);
    std::string outline = text;
    if (coin()) {
        const double wr = u(1, std::min(w, h) / 5);
        std::snprintf(text, sizeof text, " M %f %f a %f %f 0 1 0 %f 0 a %f %f 0 1 0 %f 0 Z", x0 + w / 2 - wr, h / 2, wr, wr, 2 * wr,
                      wr, wr, -2 * wr);
        outline += text;
    }
    return Flat(depth, outline);
}

// What the paper beside a piece's boundary makes of it: nothing there is a
// cut; the same place in the opened card is a fold, a valley where the
// upright paper rises from the level one, a mountain where it hangs below;
// different places are a cut between them.
SheetEdgeKind ExpectedLine(const Sheet& sheet, int p, SheetPoint at, SheetPoint inward) {
    const SheetPiece& piece = sheet.pieces[static_cast<std::size_t>(p)];
    const int q = PieceAt(sheet, {at.x - inward.x, at.s - inward.s});
    if (q < 0 || q == p) {
        const bool edge = at.x < 1e-6 || at.x > sheet.maxX - 1e-6 || std::fabs(std::fabs(at.s) - sheet.half) < 1e-6;
        return edge ? SheetEdgeKind::OutlineCut : SheetEdgeKind::InnerCut;
    }
    const SheetPiece& other = sheet.pieces[static_cast<std::size_t>(q)];
    const CardPoint a = PlacePoint(piece, at), b = PlacePoint(other, at);
    if (std::hypot(a.y - b.y, a.z - b.z) > 1e-6 || piece.plane == other.plane) return SheetEdgeKind::InnerCut;
    const bool upright = piece.plane == PiecePlane::Vertical;
    const SheetPiece& level = upright ? other : piece;
    const SheetPoint intoUpright = upright ? SheetPoint{at.x + inward.x, at.s + inward.s} : SheetPoint{at.x - inward.x, at.s - inward.s};
    if (std::fabs(a.y) < 1e-6 && std::fabs(a.z) < 1e-6) return SheetEdgeKind::Crease;
    return PlacePoint(upright ? piece : other, intoUpright).z > level.level ? SheetEdgeKind::Valley : SheetEdgeKind::Mountain;
}

TEST(FreeformSheet, EveryPieceEdgeLiesOnAPatternLineOfItsKindOnRandomCards) {
    std::mt19937 rng(20261208);
    int valid = 0;
    for (int round = 0; round < 60; ++round) {
        std::vector<FreeformFlat> flats;
        for (int n = std::uniform_int_distribution<int>(1, 3)(rng); n > 0; --n) flats.push_back(RandomFlat(rng));
        const FreeformCard card = Card(flats);
        const FreeformSheet built = BuildFreeformSheet(card);
        if (!CheckFreeformCard(card, built).empty()) continue;
        ++valid;
        const Sheet& sheet = built.sheet;
        for (std::size_t p = 0; p < sheet.pieces.size(); ++p)
            for (const SheetPath& loop : sheet.pieces[p].loops) {
                SheetPoint from = loop.start;
                std::vector<PathSegment> segments = loop.segments;
                if (loop.closed && segments.back().end != loop.start) segments.emplace_back().end = loop.start;
                for (const PathSegment& seg : segments) {
                    for (double t : {0.25, 0.5, 0.75}) {
                        const SheetPoint at = PointOnSegment(from, seg, t);
                        const SheetPoint ahead = PointOnSegment(from, seg, t + 1e-4), behind = PointOnSegment(from, seg, t - 1e-4);
                        const double len = std::hypot(ahead.x - behind.x, ahead.s - behind.s);
                        SheetPoint inward{-(ahead.s - behind.s) / len * 1e-3, (ahead.x - behind.x) / len * 1e-3};
                        if (!PieceHolds(sheet.pieces[p], {at.x + inward.x, at.s + inward.s})) inward = {-inward.x, -inward.s};
                        // s = y - z: the piece's place in the card projects back onto the sheet
                        const CardPoint c = PlacePoint(sheet.pieces[p], at);
                        ASSERT_NEAR(c.y - c.z, at.s, 1e-9);
                        const SheetEdgeKind kind = ExpectedLine(sheet, static_cast<int>(p), at, inward);
                        double nearest = 1e300;
                        for (const SheetEdge& e : sheet.edges)
                            if (e.kind == kind) nearest = std::min(nearest, DistanceToPath(e.path, at));
                        ASSERT_LT(nearest, 1e-3) << "round " << round << ", piece " << p << " at " << at.x << ", " << at.s
                                                 << ": no line of kind " << static_cast<int>(kind);
                    }
                    from = seg.end;
                }
            }
    }
    EXPECT_GE(valid, 15);
}

// Two sheets with the same lines and pieces, exactly: the flats' indexes aside.
void ExpectSameSheet(const FreeformSheet& a, const FreeformSheet& b, const std::string& where) {
    auto samePath = [](const SheetPath& p, const SheetPath& q) {
        if (p.start != q.start || p.closed != q.closed || p.segments.size() != q.segments.size()) return false;
        for (std::size_t k = 0; k < p.segments.size(); ++k) {
            const PathSegment &u = p.segments[k], &v = q.segments[k];
            if (u.shape != v.shape || u.end != v.end || u.centre != v.centre || u.sweep != v.sweep || u.control1 != v.control1 ||
                u.control2 != v.control2)
                return false;
        }
        return true;
    };
    ASSERT_EQ(a.sheet.edges.size(), b.sheet.edges.size()) << where;
    for (std::size_t e = 0; e < a.sheet.edges.size(); ++e) {
        EXPECT_EQ(a.sheet.edges[e].kind, b.sheet.edges[e].kind) << where << ", edge " << e;
        EXPECT_TRUE(samePath(a.sheet.edges[e].path, b.sheet.edges[e].path)) << where << ", edge " << e;
    }
    ASSERT_EQ(a.sheet.pieces.size(), b.sheet.pieces.size()) << where;
    for (std::size_t p = 0; p < a.sheet.pieces.size(); ++p) {
        const SheetPiece &u = a.sheet.pieces[p], &v = b.sheet.pieces[p];
        EXPECT_TRUE(u.plane == v.plane && u.level == v.level && u.loops.size() == v.loops.size()) << where << ", piece " << p;
        for (std::size_t l = 0; l < std::min(u.loops.size(), v.loops.size()); ++l)
            EXPECT_TRUE(samePath(u.loops[l], v.loops[l])) << where << ", piece " << p;
        EXPECT_EQ(a.pieces[p].role, b.pieces[p].role) << where;
        EXPECT_TRUE(a.pieces[p].heldBelow == b.pieces[p].heldBelow && a.pieces[p].heldAbove == b.pieces[p].heldAbove) << where;
    }
    EXPECT_EQ(a.geometryFailed, b.geometryFailed);
}

// A sheet built again after random edits, with each flat's own parts kept
// from the build before, is the sheet built from scratch; an edit of one
// flat makes that flat's parts alone; a hidden flat is no paper at all.
TEST(FreeformSheet, KeptPartsBuildTheSameSheetAsAFreshBuildAfterRandomEdits) {
    std::mt19937 rng(2424);
    auto pick = [&](const FreeformCard& c) { return std::uniform_int_distribution<std::size_t>(0, c.flats.size() - 1)(rng); };
    for (int round = 0; round < 8; ++round) {
        std::vector<FreeformFlat> flats;
        for (int n = 0; n < 6; ++n) flats.push_back(RandomFlat(rng));
        FreeformCard card = Card(flats);
        KeptFlatParts kept;
        BuildFreeformSheet(card, kept);
        EXPECT_EQ(kept.MadeInLastBuild(), card.flats.size());
        for (int step = 0; step < 12; ++step) {
            const std::size_t i = pick(card);
            std::size_t made = 1;
            switch (std::uniform_int_distribution<int>(0, 4)(rng)) {
                case 0: card.flats[i] = RandomFlat(rng); break;
                case 1: card.flats[i].depth = std::uniform_real_distribution<double>(10, 90)(rng); break;
                case 2: card.flats[i].roofless.push_back({card.flats[i].loops[0].start.x, 0}), made = 0; break;
                case 3: card.flats[i].hidden = !card.flats[i].hidden, made = card.flats[i].hidden ? 0 : 1; break;
                default: card.flats.erase(card.flats.begin() + static_cast<long>(i)), made = 0;
            }
            if (card.flats.empty()) card.flats.push_back(RandomFlat(rng)), made = 1;
            const std::string where = "round " + std::to_string(round) + ", step " + std::to_string(step);
            ExpectSameSheet(BuildFreeformSheet(card, kept), BuildFreeformSheet(card), where);
            EXPECT_LE(kept.MadeInLastBuild(), made) << where;
        }
        // Hidden is as good as gone.
        FreeformCard without = card;
        const std::size_t h = pick(card);
        card.flats[h].hidden = true;
        without.flats.erase(without.flats.begin() + static_cast<long>(h));
        ExpectSameSheet(BuildFreeformSheet(card), BuildFreeformSheet(without), "hidden flat " + std::to_string(h));
        EXPECT_EQ(CheckFreeformCard(card, BuildFreeformSheet(card)).size(), CheckFreeformCard(without, BuildFreeformSheet(without)).size());
    }
}

}  // namespace
}  // namespace pw::test
