// A laser's engraved letters: the glyphs' outlines turned onto the page
// (s down), standing on the mark's baseline, their counters wound against
// their outlines so that a filled shape shows them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "document/EngravedText.h"

namespace pw {
namespace {

double SignedArea(const SheetPath& path) {
    const std::vector<SheetPoint> p = FlattenPath(path, 0.001);
    double area = 0;
    for (std::size_t k = 0; k < p.size(); ++k) {
        const SheetPoint a = p[k], b = p[(k + 1) % p.size()];
        area += a.x * b.s - b.x * a.s;
    }
    return area / 2;
}

TEST(EngravedText, LettersStandOnTheBaselineAtTheirSizeWithCountersWoundAgainstThem) {
    const TextMark mark{40, 100, 5, "Ho"};
    const std::vector<SheetPath> loops = EngravedTextOutlines(mark);
    ASSERT_EQ(loops.size(), 3u);  // H, and o with its counter
    double left = 1e9, top = 1e9, bottom = -1e9;
    for (const SheetPath& loop : loops) {
        EXPECT_TRUE(loop.closed);
        for (const SheetPoint& p : FlattenPath(loop, 0.001)) {
            left = std::min(left, p.x), top = std::min(top, p.s), bottom = std::max(bottom, p.s);
        }
    }
    EXPECT_NEAR(bottom, mark.y, 0.1);             // the baseline: no descenders here
    EXPECT_NEAR(mark.y - top, 0.73 * 5, 0.05);    // the capital's height
    EXPECT_GE(left, mark.x);
    EXPECT_LT(left, mark.x + 1);
    double h = SignedArea(loops[0]), o = SignedArea(loops[1]), counter = SignedArea(loops[2]);
    if (std::abs(counter) > std::abs(o)) std::swap(o, counter);
    EXPECT_GT(h * o, 0);        // outlines wound alike
    EXPECT_LT(o * counter, 0);  // the counter against its letter

    // Japanese wording finds a font of its own; text no font draws gives nothing.
    EXPECT_FALSE(EngravedTextOutlines({0, 10, 3.5, "\xE7\x94\xA8\xE7\xB4\x99"}).empty());
    EXPECT_TRUE(EngravedTextOutlines({0, 10, 3.5, "   "}).empty());
}

}  // namespace
}  // namespace pw
