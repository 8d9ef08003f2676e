#pragma once
#include "model/Sheet.h"
#include "model/freeform/FreeformCard.h"

namespace pw {

class CellGrid;

struct GridConversion {
    FreeformCard card;
    // The grid card's tunnels: their folded-back floors are no flat's, so
    // the free-form card holds each tunnel as a plain hole.
    int tunnels = 0;
};

// A grid card as a free-form card with the same pattern lines and the same
// faces, a cell `cellMm` millimetres: one flat for each depth at which the
// grid card has upright faces, its outline their union in the front view.
// The roofs follow from the flats' top runs as the grid card's horizontal
// faces do. `sheet` is the grid's sheet (model/GridSheet.h).
GridConversion ConvertGridCard(const CellGrid& grid, const Sheet& sheet, double cellMm);

}  // namespace pw
