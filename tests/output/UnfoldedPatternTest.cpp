#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

#include "model/CellGrid.h"
#include "model/RebuildPass.h"
#include "output/PatternImages.h"
#include "output/PatternPlacement.h"
#include "output/UnfoldedPattern.h"
#include "support/CardBuilder.h"
#include "support/RecordingSurface.h"

namespace pw {
namespace {

using test::RecordedLine;
using test::RecordingSurface;
using test::SurfaceCall;

constexpr int kW = 18, kH = 9;  // the default 16 by 8 card

RecordedLine L(const PenSpec& pen, int u0, int s0, int u1, int s1) { return {pen, u0, s0, u1, s1}; }

// Drawn at one unit per cell from the origin, device points are the sheet
// coordinates (u, s) themselves.
RecordingSurface DrawInSheetUnits(CellGrid& g, int reverseMode = 0) {
    RunRebuildPass(g);
    RecordingSurface s;
    EXPECT_TRUE(DrawUnfoldedPattern(s, g, reverseMode, 0, 0, 1, 1));
    return s;
}

std::multiset<RecordedLine> AsMultiset(const std::vector<RecordedLine>& v) { return {v.begin(), v.end()}; }

// The s values covered by vertical cut lines at boundary u, counting each unit.
std::map<int, int> CutUnitsAt(const std::vector<RecordedLine>& lines, int u) {
    std::map<int, int> units;
    for (const RecordedLine& l : lines)
        if (l.pen == kCutPen && l.x0 == u && l.x1 == u)
            for (int s = std::min(l.y0, l.y1); s < std::max(l.y0, l.y1); ++s) ++units[s];
    return units;
}

// The horizontal lines (constant s) of a pen, drawn from u0 to u1.
std::multiset<std::tuple<int, int, int>> AcrossLines(const std::vector<RecordedLine>& lines, const PenSpec& pen) {
    std::multiset<std::tuple<int, int, int>> out;
    for (const RecordedLine& l : lines)
        if (l.pen == pen && l.y0 == l.y1 && l.x0 != l.x1) out.insert({l.y0, l.x0, l.x1});
    return out;
}

std::vector<RecordedLine> WithoutOutline(std::vector<RecordedLine> lines) {
    lines.resize(lines.size() - 4);
    return lines;
}

TEST(DrawUnfoldedPattern, CreatesSelectsAndReleasesPensInTheFixedOrder) {
    CellGrid g;
    g.NewCard(kW, kH);
    test::AddBox(g, 5, 2, 3);
    const RecordingSurface s = DrawInSheetUnits(g);
    const auto& c = s.calls;
    ASSERT_GT(c.size(), 20u);

    ASSERT_EQ(c[0].kind, SurfaceCall::Create);
    ASSERT_EQ(c[1].kind, SurfaceCall::Create);
    ASSERT_EQ(c[2].kind, SurfaceCall::Create);
    EXPECT_EQ(c[0].pen, kCutPen);
    EXPECT_EQ(c[1].pen, kMountainPen);
    EXPECT_EQ(c[2].pen, kValleyPen);
    EXPECT_EQ(kCutPen, (PenSpec{PenStyle::Solid, 2, 0, 0, 0}));
    EXPECT_EQ(kMountainPen, (PenSpec{PenStyle::Dash, 1, 1, 0, 0}));
    EXPECT_EQ(kValleyPen, (PenSpec{PenStyle::Dot, 1, 0, 0, 1}));

    // The end: the previous pen back, then the three pens released.
    const std::size_t n = c.size();
    EXPECT_EQ(c[n - 4].kind, SurfaceCall::Select);
    EXPECT_EQ(c[n - 4].handle, RecordingSurface::kInitialPen);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(c[n - 3 + k].kind, SurfaceCall::Delete);
        EXPECT_EQ(c[n - 3 + k].handle, c[k].handle);
    }

