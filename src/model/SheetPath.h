#pragma once
#include <vector>

namespace pw {

// A point of the flat sheet: x along the crease, s across it (s > 0 on the
// floor half, s < 0 on the back half, s = 0 the crease). A grid card counts
// in cells, a free-form card in millimetres.
struct SheetPoint {
    double x = 0, s = 0;
    bool operator==(const SheetPoint& o) const { return x == o.x && s == o.s; }
    bool operator!=(const SheetPoint& o) const { return !(*this == o); }
};

enum class SegmentShape { Line, Arc, Cubic };

// One piece of a path, from the end of the piece before it to `end`.
struct PathSegment {
    SegmentShape shape = SegmentShape::Line;
    SheetPoint end;
    // Arc: a circular arc around `centre` turning by `sweep` radians
    // (positive from +x towards +s). Its radius is the start's distance from
    // the centre; `end` is where it arrives.
    SheetPoint centre;
    double sweep = 0;
    // Cubic: a Bézier curve with these two control points.
    SheetPoint control1, control2;
};

// A line, a chain of lines and curves, or a closed loop.
struct SheetPath {
    SheetPoint start;
    std::vector<PathSegment> segments;
    bool closed = false;  // the last segment's end joins the start

    SheetPath() = default;
    explicit SheetPath(SheetPoint from) : start(from) {}
    SheetPath& LineTo(SheetPoint to);
    // An arc around `centre` turning by `sweep` radians from the current end.
    SheetPath& ArcAround(SheetPoint centre, double sweep);
    SheetPath& CubicTo(SheetPoint control1, SheetPoint control2, SheetPoint to);
    SheetPath& Close();
    SheetPoint End() const { return segments.empty() ? start : segments.back().end; }
    bool AllStraight() const;
};

// The tolerance consumers flatten with when they have no reason to choose
// another: a hundredth of a millimetre, below what a blade or a beam shows.
inline constexpr double kFlatteningToleranceMm = 0.01;

// The path's points with its curves replaced by chords that stay within
// `tolerance` of the curve (never more than 65,536 chords per curve, so a
// tiny tolerance cannot exhaust memory). Starts with the start point; a
// closed path does not repeat it at the end.
std::vector<SheetPoint> FlattenPath(const SheetPath& path, double tolerance);

}  // namespace pw
