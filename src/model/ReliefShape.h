#pragma once
#include <vector>

#include "model/ClosingCheck.h"
#include "model/DepthMap.h"

namespace pw {

class CellGrid;

// The shape of one card column as the depth its solid cells reach at each
// height: element z-1 is the depth at height z, for z = 1 .. H-2. A column
// the card can hold has, at every height below its top, either a tunnel
// (depth 0, open from the front to the back sheet) or a depth no smaller
// than any depth above it, since the relief only steps down toward the front.
using ColumnDepths = std::vector<int>;

// The column of a card of extent H nearest to what `map` asks of its column
// `column`: depths are clamped into 0 .. H-2, heights above H-2 dropped; a
// height left empty under relief becomes a tunnel, and every other height
// takes the largest depth at or above it, so an overhang is filled down to
// the next height that stands on something (or to the floor).
ColumnDepths NearestValidColumn(const DepthMap& map, int column, int H);

// Whether the map raises any cell of a card of extent H: false when the
// card's columns would all be left flat.
bool RaisesAnyCell(const DepthMap& map, int H);

// Cuts back what would stick out of the card when it closes: folded flat,
// the corner at depth y and height z (grid coordinates of the faces) comes
// to lie (y-1)+(z-1) cells from the crease, and the sheets are H-1 cells
// long, so the cells at height z may reach at most depth H-1-z. The column
// stays one the card can hold: no height is emptied, so no tunnel appears.
void KeepInsideClosedCard(ColumnDepths& depths, int H);

// Whether every corner of the column stays inside the closed card.
bool FitsInsideClosedCard(const ColumnDepths& depths, int H);

// How many cells the column reaches past the closed card's edge, measured
// as CheckClosing measures the rebuilt card; 0 when it stays inside.
int ColumnDepthsOverhang(const ColumnDepths& depths, int H);

// The closing report of a card of extent H whose card columns 1, 2, ... would
// be `columns`: what the card will do before it is changed.
ClosingReport CheckClosingOfColumns(const std::vector<ColumnDepths>& columns, int H);

// The column's solid depth at each height 1 .. H-2 as it stands in the grid.
ColumnDepths ReadColumnDepths(const CellGrid& grid, int x);

}  // namespace pw
