// The grid card's sheet and the unfolded pattern tell the same lines, and
// the pattern worked out from the sheet keeps the order the printed and
// pictured outputs have always drawn in.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>
#include <tuple>

#include "model/CellFlags.h"
#include "model/CellGrid.h"
#include "model/GridSheet.h"
#include "model/RebuildPass.h"
#include "output/UnfoldedPattern.h"
#include "support/CardBuilder.h"
#include "support/RecordingSurface.h"

namespace pw {
namespace {

enum class Ink { Cut, Mountain, Valley };
using Unit = std::tuple<int, int, int, int>;  // a line one cell long, lower end first

Ink InkOf(SheetEdgeKind kind) {
    if (IsCut(kind)) return Ink::Cut;
    return kind == SheetEdgeKind::Mountain ? Ink::Mountain : Ink::Valley;
}
Ink InkOf(const PenSpec& pen) {
    if (pen == kCutPen) return Ink::Cut;
    return pen == kMountainPen ? Ink::Mountain : Ink::Valley;
}

// Adds the cell-long pieces of an axis-parallel line between grid points.
void AddUnits(std::map<Unit, std::vector<Ink>>& units, int x0, int s0, int x1, int s1, Ink ink) {
    ASSERT_TRUE(x0 == x1 || s0 == s1);
    const int dx = (x1 > x0) - (x1 < x0), ds = (s1 > s0) - (s1 < s0);
    for (int x = x0, s = s0; x != x1 || s != s1; x += dx, s += ds) {
        const Unit u = std::min(Unit{x, s, x + dx, s + ds}, Unit{x + dx, s + ds, x, s});
        units[u].push_back(ink);
    }
}

TEST(SheetPattern, EverySheetEdgeIsDrawnOnceAsThePatternDrawsIt) {
    std::mt19937 rng(1208);
    for (int round = 0; round < 40; ++round) {
        CellGrid g;
        test::RandomCard(g, rng, std::uniform_int_distribution<int>(3, 22)(rng),
                         std::uniform_int_distribution<int>(2, 14)(rng));
        RunRebuildPass(g);

        std::map<Unit, std::vector<Ink>> sheetUnits, drawnUnits;
        for (const SheetEdge& e : DeriveGridSheet(g).edges) {
            const auto points = FlattenPath(e.path, 0.01);
            for (std::size_t i = 0; i < points.size(); ++i) {
                if (i + 1 == points.size() && !e.path.closed) break;
                const SheetPoint a = points[i], b = points[(i + 1) % points.size()];
                AddUnits(sheetUnits, static_cast<int>(a.x), static_cast<int>(a.s), static_cast<int>(b.x),
                         static_cast<int>(b.s), InkOf(e.kind));
            }
        }
        test::RecordingSurface drawn;
        DrawUnfoldedPattern(drawn, g, 0, 0, 0, 1, 1);
        for (const auto& l : drawn.lines) AddUnits(drawnUnits, l.x0, l.y0, l.x1, l.y1, InkOf(l.pen));

        for (const auto& [unit, inks] : sheetUnits) {
            EXPECT_EQ(inks.size(), 1u) << "a line of the sheet is there twice";
            const auto it = drawnUnits.find(unit);
            ASSERT_NE(it, drawnUnits.end()) << "a line of the sheet is not drawn";
            EXPECT_NE(std::find(it->second.begin(), it->second.end(), inks[0]), it->second.end())
                << "drawn in another kind";
        }
        for (const auto& [unit, inks] : drawnUnits)
            for (Ink ink : inks) {
                const auto it = sheetUnits.find(unit);
                ASSERT_NE(it, sheetUnits.end()) << "a drawn line is not on the sheet";
                EXPECT_EQ(it->second[0], ink);
            }
        if (HasFailure()) return;
    }
}

using Drawn = std::tuple<Ink, int, int, int, int>;

// The walk over the face flags that drew the pattern before there was a
// sheet, kept here as the order's reference.
std::vector<Drawn> FaceFlagWalk(const CellGrid& g) {
    const int W = g.gridWidth, H = g.gridHeight;
    const auto v = [&](int x, int y, int z) { return g.HasFlag(x, y, z, CELL_VERTICAL_FACE); };
    const auto h = [&](int x, int y, int z) { return g.HasFlag(x, y, z, CELL_HORIZONTAL_FACE); };
    std::vector<Drawn> out;
    for (int e = 1, n = 1; e < W - 1; e += n) {
        for (n = 1; e + n <= W - 1 && g.HasFlag(e + n, 0, 0, COLUMN_SAME_AS_LEFT);) ++n;
        for (int y = 0; y < H; ++y)
            for (int z = 0; z < H; ++z)
                if (v(e - 1, y, z) != v(e, y, z)) out.emplace_back(Ink::Cut, e, y - z, e, y - z - 1);
        for (int y = 0; y < H; ++y)
            for (int z = 0; z < H; ++z)
                if (h(e - 1, y, z) != h(e, y, z)) out.emplace_back(Ink::Cut, e, y - z + 1, e, y - z);
        for (int y = 1; y < H; ++y)
            for (int z = 1; z < H; ++z) {
                if (v(e, y, z) && !v(e, y, z - 1))
                    out.emplace_back(h(e, y, z) ? Ink::Valley : Ink::Cut, e, y - z, e + n, y - z);
                else if (!v(e, y, z) && v(e, y, z - 1))
                    out.emplace_back(h(e, y - 1, z) ? Ink::Mountain : Ink::Cut, e, y - z, e + n, y - z);
            }
        for (int y = 1; y < H; ++y)
            for (int z = 1; z < H; ++z) {
                if (h(e, y, z) && !h(e, y - 1, z))
                    out.emplace_back(v(e, y, z) ? Ink::Valley : Ink::Cut, e, y - z, e + n, y - z);
                else if (!h(e, y, z) && h(e, y - 1, z))
                    out.emplace_back(v(e, y, z - 1) ? Ink::Mountain : Ink::Cut, e, y - z, e + n, y - z);
            }
    }
    return out;
}

TEST(SheetPattern, ThePatternFromTheSheetKeepsTheOrderOfTheFaceWalk) {
    std::mt19937 rng(1209);
    for (int round = 0; round < 60; ++round) {
        CellGrid g;
        const int W = std::uniform_int_distribution<int>(2, 30)(rng), H = std::uniform_int_distribution<int>(2, 16)(rng);
        test::RandomCard(g, rng, W, H);
        RunRebuildPass(g);
        const UnfoldedPattern pattern = UnfoldPattern(DeriveGridSheet(g));
        std::vector<Drawn> fromSheet;
        for (const PatternLine& l : pattern.lines) {
            const Ink ink = l.ink == PatternInk::Cut ? Ink::Cut : l.ink == PatternInk::Mountain ? Ink::Mountain : Ink::Valley;
            fromSheet.emplace_back(ink, static_cast<int>(l.from.x), static_cast<int>(l.from.s), static_cast<int>(l.to.x),
                                   static_cast<int>(l.to.s));
        }
        ASSERT_EQ(fromSheet, FaceFlagWalk(g)) << W << " by " << H << ", round " << round;
        EXPECT_EQ(pattern.outline[0].to, (SheetPoint{W - 1.0, H - 1.0}));
        EXPECT_EQ(pattern.outline[3].from, (SheetPoint{W - 1.0, H - 1.0}));
    }
}

}  // namespace
}  // namespace pw
