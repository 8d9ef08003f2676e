#pragma once
#include "model/SheetPath.h"

namespace pw {

// The smallest box holding a path, curves included exactly (an arc's
// extreme points, a cubic's turning points), not their chords.
struct PathBox {
    double x0 = 0, s0 = 0, x1 = 0, s1 = 0;
};
PathBox BoundsOf(const SheetPath& path);

}  // namespace pw
