#pragma once
#include <iosfwd>

namespace pw {

struct CutterPattern;

// Writes the pattern as an SVG document measured in millimetres (width and
// height in mm, a viewBox of one unit per mm), each kind of line in its own
// group that Inkscape shows as a layer: "cut", "mountain", "valley", with
// their stroke colour, width and dash pattern on the group.
void WriteSvg(std::ostream& out, const CutterPattern& pattern);

}  // namespace pw
