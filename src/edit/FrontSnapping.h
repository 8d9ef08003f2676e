#pragma once
#include "model/freeform/FreeformCard.h"

namespace pw {

// Where a point the user places in the front view lands: on a node of
// another flat, else on another flat's edge or the floor (z = 0), else on
// the millimetre grid, whichever is nearest within `distance` (a few
// pixels of the screen, in millimetres). A point never moves further than
// that; with snapping off it does not move.
struct SnapOptions {
    bool on = true;
    double distance = 1;   // millimetres
    double gridStep = 1;   // millimetres
    int skipFlat = -1;     // the flat being changed does not attract itself
};

SheetPoint Snap(const FreeformCard& card, SheetPoint p, const SnapOptions& options);

}  // namespace pw
