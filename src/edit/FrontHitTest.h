#pragma once
#include <vector>

#include "model/freeform/FreeformCard.h"

namespace pw {

// What the pointer is over in the front view. Hidden flats are not hit and
// locked flats cannot be picked, so neither can be selected or changed.

// The order the front view draws the flats in: from the back (least depth)
// to the front, flats of one depth in the card's order.
std::vector<int> BackToFront(const FreeformCard& card);

// Whether `p` is inside the flat, its loops filled even-odd.
bool FlatContains(const FreeformFlat& flat, SheetPoint p);

// Whether a flat can be picked in the front view (shown and not locked).
bool Pickable(const FreeformFlat& flat);

// The front-most pickable flat holding `p`, or -1.
int FlatAt(const FreeformCard& card, SheetPoint p);

// A node or a cubic's control point of a flat.
struct NodeRef {
    int loop = -1;
    int node = -1;     // a node (see NodeAt), or with `control` the segment
    int control = 0;   // 0 a node; 1 or 2 the control point of segment `node`
    bool Valid() const { return loop >= 0; }
};

// The node (or, when asked, the control point) of the flat nearest `p`
// within `radius`; nodes win over control points at equal distance.
NodeRef NodeNear(const FreeformFlat& flat, SheetPoint p, double radius, bool withControls);

// The distance from `p` to the segment from `a` to `b`, and the nearest
// point of it.
SheetPoint NearestOnSegment(SheetPoint p, SheetPoint a, SheetPoint b);

}  // namespace pw
