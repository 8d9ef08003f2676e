#pragma once
#include <vector>

#include "model/freeform/FreeformCard.h"

namespace pw {

// One shape of a drawing: its closed loops and how SVG fills them.
struct SvgShape {
    std::vector<FrontLoop> loops;
    bool evenOdd = false;  // fill-rule: evenodd; nonzero otherwise
};

// A flat fills its loops even-odd; a drawing fills each shape by its own
// rule and paints shapes over one another. The loops of a flat showing what
// the shapes together cover: the shapes' own loops whenever even-odd gives
// the same area (curves exact), else the outline of their union through
// GEOS, curves put back where the union kept them, and `merged` set.
std::vector<FrontLoop> FilledOutline(const std::vector<SvgShape>& shapes, bool& merged);

}  // namespace pw
