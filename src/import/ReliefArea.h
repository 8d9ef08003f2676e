#pragma once
#include <string>

namespace pw {

// The part of the card a shape is fitted into: card columns first ..
// first+width-1 and heights 1 .. height. Width or height 0 stands for the
// rest of the card.
struct ReliefArea {
    int firstColumn = 1;
    int width = 0;
    int height = 0;
};

// The area with 0s replaced by the rest of a card of W columns (borders
// included) and extent H.
ReliefArea ResolveArea(const ReliefArea& area, int W, int H);

// Empty when the area (after ResolveArea) lies within the card's columns
// 1 .. W-2 and heights 1 .. H-2, else the message that says it does not.
std::string CheckArea(const ReliefArea& area, int W, int H);

// The depth a silhouette gets when none is given: half the card's depth.
int DefaultReliefDepth(int H);

// Empty when 1 <= depth <= H-2, else the message.
std::string CheckDepth(int depth, int H);

}  // namespace pw
