#pragma once
#include <limits>
#include <vector>

#include "model/Sheet.h"

namespace pw {

struct SheetTriangle {
    SheetPoint a, b, c;
};

// The stretch of the sheet lo <= s <= hi that a triangulation keeps; the
// default keeps everything. The 3D view draws the part of a piece beyond the
// closed card's edge (a line s = const on every piece) in a colour of its own.
struct SheetBand {
    double lo = -std::numeric_limits<double>::infinity();
    double hi = std::numeric_limits<double>::infinity();
};

// A piece's paper as triangles on the sheet, for drawing: its loops
// flattened within `tolerance` (the first the outline, the others holes,
// which no triangle covers), cut to `band`. Paper GEOS cannot triangulate
// (an outline that crosses itself after flattening, say) is repaired first;
// what stays beyond repair gives no triangles rather than wrong ones.
std::vector<SheetTriangle> TriangulatePiece(const SheetPiece& piece, double tolerance, SheetBand band = {});

}  // namespace pw