    // Every slab line is select, move, line; the outline selects once for
    // its four move-line pairs.
    const std::size_t outline = n - 4 - 9;
    for (std::size_t i = 3; i < outline; i += 3) {
        ASSERT_EQ(c[i].kind, SurfaceCall::Select) << i;
        ASSERT_EQ(c[i + 1].kind, SurfaceCall::Move) << i;
        ASSERT_EQ(c[i + 2].kind, SurfaceCall::Line) << i;
    }
    ASSERT_EQ(c[outline].kind, SurfaceCall::Select);
    EXPECT_EQ(c[outline].handle, c[0].handle);
    for (std::size_t i = outline + 1; i < n - 4; i += 2) {
        EXPECT_EQ(c[i].kind, SurfaceCall::Move);
        EXPECT_EQ(c[i + 1].kind, SurfaceCall::Line);
    }
    const std::vector<RecordedLine> last4(s.lines.end() - 4, s.lines.end());
    EXPECT_EQ(last4, (std::vector<RecordedLine>{L(kCutPen, 1, 8, 17, 8), L(kCutPen, 1, -8, 17, -8),
                                                L(kCutPen, 1, 8, 1, -8), L(kCutPen, 17, 8, 17, -8)}));
}

TEST(DrawUnfoldedPattern, FlatCardIsOutlineCreaseAndLeftEdge) {
    CellGrid g;
    g.NewCard(kW, kH);
    const RecordingSurface s = DrawInSheetUnits(g);
    std::multiset<RecordedLine> expected{L(kValleyPen, 1, 0, 17, 0), L(kValleyPen, 1, 0, 17, 0)};
    for (int z = 1; z <= 8; ++z) expected.insert(L(kCutPen, 1, 1 - z, 1, -z));  // back sheet, vs column 0
    for (int n = 1; n <= 8; ++n) expected.insert(L(kCutPen, 1, n, 1, n - 1));   // floor sheet
    for (const RecordedLine& l :
         {L(kCutPen, 1, 8, 17, 8), L(kCutPen, 1, -8, 17, -8), L(kCutPen, 1, 8, 1, -8), L(kCutPen, 17, 8, 17, -8)})
        expected.insert(l);
    EXPECT_EQ(AsMultiset(s.lines), expected);
}

TEST(DrawUnfoldedPattern, BoxSlabFoldsReplaceTheCreaseAndCutsFrameIt) {
    CellGrid g;
    g.NewCard(kW, kH);
    for (int x = 5; x <= 7; ++x) test::AddBox(g, x, 2, 3);  // height 3 over depths 1 and 2
    const RecordingSurface s = DrawInSheetUnits(g);
    const auto lines = WithoutOutline(s.lines);

    // Columns 5..7 form one slab from u = 5 to u = 8; each fold is found from
    // both of its faces and drawn twice.
    EXPECT_EQ(AcrossLines(lines, kValleyPen),
              (std::multiset<std::tuple<int, int, int>>{{-3, 5, 8}, {-3, 5, 8}, {2, 5, 8}, {2, 5, 8},
                                                        {0, 1, 5}, {0, 1, 5}, {0, 8, 17}, {0, 8, 17}}));
    EXPECT_EQ(AcrossLines(lines, kMountainPen), (std::multiset<std::tuple<int, int, int>>{{-1, 5, 8}, {-1, 5, 8}}));
    EXPECT_TRUE(AcrossLines(lines, kCutPen).empty());

    for (int u : {5, 8}) {
        const auto units = CutUnitsAt(lines, u);
        std::set<int> covered;
        for (const auto& [unit, count] : units) covered.insert(unit);
        EXPECT_EQ(covered, (std::set<int>{-3, -2, -1, 0, 1})) << "u = " << u;  // s from -3 to 2
        EXPECT_GT(std::count_if(units.begin(), units.end(), [](auto& e) { return e.second == 2; }), 0);
    }
    // The merged columns add no cuts of their own.
    EXPECT_TRUE(CutUnitsAt(lines, 6).empty());
    EXPECT_TRUE(CutUnitsAt(lines, 7).empty());
    for (int u = 2; u <= 17; ++u) EXPECT_EQ(CutUnitsAt(lines, u).empty(), u != 5 && u != 8) << u;
}

TEST(DrawUnfoldedPattern, BoxAsDeepAsHighPutsItsMountainOnTheCreaseLine) {
    CellGrid g;
    g.NewCard(kW, kH);
    test::AddBox(g, 9, 2, 2);
    const auto lines = WithoutOutline(DrawInSheetUnits(g).lines);
    EXPECT_EQ(AcrossLines(lines, kMountainPen), (std::multiset<std::tuple<int, int, int>>{{0, 9, 10}, {0, 9, 10}}));
    EXPECT_EQ(AcrossLines(lines, kValleyPen),
              (std::multiset<std::tuple<int, int, int>>{{-2, 9, 10}, {-2, 9, 10}, {2, 9, 10}, {2, 9, 10},
                                                        {0, 1, 9}, {0, 1, 9}, {0, 10, 17}, {0, 10, 17}}));
}

TEST(DrawUnfoldedPattern, EqualNeighbourColumnsShareOneSlab) {
    CellGrid g;
    g.NewCard(kW, kH);
    test::AddBox(g, 3, 2, 3);
    test::AddBox(g, 4, 2, 3);
    test::AddBox(g, 5, 3, 3);  // deeper: a slab of its own
    test::AddBox(g, 6, 3, 3);
    const auto lines = WithoutOutline(DrawInSheetUnits(g).lines);
    for (const auto& [s, u0, u1] : AcrossLines(lines, kMountainPen)) {
        EXPECT_TRUE((u0 == 3 && u1 == 5) || (u0 == 5 && u1 == 7)) << u0 << ".." << u1;
        EXPECT_EQ(s, u0 == 3 ? -1 : 0);
    }
    EXPECT_FALSE(CutUnitsAt(lines, 5).empty());
    EXPECT_TRUE(CutUnitsAt(lines, 4).empty());
    EXPECT_TRUE(CutUnitsAt(lines, 6).empty());
}

TEST(DrawUnfoldedPattern, ReverseModeMirrorsEveryXInTheSameRectangleAndKeepsThePens) {
    CellGrid g;
    g.NewCard(kW, kH);
    test::AddBox(g, 3, 2, 3);
    test::AddTunnel(g, 3, 2);
    test::AddBox(g, 11, 4, 1);
    RunRebuildPass(g);
    const double ox = 10.5, oy = 31.25, cw = 20.25, ch = 7.5;
    RecordingSurface plain, mirrored;
    DrawUnfoldedPattern(plain, g, 0, 0, oy, 1, ch);  // x = u
    DrawUnfoldedPattern(mirrored, g, 1, ox, oy, cw, ch);
    ASSERT_EQ(plain.calls.size(), mirrored.calls.size());
    for (std::size_t i = 0; i < plain.calls.size(); ++i) {
        const SurfaceCall& p = plain.calls[i];
        const SurfaceCall& m = mirrored.calls[i];
        ASSERT_EQ(p.kind, m.kind);
        if (p.kind == SurfaceCall::Move || p.kind == SurfaceCall::Line) {
            EXPECT_EQ(m.x, static_cast<int>(std::trunc(ox + (kW - p.x) * cw))) << i;
            EXPECT_EQ(m.y, p.y);
        } else {
            EXPECT_EQ(m.pen, p.pen);
            EXPECT_EQ(m.handle, p.handle);
        }
    }
    // Column 1 lies at the right: the first side cut is at u = 1.
    EXPECT_EQ(mirrored.lines.front().x0, static_cast<int>(ox + (kW - 1) * cw));
}

TEST(DrawUnfoldedPattern, DeviceUnitsTruncateTowardZero) {
    CellGrid g;
    g.NewCard(kW, kH);
    RunRebuildPass(g);
    RecordingSurface s;
    DrawUnfoldedPattern(s, g, 0, 10.9, -30.7, 20, 10);
    // The outline's top edge starts at (u, s) = (1, H-1); its bottom edge at s = 1-H.
    const RecordedLine& top = s.lines[s.lines.size() - 4];
    EXPECT_EQ(top.x0, 30);              // 30.9, not rounded up
    EXPECT_EQ(top.x1, 350);             // 10.9 + 17 * 20
    EXPECT_EQ(top.y0, 49);              // -30.7 + 80 = 49.3
    EXPECT_EQ(s.lines[s.lines.size() - 3].y0, -110);  // -110.7 toward zero, not -111
    // The crease at s = 0: -30.7 becomes -30.
    EXPECT_EQ(*AcrossLines(s.lines, kValleyPen).begin(), std::make_tuple(-30, 30, 350));
}

TEST(DrawUnfoldedPattern, TooNarrowCardDrawsOnlyTheOutline) {
    CellGrid g;
    g.NewCard(2, 5);  // no card columns: W - 1 <= 1
    RecordingSurface s;
    DrawUnfoldedPattern(s, g, 0, 0, 0, 1, 1);
    EXPECT_EQ(s.lines.size(), 4u);
    EXPECT_EQ(s.calls.size(), 3u + 1 + 8 + 1 + 3);
}

TEST(PrintPlacement, CellsStaySquareOnPaperWithUnequalResolutions) {
    const PatternPlacement p = ComputePrintPlacement(600, 300, 50, kW);
    const double px = 600 * kInchesPerCentimetre, py = 300 * kInchesPerCentimetre;
    EXPECT_DOUBLE_EQ(p.cw, 0.5 * 21 * px / kW);
    EXPECT_DOUBLE_EQ(p.ch, p.cw / 2);
    EXPECT_DOUBLE_EQ(p.ox, 0.5 * 21 * px * 0.5);
    EXPECT_DOUBLE_EQ(p.oy, 29.7 * py * 0.5);
    // The example: 16 card columns at half the A4 width, a cell is 0.583 cm.
    EXPECT_NEAR(p.cw / px, 21 * 0.5 / 18, 1e-12);

    // The printed page draws with exactly this placement.
    CellGrid g;
    g.NewCard(kW, kH);
    RunRebuildPass(g);
    RecordingSurface s;
    DrawPrintedPattern(s, g, 0, 50, 600, 300);
    const RecordedLine& top = s.lines[s.lines.size() - 4];
    EXPECT_EQ(top.x0, static_cast<int>(p.ox + p.cw));
    EXPECT_EQ(top.y0, static_cast<int>(p.oy + 8 * p.ch));
    EXPECT_EQ(top.x1, static_cast<int>(p.ox + 17 * p.cw));
    const RecordedLine& left = s.lines[s.lines.size() - 2];
    EXPECT_NEAR(left.y0 - left.y1, (top.x1 - top.x0) / 2.0, 1.0);  // 16 cells each way
}

}  // namespace
}  // namespace pw
