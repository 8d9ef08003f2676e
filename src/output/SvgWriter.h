#pragma once
#include <iosfwd>

namespace pw {

struct CutterPattern;

// Writes the pattern as an SVG document measured in millimetres (width and
// height in mm, a viewBox of one unit per mm), each kind of line in its own
// group that Inkscape shows as a layer: "cut", "mountain", "valley", with
// their stroke colour, width and dash pattern on the group, in the
// pattern's cut order. The legend, when there is one, is a fourth layer,
// "legend", after them. The SVG is always one piece, on the pattern's page.
void WriteSvg(std::ostream& out, const CutterPattern& pattern);

}  // namespace pw
