#pragma once

namespace pw {

class CellGrid;
class LineSurface;

// Converts a pattern coordinate to device units: truncation toward zero (never
// rounding), held inside the int range so that absurd placements stay defined.
int ToDeviceUnits(double value);

// Draws the card laid flat onto the surface: the sheet outline, the cut lines
// and the mountain and valley folds, from the face flags and COLUMN_SAME_AS_LEFT
// of the grid as the last rebuild pass left them. The sheet point (u, s) (u the
// column boundary, s = y - z along a column) lands on
// (trunc(ox + u*cw), trunc(oy + s*ch)); a nonzero reverseMode mirrors the
// drawing left to right within the same rectangle. Creates the three pens,
// selects a pen anew for every line, puts the surface's previous pen back and
// deletes the pens at the end. Always returns true.
bool DrawUnfoldedPattern(LineSurface& surface, const CellGrid& grid, int reverseMode, double ox, double oy,
                         double cw, double ch);

}  // namespace pw
