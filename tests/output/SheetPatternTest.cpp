// The grid card's sheet and the unfolded pattern drawn from the faces tell
// the same lines.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>
#include <tuple>

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

}  // namespace
}  // namespace pw
