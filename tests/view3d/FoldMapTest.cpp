// The fold map: the opened card untouched, the flat card on the unfolded
// pattern's lines, the closed card in one plane, and paper never stretched.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>

#include "edit/EditedCard.h"
#include "model/AppSettings.h"
#include "model/RebuildPass.h"
#include "output/UnfoldedPattern.h"
#include "support/CardBuilder.h"
#include "support/RecordingSink.h"
#include "support/RecordingSurface.h"
#include "view3d/CardRenderer.h"
#include "view3d/FoldMap.h"

namespace pw {
namespace {

using test::Recorded;
using test::RecordingSink;

constexpr double kPi = 3.14159265358979323846;

// A card with boxes, a tunnel, a staircase and a mirrored pair of walls.
void ShapeCard(EditedCard& card) {
    card.NewCard(14, 10);
    CellGrid& g = card.grid;
    test::AddBox(g, 2, 3, 4);
    test::AddBox(g, 3, 3, 4);
    test::AddBox(g, 5, 5, 6);
    test::AddTunnel(g, 5, 2);
    test::AddBox(g, 7, 1, 3);
    test::AddBox(g, 7, 4, 2);
    test::AddBox(g, 9, 2, 2);
    test::AddBox(g, 11, 2, 2);
    card.edit.cursorVisible = false;
}

RecordingSink Frame(EditedCard& card, const AppSettings& settings) {
    CardRenderer renderer(card, settings);
    RecordingSink sink;
    renderer.DrawFrame(sink);
    return sink;
}

TEST(FoldMapTest, OpenAngleIsExactlyTheIdentityAndTheEndsCarryNoRounding) {
    EXPECT_EQ(FoldMatrix(90.0), IdentityMatrix());
    for (double a : {0.0, 180.0})
        for (double e : FoldMatrix(a)) EXPECT_TRUE(e == 0 || e == 1 || e == -1) << a << " " << e;
    // The floor sheet (z = 1) never moves; the crease is the hinge.
    for (double a : {0.0, 30.0, 45.0, 135.0, 180.0}) {
        const Vertex p = Transform(FoldMatrix(a), {3, 7.5, 1});
        EXPECT_DOUBLE_EQ(p.y, 7.5);
        EXPECT_DOUBLE_EQ(p.z, 1.0);
        const Vertex top = Transform(FoldMatrix(a), {3, 1, 5});  // the back sheet, 4 up
        EXPECT_NEAR(top.y, 1 + 4 * std::cos(a * kPi / 180), 1e-12);
        EXPECT_NEAR(top.z, 1 + 4 * std::sin(a * kPi / 180), 1e-12);
    }
}

TEST(FoldMapTest, UnfoldingUndoesTheFoldExceptClosedOrFlat) {
    for (double a : {15.0, 45.0, 90.0, 120.0, 179.0}) {
        Matrix4 inverse;
        ASSERT_TRUE(UnfoldMatrix(a, inverse)) << a;
        const Matrix4 both = Multiply(inverse, FoldMatrix(a));
        for (int i = 0; i < 16; ++i) EXPECT_NEAR(both[i], IdentityMatrix()[i], 1e-12) << a << " " << i;
    }
    Matrix4 none;
    EXPECT_FALSE(UnfoldMatrix(0.0, none));
    EXPECT_FALSE(UnfoldMatrix(180.0, none));
}

TEST(FoldMapTest, EveryFaceEdgeKeepsItsLengthAtEveryAngle) {
    EditedCard card;
    ShapeCard(card);
    AppSettings settings;
    settings.view.gridDisplay = 1;  // every cell's own square
    const RecordingSink frame = Frame(card, settings);
    for (double a : {0.0, 15.0, 45.0, 90.0, 120.0, 180.0}) {
        const Matrix4 m = FoldMatrix(a);
        for (const Recorded& r : frame.OfKind(Recorded::LineLoop))
            for (int i = 0; i < 4; ++i) {
                const Vertex p = Transform(m, r.v[i]), q = Transform(m, r.v[(i + 1) % 4]);
                const double length = std::sqrt((p.x - q.x) * (p.x - q.x) + (p.y - q.y) * (p.y - q.y) + (p.z - q.z) * (p.z - q.z));
                ASSERT_NEAR(length, 1.0, 1e-12) << "angle " << a;
            }
    }
}

TEST(FoldMapTest, ClosedFlatCardIsOneLineAcrossItsColumns) {
    EditedCard card;
    card.NewCard(10, 7);
    card.edit.cursorVisible = false;
    AppSettings settings;
    const RecordingSink frame = Frame(card, settings);
    const Matrix4 m = FoldMatrix(0.0);
    // Seen along the crease, the closed card is the segment z = 1, y from
    // the crease (1) to the sheets' edges (H = 7): both sheets on top of each other.
    double far = 0;
    for (const Recorded& r : frame.calls)
        for (int i = 0; i < r.count; ++i) {
            const Vertex p = Transform(m, r.v[i]);
            EXPECT_EQ(p.z, 1.0);
            EXPECT_GE(p.y, 1.0);
            EXPECT_LE(p.y, 7.0);
            far = std::max(far, p.y);
        }
    EXPECT_EQ(far, 7.0);
}

// Pattern lines of one kind of direction, as covered intervals: for each
// fixed coordinate, the union of the segments along it.
using Cover = std::map<int, std::vector<std::pair<int, int>>>;
bool Covered(const Cover& cover, int at, double from, double to) {
    const auto it = cover.find(at);
    if (it == cover.end()) return false;
    const double lo = std::min(from, to), hi = std::max(from, to);
    // Walk the segments as unit steps: every unit of the edge must be drawn.
    for (double u = lo; u < hi; u += 1) {
        bool found = false;
        for (const auto& s : it->second)
            if (std::min(s.first, s.second) <= u && u + 1 <= std::max(s.first, s.second)) found = true;
        if (!found) return false;
    }
    return true;
}

TEST(FoldMapTest, LaidFlatEveryDrawnEdgeLiesOnALineOfTheUnfoldedPattern) {
    EditedCard card;
    ShapeCard(card);
    AppSettings settings;
    const RecordingSink frame = Frame(card, settings);

    // The pattern at one unit per cell and the origin at the crease: the
    // sheet point (u, s) lands on (u, s).
    test::RecordingSurface surface;
    DrawUnfoldedPattern(surface, card.grid, 0, 0, 0, 1, 1);
    Cover alongColumns, acrossColumns;  // lines of fixed u, lines of fixed s
    for (const test::RecordedLine& l : surface.lines) {
        if (l.x0 == l.x1) alongColumns[l.x0].push_back({l.y0, l.y1});
        if (l.y0 == l.y1) acrossColumns[l.y0].push_back({l.x0, l.x1});
    }

    const Matrix4 flat = FoldMatrix(180.0);
    int checked = 0;
    for (const Recorded& r : frame.OfKind(Recorded::Line)) {
        const Vertex p = Transform(flat, r.v[0]), q = Transform(flat, r.v[1]);
        ASSERT_EQ(p.z, 1.0);
        ASSERT_EQ(q.z, 1.0);
        // Laid flat, depth y lies at s = y - 1 from the crease.
        const double s0 = p.y - 1, s1 = q.y - 1;
        if (p.x == q.x)
            EXPECT_TRUE(Covered(alongColumns, static_cast<int>(p.x), s0, s1))
                << "edge at u=" << p.x << " s " << s0 << ".." << s1;
        else
            EXPECT_TRUE(s0 == s1 && Covered(acrossColumns, static_cast<int>(s0), p.x, q.x))
                << "edge at s=" << s0 << " u " << p.x << ".." << q.x;
        ++checked;
    }
    EXPECT_GT(checked, 40);
}

}  // namespace
}  // namespace pw
