#pragma once
#include <vector>

#include "model/freeform/CurveBook.h"
#include "model/freeform/FreeformCard.h"
#include "model/freeform/Geos.h"

namespace pw {

// A front-view loop of a flat standing at `depth`, placed on the sheet:
// (x, z) goes to (x, depth - z).
SheetPath ProjectLoop(const FrontLoop& loop, double depth);

// The flat's paper as it would lie on the sheet before anything in front
// took a part of it: its loops projected and filled even-odd. The curves go
// into `book`.
geos::Geometry FlatRegionOnSheet(geos::Context& context, CurveBook& book, const FreeformFlat& flat);

// A straight horizontal stretch of a flat's outer outline (not of a hole),
// with the flat's paper below it (a top, where a roof can hang) or above it
// (a bottom).
struct HorizontalRun {
    double x0 = 0, x1 = 0, z = 0;
    bool top = true;
};
// The runs of the outline, touching runs of one height and side merged.
std::vector<HorizontalRun> HorizontalRuns(geos::Context& context, const FreeformFlat& flat);

}  // namespace pw
