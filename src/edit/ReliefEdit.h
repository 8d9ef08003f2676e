#pragma once

namespace pw {

struct DepthMap;
struct EditedCard;

// Gives the card columns that `map` covers the nearest shape the card can
// hold (see NearestValidColumn), cut back to stay inside the closed card
// when `keepInside` is set; the other columns keep theirs. One edit: every
// line that changes is saved first into one undo step, which is pushed onto
// the card's command stack, and the changed columns and their right
// neighbours are marked dirty. Columns of the map outside the card are
// ignored. Returns whether anything changed (nothing is pushed otherwise);
// gridChanged is set in every case, as after any edit.
bool ApplyDepthMap(EditedCard& card, const DepthMap& map, bool keepInside);

}  // namespace pw
