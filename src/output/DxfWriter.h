#pragma once
#include <iosfwd>

namespace pw {

class CellGrid;
struct Sheet;

// Writes the relief as a DXF drawing with one ENTITIES section: a 3DFACE on
// layer "layer1", colour 1, for every unit face of the card columns (the
// horizontal face of a cell before its vertical face), in the grid's own
// space, read from a grid card's sheet. Every line ends in "\n". Reports
// nothing and does not close the stream.
void WriteDxf(std::ostream& out, const Sheet& sheet);
// The sheet of the grid's faces as the last rebuild pass left them.
void WriteDxf(std::ostream& out, const CellGrid& grid);

}  // namespace pw
