#pragma once
#include <vector>

#include "output/SegmentRecorder.h"

namespace pw {

struct LineSegment {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// The lines of one pen.
struct PenLines {
    PenSpec pen;
    std::vector<LineSegment> lines;
};

// Turns drawn segments into the fewest lines that cover the same points, pen
// by pen: collinear segments of one pen that overlap or touch become one
// maximal line, repeated segments vanish, zero-length ones are dropped. Pens
// come in the order of their first segment; within a pen the lines are
// sorted (by direction, then position), each running from its end with the
// smaller x (or, for vertical lines, the smaller y).
std::vector<PenLines> MergeSegments(const std::vector<DrawnSegment>& drawn);

}  // namespace pw
