#include "edit/EditKeys.h"

#include "edit/CursorRules.h"
#include "edit/EditOperations.h"
#include "edit/EditedCard.h"

namespace pw {

bool EditKeyHandler::OnKeyDown(int key) {
    EditState& e = model_.edit;
    const int W = model_.grid.gridWidth;
    const int H = model_.grid.gridHeight;
    const bool horizontal = e.editPlane == 0;
    lastRefusal_ = EditRefusal::None;
    switch (key) {
    case KEY_CTRL:
        ctrlHeld = true;
        return false;
    case KEY_SPACE:
        if (ctrlHeld)
            e.editPlane = horizontal ? 1 : 0;
        else if (horizontal)
            lastRefusal_ = ops_.RaiseArea(e.cursor.column, e.cursor.row);
        else
            lastRefusal_ = ops_.PushPullArea(e.cursor.column, e.cursor.row);
        break;
    case KEY_LEFT:
        MoveColumnBack(e);
        break;
    case KEY_RIGHT:
        MoveColumnForward(e, W);
        break;
    // Up goes toward the back sheet on the top surfaces and upward on the
    // front surfaces.
    case KEY_UP:
        if (horizontal)
            MoveRowBack(e);
        else
            MoveRowForward(e, H);
        break;
    case KEY_DOWN:
        if (horizontal)
            MoveRowForward(e, H);
        else
            MoveRowBack(e);
        break;
    case KEY_Z:
        lastRefusal_ = horizontal ? ops_.LowerArea(e.cursor.column, e.cursor.row) : EditRefusal::LowerNeedsTopSurfaces;
        break;
    default:
        break;
    }
    return true;
}

void EditKeyHandler::OnKeyUp(int key) {
    if (key == KEY_CTRL) ctrlHeld = false;
}

bool EditKeyHandler::CanCursorSmaller() const { return CanHalveCursor(model_.edit); }

bool EditKeyHandler::CanCursorLarger() const {
    return CanDoubleCursor(model_.edit, model_.grid.gridWidth, model_.grid.gridHeight);
}

bool EditKeyHandler::CanEditUndo() const { return model_.history.HasUndoSteps(); }

bool EditKeyHandler::CanEditRedo() const { return model_.history.HasRedoSteps(); }

void EditKeyHandler::OnCursorSmaller() {
    if (CanCursorSmaller()) HalveCursor(model_.edit);
}

void EditKeyHandler::OnCursorLarger() {
    if (CanCursorLarger()) DoubleCursor(model_.edit, model_.grid.gridWidth, model_.grid.gridHeight);
}

void EditKeyHandler::OnMirrorMode() { model_.edit.mirrorMode = !model_.edit.mirrorMode; }

void EditKeyHandler::OnHideCursor() { model_.edit.cursorVisible = !model_.edit.cursorVisible; }

void EditKeyHandler::OnCheckInvalidFigure() {
    model_.edit.checkInvalidFigure = !model_.edit.checkInvalidFigure;
    // The next frame's rebuild pass runs (or drops) the validity check.
    model_.grid.gridChanged = true;
}

void EditKeyHandler::OnCheckClosing() {
    model_.edit.checkClosing = !model_.edit.checkClosing;
    // The next frame's rebuild pass measures the card (or stops measuring it).
    model_.grid.gridChanged = true;
}

void EditKeyHandler::OnEditUndo() {
    if (!CanEditUndo()) return;
    const int W = model_.grid.gridWidth, H = model_.grid.gridHeight;
    model_.history.UndoLastStep(model_.grid);
    KeepCursorOnCard(W, H);
}

void EditKeyHandler::OnEditRedo() {
    if (!CanEditRedo()) return;
    const int W = model_.grid.gridWidth, H = model_.grid.gridHeight;
    model_.history.RedoLastStep(model_.grid);
    KeepCursorOnCard(W, H);
}

void EditKeyHandler::KeepCursorOnCard(int oldW, int oldH) {
    // A card size step changes the grid under the cursor: it starts again
    // at (1, 1), the only place sure to be on any card.
    if (model_.grid.gridWidth == oldW && model_.grid.gridHeight == oldH) return;
    FitCursorToCard(model_.edit, model_.grid.gridWidth, model_.grid.gridHeight);
    model_.edit.cursor = EditCursor{};
}

void EditKeyHandler::OnEditHorizontal() { model_.edit.editPlane = 0; }

void EditKeyHandler::OnEditVertical() { model_.edit.editPlane = 1; }

void EditKeyHandler::OnPlaceCursor(int plane, int column, int row) {
    model_.edit.editPlane = plane == 0 ? 0 : 1;
    PlaceCursor(model_.edit, model_.grid.gridWidth, model_.grid.gridHeight, column, row);
    // A read card already put the cursor at (1, 1); the reset still pending
    // for a hidden cursor must not take the chosen place away again.
    model_.grid.cursorResetPending = false;
}

}  // namespace pw
