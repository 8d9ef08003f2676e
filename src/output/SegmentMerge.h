#pragma once
#include <vector>

namespace pw {

struct LineSegment {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// The fewest lines that cover the same points: collinear lines that
// overlap or touch become one maximal line, repeated lines vanish,
// zero-length ones are dropped. The lines are sorted (by direction, then
// position), each running from its end with the smaller x (or, for
// vertical lines, the smaller y).
std::vector<LineSegment> MergeLines(const std::vector<LineSegment>& lines);

}  // namespace pw
