#pragma once
#include <vector>

#include "model/freeform/FreeformCard.h"

namespace pw {

// The front view's changes of a flat's outline: moving, scaling, rotating
// and mirroring (as one affine map), turning a loop round, and dragging one
// node or control point. Arcs stay exact circles wherever the map keeps
// circles (moves, turns, equal scaling, mirrors); any other map turns them
// into the cubics that follow them closely.

// x' = a x + b s + e,  s' = c x + d s + f.
struct Affine {
    double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;

    SheetPoint Apply(SheetPoint p) const { return {a * p.x + b * p.s + e, c * p.x + d * p.s + f}; }
    double Determinant() const { return a * d - b * c; }
    Affine Inverse() const;
    // Whether the map keeps circles circles (a similarity, mirrored or not).
    bool KeepsCircles() const;

    static Affine Translation(double dx, double ds);
    static Affine ScaleAbout(SheetPoint fixed, double sx, double ss);
    // Turns by `radians` counter-clockwise (from +x towards +s) about `centre`.
    static Affine RotationAbout(SheetPoint centre, double radians);
};

SheetPath Transformed(const SheetPath& path, const Affine& map);
// The flat with its loops and its roofless marks mapped; its name, depth
// and marks kept.
FreeformFlat Transformed(const FreeformFlat& flat, const Affine& map);

// An arc segment starting at `from` as cubics of at most a quarter turn each.
std::vector<PathSegment> ArcAsCubics(SheetPoint from, const PathSegment& arc);
// The same loop run the other way round.
SheetPath Reversed(const SheetPath& path);

// A path's nodes: the start, then each segment's end (for a closed loop
// whose last segment comes back to the start, the last node is the start
// again).
int NodeCount(const SheetPath& path);
SheetPoint NodeAt(const SheetPath& path, int node);
// Moves a node to `to`; the control points beside it move with it, and an
// arc on either side keeps its turn and passes through its new ends. A
// closed loop's start and a last node on it move together.
void MoveNode(SheetPath& path, int node, SheetPoint to);
// Moves control point `which` (1 or 2) of cubic segment `segment`.
void MoveControl(SheetPath& path, int segment, int which, SheetPoint to);

}  // namespace pw
