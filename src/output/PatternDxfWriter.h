#pragma once
#include <iosfwd>

namespace pw {

struct CutterPattern;

// Writes the pattern as a flat DXF drawing for cutting software that opens
// DXF but not SVG: AutoCAD 2000 format (AC1015), units millimetres
// ($INSUNITS 4), one LINE entity per line of the pattern on the layers
// "CUT", "MOUNTAIN" and "VALLEY" (colours 7, 1 and 5, given on the layer
// and on each line), in the pattern's cut order, and no other entity. The
// sheet's bottom-left corner is at the origin and its top edge (the top of
// the back sheet) at the largest y. Every line ends in "\n". The legend
// is not written: a cutter would cut it.
void WritePatternDxf(std::ostream& out, const CutterPattern& pattern);

}  // namespace pw
