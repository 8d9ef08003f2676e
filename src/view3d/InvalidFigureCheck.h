#pragma once

namespace pw {

class CellGrid;

// The validity check of the rebuild pass. In every depth plane y = 2 .. H-1
// it gives each 4-connected region of vertical faces (columns 1 .. W-2,
// heights 1 .. H-2) CELL_ANCHORED_TOP when one of its cells is the highest
// vertical face of its column in that plane, and CELL_ANCHORED_BOTTOM when
// one of its cells stands on the floor sheet or has a horizontal face at its
// foot. Other cells of those planes lose both marks. Gives the grid's marks
// a new change stamp, so the drawn highlight follows.
void CheckInvalidFigure(CellGrid& grid);

}  // namespace pw
