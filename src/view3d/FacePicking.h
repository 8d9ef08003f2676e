#pragma once
#include <optional>

#include "view3d/Camera.h"

namespace pw {

class GridSheetCells;

// A face of the card hit by a ray: the cell that carries it and whether it
// is a horizontal (top) or a vertical (front) face. `distance` runs from 0
// at the ray's near point to 1 at its far point.
struct FaceHit {
    bool horizontal = true;
    int x = 0, y = 0, z = 0;
    double distance = 0;
};

// The nearest face the ray meets on the card's sheet read back cell by cell
// (the sheet of the last rebuild pass, which the view shows); nothing when
// it meets none. Model space is the grid's space: a horizontal face of cell
// (x, y, z) is the unit square at height z over x..x+1, y..y+1, a vertical
// one the square at depth y over x..x+1, z..z+1.
std::optional<FaceHit> PickFace(const GridSheetCells& cells, const PointerRay& ray);

// Where a click on the face puts the edit cursor: the face's plane (0 top
// surfaces, 1 front surfaces), its column, and its row, which is the depth
// on the top surfaces and the height on the front surfaces.
struct CursorTarget {
    int plane = 0;
    int column = 1;
    int row = 1;
};
CursorTarget CursorTargetOf(const FaceHit& hit);

}  // namespace pw
