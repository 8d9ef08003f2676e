#pragma once
#include <string>
#include <vector>

#include "model/freeform/FreeformCard.h"
#include "model/freeform/FreeformSheet.h"

namespace pw {

// Why a free-form card cannot be paper, flat by flat.
enum class FlatProblemKind {
    Floats,          // a face with no fold at its bottom: nothing to stand on
    NoTopRun,        // a face with no roof along its top: it flops
    Overhang,        // it stands on the top of a flat behind it
    PaperOverlaps,   // two pieces would need the same paper of the sheet
    PiecesCross,     // two pieces pass through each other in the opened card
    GeometryFailed,  // the polygon operations could not work the card out
};

struct FlatProblem {
    FlatProblemKind kind = FlatProblemKind::Floats;
    int flat = -1;   // by index in the card
    int other = -1;  // the second flat of an overhang, an overlap or a crossing
    std::vector<int> pieces;  // the sheet pieces at fault, to draw in the invalid colour
};

// Every problem, one per rule and flat (or pair of flats); none: the card is paper.
std::vector<FlatProblem> CheckFreeformCard(const FreeformCard& card, const FreeformSheet& sheet);

// The problem as one line naming the flats, as `info` prints it.
std::string FlatProblemText(const FreeformCard& card, const FlatProblem& problem);

// Whether the closed card holds the design: a point at depth y and height z
// folds onto the floor at y + z, so it sticks out by y + z - half.
struct FreeformClosing {
    double overhangMm = 0;   // the most, rounded to a hundredth of a millimetre
    std::vector<int> flats;  // those that stick out, in file order
    bool ClosesInside() const { return overhangMm <= 0; }
};
FreeformClosing CheckFreeformClosing(const FreeformCard& card, const FreeformSheet& sheet);
// "closes inside: yes" or "closes inside: no, sticks out by 10.00 mm (flats A, B)".
std::string FreeformClosingInfoLine(const FreeformCard& card, const FreeformClosing& closing);

}  // namespace pw
