#pragma once
#include <iosfwd>

namespace pw {

class CellGrid;

// Writes the relief as a DXF drawing with one ENTITIES section: a 3DFACE on
// layer "layer1", colour 1, for every unit face of the card columns (the
// horizontal face of a cell before its vertical face), in the grid's own
// space. Every line ends in "\n". Reports nothing and does not close the stream.
void WriteDxf(std::ostream& out, const CellGrid& grid);

}  // namespace pw
