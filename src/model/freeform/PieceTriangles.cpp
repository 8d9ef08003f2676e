#include "model/freeform/PieceTriangles.h"

#include "model/freeform/SheetTriangulation.h"

namespace pw {

// The one triangulation of the core, which cleans the flattened loops
// first: GEOS's ear clipping gives up on the corners a hair apart that a
// curve leaves where it meets the next piece of a loop.
std::vector<std::array<SheetPoint, 3>> TrianglesOfPiece(const SheetPiece& piece, double tolerance) {
    std::vector<std::array<SheetPoint, 3>> out;
    for (const SheetTriangle& t : TriangulatePiece(piece, tolerance)) out.push_back({t.a, t.b, t.c});
    return out;
}

}  // namespace pw
