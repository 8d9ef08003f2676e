#pragma once
#include <string>

#include "edit/CommandStack.h"
#include "edit/EditState.h"
#include "model/CardFile.h"
#include "model/CellGrid.h"

namespace pw {

// Everything one open card consists of: the relief, its edits (undo
// history and redo steps) and the edit cursor with the edit switches. The document owns one; tests and the
// command-line tool make as many as they like.
struct EditedCard {
    CellGrid grid;
    CommandStack history;
    EditState edit;

    // A flat card of W columns (borders included) and extent H. Empties the
    // undo history and brings the cursor back inside a smaller card.
    void NewCard(int W, int H);

    // Takes over a card that was read whole: replaces the grid, empties the
    // history, sets the cursor size to 1 and puts the cursor at (1, 1).
    void AdoptReadCard(CellGrid&& fresh);
};

// Reads the card file at `path` into the card. Only a file read whole
// replaces it (see AdoptReadCard); on failure the card is untouched.
// `columnsHeld` as for the grid's ReadCard.
bool ReadCard(const std::string& path, EditedCard& card, CardReadError* error = nullptr, int* columnsHeld = nullptr);

}  // namespace pw
