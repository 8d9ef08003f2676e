#pragma once
#include <string>

#include "model/freeform/FreeformCard.h"

namespace pw {

// The edits of a free-form card's list of flats, each on the card in place.
// Each returns whether the card changed, so that the caller makes an undo
// step only for a real change; an index outside the list changes nothing.

// Appends `flat`; returns its index.
int AddFlat(FreeformCard& card, FreeformFlat flat);
bool DeleteFlat(FreeformCard& card, int index);
// A copy of the flat right after it in the list, moved kDuplicateOffsetMm
// along the crease (back the other way where that would leave the sheet)
// so it is seen, named "<name> copy"; the copy is neither hidden nor locked.
inline constexpr double kDuplicateOffsetMm = 5;
bool DuplicateFlat(FreeformCard& card, int index);
bool RenameFlat(FreeformCard& card, int index, const std::string& name);
// The depth is held between kLeastFlatDepthMm and the card's half: a flat
// at the back sheet or beyond the floor's edge is no paper.
inline constexpr double kLeastFlatDepthMm = 0.01;
bool SetFlatDepth(FreeformCard& card, int index, double depthMm);
// Moves the flat to position `to` of the list (the others keep their order).
bool MoveFlatInOrder(FreeformCard& card, int from, int to);
bool SetFlatHidden(FreeformCard& card, int index, bool hidden);
bool SetFlatLocked(FreeformCard& card, int index, bool locked);

}  // namespace pw
