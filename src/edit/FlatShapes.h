#pragma once
#include <optional>
#include <string>
#include <vector>

#include "model/freeform/FreeformCard.h"

namespace pw {

// The outlines the front view's drawing tools make, in millimetres of the
// front view (x along the crease, s the height above the floor). Every loop
// is closed and runs counter-clockwise, so a loop drawn inside another one
// of the same flat makes a hole whichever tool drew it.

// The rectangle with corners `a` and `b` (in any order).
FrontLoop RectangleLoop(SheetPoint a, SheetPoint b);
// The ellipse around `centre` with half-axes `rx` and `rz`: four cubics, the
// usual quarter-ellipse approximation; a circle (rx == rz) is four exact arcs.
FrontLoop EllipseLoop(SheetPoint centre, double rx, double rz);
// The polygon through `points` in their order, turned counter-clockwise.
FrontLoop PolygonLoop(std::vector<SheetPoint> points);

// A name for a new flat: `base` and the first number from the card's count of
// flats plus one that no flat's name already has ("Rectangle 3").
std::string NumberedFlatName(const FreeformCard& card, const std::string& base);

// The unit direction in which the path arrives at its end; none for a path
// without segments or ending in a point.
std::optional<SheetPoint> EndTangent(const SheetPath& path);
// Goes on from the path's end to `to` along the circle that leaves in the
// direction the path arrived in (the pen's arcs); a line where no circle
// does (no direction yet, or `to` straight ahead).
void TangentArcTo(SheetPath& path, SheetPoint to);

// The signed area of the loop's chords (positive counter-clockwise).
double SignedArea(const FrontLoop& loop);

}  // namespace pw
