// The sheet of a free-form card against the worked examples (half 100 mm):
// the pattern's lines across a slice and the pieces between them, in mm.
#include <gtest/gtest.h>

#include "FreeformTestCards.h"
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
