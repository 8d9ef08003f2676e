#pragma once
#include <string>

namespace pw {

struct Sheet;

// The sheet as JSON for the shared web page, in the sheet's units with
// their length in millimetres (mmPerUnit): the extent, each piece with its plane, level and loops (flat points x, s in pairs,
// the first loop its outline, the others holes), each line of the pattern
// with its kind and points. The page places and draws the card from this
// alone. `mmPerUnit` is the sheet unit's length (a grid card's cell side,
// 1 for a free-form card); curves are flattened to `toleranceMm`.
std::string SheetJsonText(const Sheet& sheet, double mmPerUnit, double toleranceMm);

// The names the page and the FOLD file give the line kinds.
const char* SheetEdgeKindName(int kind);

}  // namespace pw
