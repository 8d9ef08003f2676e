#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/freeform/FreeformCard.h"

namespace pw {

// The shapes potrace's SVG output describes, in its picture's pixels with
// z up (the picture's lower left corner at the origin): each shape's first
// loop is its outline, the others its holes. Shapes inside holes are shapes
// of their own, as potrace writes them.
struct PotraceShapes {
    std::vector<std::vector<FrontLoop>> shapes;
    std::string error;  // empty when the text was read; says what is wrong otherwise
    bool tooManySegments = false;  // the error is the bound on curve pieces
};

// Reads what `potrace --svg` writes for a picture `pictureHeight` pixels
// high: the one group's translate-and-scale transform and its path elements.
// The text is treated as untrusted: anything else in that place, more than
// `maxSegments` curve pieces in all, or numbers beyond the picture's
// reach are refused rather than guessed at.
PotraceShapes ReadPotraceSvg(std::string_view svg, double pictureHeight, std::size_t maxSegments);

}  // namespace pw
