#pragma once
#include <vector>

#include "model/SheetPath.h"
#include "output/CutterPattern.h"

namespace pw {

// A line of text as the closed outlines of its glyphs on the page, as a
// laser engraves it (its software fills closed shapes; it cannot read an
// SVG's or a DXF's text): the font fontconfig finds for sans-serif text in
// the line's script, the baseline's left end at the mark, the capitals
// about 0.73 of the mark's size high as a sans-serif font sets them. Loops
// keep the font's winding. Nothing for text no font can draw.
std::vector<SheetPath> EngravedTextOutlines(const TextMark& mark);

}  // namespace pw
