#pragma once
#include <array>
#include <vector>

#include "model/Sheet.h"

namespace pw {

// A sheet piece's area as triangles on the sheet, its curves flattened
// within `tolerance` and its holes left open: what a renderer that fills
// triangles draws of a free-form card's piece.
std::vector<std::array<SheetPoint, 3>> TrianglesOfPiece(const SheetPiece& piece, double tolerance);

}  // namespace pw
