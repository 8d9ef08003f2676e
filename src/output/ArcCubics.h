#pragma once
#include <vector>

#include "model/SheetPath.h"

namespace pw {

// A circular arc as cubic Béziers that stay within `tolerance` of it, for
// files that draw curves with cubics alone (PDF): the arc is cut into equal
// pieces short enough for the classic four-point approximation, whose
// distance from the circle grows with the sixth power of a piece's angle.
// `from` is where the arc starts; the pieces' ends lie on the circle.
std::vector<PathSegment> ArcAsCubics(SheetPoint from, const PathSegment& arc, double tolerance);

// The arc cut into `pieces` equal arcs, for files whose arcs cannot turn
// half a circle or more in one step (SVG's endpoint arcs).
std::vector<PathSegment> SplitArc(SheetPoint from, const PathSegment& arc, int pieces);

}  // namespace pw
