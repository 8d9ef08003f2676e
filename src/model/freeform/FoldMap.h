#pragma once
#include <cmath>

#include "model/Sheet.h"

namespace pw {

// Where a point of the opened card lies with the back at `angle` radians to
// the floor (pi/2 opened, 0 closed, pi laid flat): every fold is parallel to
// the crease, so each x-slice turns on its own and (y, z) goes to
// y (1, 0) + z (cos angle, sin angle). Laid flat this is the pattern's
// s = y - z; closed, the floor distance y + z.
inline CardPoint FoldPoint(const CardPoint& p, double angle) {
    return {p.x, p.y + p.z * std::cos(angle), p.z * std::sin(angle)};
}

}  // namespace pw
