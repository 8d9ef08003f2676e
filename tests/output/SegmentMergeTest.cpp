#include <gtest/gtest.h>

#include <climits>

#include "output/SegmentMerge.h"

namespace pw {
namespace {

DrawnSegment S(const PenSpec& pen, int x0, int y0, int x1, int y1) { return {pen, x0, y0, x1, y1}; }

std::vector<std::tuple<int, int, int, int>> Lines(const PenLines& p) {
    std::vector<std::tuple<int, int, int, int>> out;
    for (const LineSegment& l : p.lines) out.emplace_back(l.x0, l.y0, l.x1, l.y1);
    return out;
}

TEST(MergeSegments, UnitSegmentsBecomeOneMaximalLineDrawnOnce) {
    // A column edge drawn as unit pieces in any direction, some twice, plus
    // the outline over the same edge.
    const std::vector<DrawnSegment> drawn = {
        S(kCutPen, 1, 0, 1, -1), S(kCutPen, 1, -1, 1, -2), S(kCutPen, 1, 1, 1, 0), S(kCutPen, 1, 0, 1, -1),
        S(kCutPen, 1, 2, 1, 1),  S(kCutPen, 1, 2, 1, -2),  S(kCutPen, 1, 5, 1, 6),  // a gap before 5
        S(kCutPen, 4, 4, 4, 4),  // zero length
    };
    const auto merged = MergeSegments(drawn);
    ASSERT_EQ(merged.size(), 1u);
    EXPECT_EQ(merged[0].pen, kCutPen);
    EXPECT_EQ(Lines(merged[0]), (std::vector<std::tuple<int, int, int, int>>{{1, -2, 1, 2}, {1, 5, 1, 6}}));
}

TEST(MergeSegments, PensParallelsAndDiagonalsStayApart) {
    const std::vector<DrawnSegment> drawn = {
        S(kValleyPen, 1, 0, 17, 0), S(kValleyPen, 1, 0, 17, 0),    // the crease, drawn twice
        S(kMountainPen, 5, 0, 8, 0),                                // on the crease line, other pen
        S(kValleyPen, 17, 0, 20, 0),                                // touching: joins the crease
        S(kValleyPen, 1, 1, 3, 1),                                  // parallel, one unit down
        S(kCutPen, 0, 0, 2, 2), S(kCutPen, 3, 3, 1, 1), S(kCutPen, 1, 0, 3, 2),  // diagonals
    };
    const auto merged = MergeSegments(drawn);
    ASSERT_EQ(merged.size(), 3u);
    EXPECT_EQ(merged[0].pen, kValleyPen);  // pens in the order they first drew
    EXPECT_EQ(merged[1].pen, kMountainPen);
    EXPECT_EQ(merged[2].pen, kCutPen);
    EXPECT_EQ(Lines(merged[0]), (std::vector<std::tuple<int, int, int, int>>{{1, 0, 20, 0}, {1, 1, 3, 1}}));
    EXPECT_EQ(Lines(merged[1]), (std::vector<std::tuple<int, int, int, int>>{{5, 0, 8, 0}}));
    EXPECT_EQ(Lines(merged[2]), (std::vector<std::tuple<int, int, int, int>>{{1, 0, 3, 2}, {0, 0, 3, 3}}));
}

TEST(MergeSegments, ExtremeCoordinatesDoNotOverflow) {
    const std::vector<DrawnSegment> drawn = {
        S(kCutPen, INT_MIN, INT_MIN, INT_MAX, INT_MAX),
        S(kCutPen, INT_MAX, INT_MAX, 0, 0),
        S(kCutPen, INT_MIN, INT_MAX, INT_MAX, INT_MIN),
    };
    const auto merged = MergeSegments(drawn);
    ASSERT_EQ(merged.size(), 1u);
    ASSERT_EQ(merged[0].lines.size(), 2u);
}

}  // namespace
}  // namespace pw
