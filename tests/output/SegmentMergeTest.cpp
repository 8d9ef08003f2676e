#include <gtest/gtest.h>

#include <climits>

#include "output/SegmentMerge.h"

namespace pw {
namespace {

LineSegment S(int x0, int y0, int x1, int y1) { return {x0, y0, x1, y1}; }

std::vector<std::tuple<int, int, int, int>> Lines(const std::vector<LineSegment>& lines) {
    std::vector<std::tuple<int, int, int, int>> out;
    for (const LineSegment& l : lines) out.emplace_back(l.x0, l.y0, l.x1, l.y1);
    return out;
}

TEST(MergeLines, UnitSegmentsBecomeOneMaximalLineDrawnOnce) {
    // A column edge as unit pieces in any direction, some twice, plus the
    // outline over the same edge.
    const std::vector<LineSegment> drawn = {
        S(1, 0, 1, -1), S(1, -1, 1, -2), S(1, 1, 1, 0), S(1, 0, 1, -1),
        S(1, 2, 1, 1),  S(1, 2, 1, -2),  S(1, 5, 1, 6),  // a gap before 5
        S(4, 4, 4, 4),  // zero length
    };
    EXPECT_EQ(Lines(MergeLines(drawn)), (std::vector<std::tuple<int, int, int, int>>{{1, -2, 1, 2}, {1, 5, 1, 6}}));
}

TEST(MergeLines, ParallelsAndDiagonalsStayApart) {
    const std::vector<LineSegment> drawn = {
        S(1, 0, 17, 0), S(1, 0, 17, 0),  // the crease, twice
        S(17, 0, 20, 0),                 // touching: joins the crease
        S(1, 1, 3, 1),                   // parallel, one unit down
        S(0, 0, 2, 2), S(3, 3, 1, 1), S(1, 0, 3, 2),  // diagonals
    };
    EXPECT_EQ(Lines(MergeLines(drawn)), (std::vector<std::tuple<int, int, int, int>>{
                                            {1, 0, 20, 0}, {1, 1, 3, 1}, {1, 0, 3, 2}, {0, 0, 3, 3}}));
}

TEST(MergeLines, ExtremeCoordinatesDoNotOverflow) {
    const std::vector<LineSegment> drawn = {
        S(INT_MIN, INT_MIN, INT_MAX, INT_MAX),
        S(INT_MAX, INT_MAX, 0, 0),
        S(INT_MIN, INT_MAX, INT_MAX, INT_MIN),
    };
    EXPECT_EQ(MergeLines(drawn).size(), 2u);
}

}  // namespace
}  // namespace pw
