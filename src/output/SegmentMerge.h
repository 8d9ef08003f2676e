#pragma once
#include <vector>

#include "output/SegmentRecorder.h"

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

// The lines of one pen.
struct PenLines {
    PenSpec pen;
    std::vector<LineSegment> lines;
};

// Drawn segments merged pen by pen as MergeLines merges them, the pens in
// the order of their first segment.
std::vector<PenLines> MergeSegments(const std::vector<DrawnSegment>& drawn);

}  // namespace pw
