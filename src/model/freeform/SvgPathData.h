#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/SheetPath.h"

namespace pw {

// SVG path data (M, L, H, V, A, C, S, Q, Z, absolute and relative) read as
// closed loops in the path's own plane (SheetPoint's second coordinate is the
// path's y). Circular arcs stay arcs; elliptical ones become cubics, and
// quadratic curves the cubics they are.
struct PathDataResult {
    std::vector<SheetPath> loops;
    std::string error;  // empty when the text was read
    bool tooManySegments = false;  // the reason for the error: a bound, not a fault of the text
};

// An SVG endpoint arc from `from` to `to` as segments: one circular arc
// when the radii are equal and `keepCircles` (a caller that maps it by a
// transform that is no similarity asks for cubics), cubics of at most a
// quarter turn otherwise, a line when a radius is zero, nothing when the
// ends coincide.
std::vector<PathSegment> SvgArcSegments(SheetPoint from, double rx, double ry, double rotationDeg, bool large, bool sweep,
                                        SheetPoint to, bool keepCircles);

// Refuses more than `maxSegments` segments in all, numbers that are not
// finite or larger than `maxMagnitude`, and anything that is not path data.
PathDataResult ParsePathData(std::string_view text, std::size_t maxSegments, double maxMagnitude);

// The loops as absolute path data that ParsePathData reads back to the same
// segments, within rounding (a whole-turn arc comes back as two halves).
std::string WritePathData(const std::vector<SheetPath>& loops);

}  // namespace pw
