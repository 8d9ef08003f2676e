#include "edit/EditedCard.h"

#include <utility>

#include "edit/CursorRules.h"

namespace pw {

void EditedCard::NewCard(int W, int H) {
    grid.NewCard(W, H);
    history.ClearHistory();
    FitCursorToCard(edit, W, H);
}

void EditedCard::AdoptReadCard(CellGrid&& fresh) {
    grid = std::move(fresh);
    history.ClearHistory();
    edit.cursorSize = 1;
    // The reset is applied at once rather than at the next cursor drawing, so
    // an edit key can never use an old position outside a smaller card.
    edit.cursor = EditCursor{};
    grid.gridChanged = true;
    grid.cursorResetPending = true;
}

bool ReadCard(const std::string& path, EditedCard& card, CardReadError* error, int* columnsHeld) {
    CellGrid fresh;
    if (!ReadCard(path, fresh, error, columnsHeld)) return false;
    card.AdoptReadCard(std::move(fresh));
    return true;
}

}  // namespace pw
