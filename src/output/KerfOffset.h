#pragma once
#include <vector>

#include "output/CutterPattern.h"

namespace pw {

// The cut's closed loops moved so that a beam of `kerfMm` burns its width
// outside the paper: the paper they bound (the largest loop, less the loops
// inside it) grown by half the kerf with mitred corners, through GEOS.
// Open cuts stay as they are (the paper lies on both sides of them).
std::vector<MmPath> OffsetForKerf(const std::vector<MmPath>& cuts, double kerfMm);

}  // namespace pw
