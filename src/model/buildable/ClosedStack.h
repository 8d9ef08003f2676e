#pragma once
#include "model/Sheet.h"

namespace pw {

// The paper of the closed card, stacked: closing the card lays a point at
// depth y and height z of the opened card at y + z from the crease, so every
// piece lies flat on the back and the stack at a place counts the pieces
// over it (a flat card has two: floor and back).
struct ClosedStack {
    int layers = 0;          // the most pieces over one place
    double x = 0, s = 0;     // that place, on the back half of the sheet (s <= 0), in sheet units
};

// Sampled between the pieces' corners along the crease (at most
// `maxSamples` places), which is exact for pieces whose sides across the
// crease are straight, as every grid card's are.
ClosedStack StackClosedCard(const Sheet& sheet, int maxSamples = 4096);

}  // namespace pw
