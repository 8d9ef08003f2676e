#pragma once
#include "edit/EditState.h"

namespace pw {

// Cursor moves and size changes on a grid of W columns and extent H. Each
// keeps the square inside the card (1 <= column, column + s <= W - 1, and
// the same for the row with H) with column and row of the form 1 + k*s.
void MoveColumnBack(EditState& e);
void MoveColumnForward(EditState& e, int W);
void MoveRowBack(EditState& e);
void MoveRowForward(EditState& e, int H);

bool CanHalveCursor(const EditState& e);
// Doubling needs s < 8 and a doubled square that fits the card in both
// directions, so a narrow card can never push the cursor outside the grid.
bool CanDoubleCursor(const EditState& e, int W, int H);
void HalveCursor(EditState& e);
// Doubles and snaps the corner to the new size; ignored unless CanDoubleCursor.
void DoubleCursor(EditState& e, int W, int H);

// Puts the cursor square over the cell at column x, row r: both snapped down
// to the form 1 + k*s, as the arrow keys would have reached them, and kept
// inside the card (a cell beyond the last reachable square gives that square).
void PlaceCursor(EditState& e, int W, int H, int x, int r);

// After a new card: shrinks the size to the largest of 8, 4, 2, 1 that fits
// the card, and puts the cursor at (1, 1) when the size had to change.
void FitCursorToCard(EditState& e, int W, int H);

}  // namespace pw
