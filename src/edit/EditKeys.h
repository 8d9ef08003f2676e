#pragma once
#include "edit/EditOperations.h"

namespace pw {

struct EditedCard;

// Virtual-key codes of the keys the edit handler knows.
enum EditKeyCode : int {
    KEY_CTRL = 17,
    KEY_SPACE = 32,
    KEY_LEFT = 37,
    KEY_UP = 38,
    KEY_RIGHT = 39,
    KEY_DOWN = 40,
    KEY_Z = 90,
};

// The keyboard and command side of editing, free of any window: the view
// maps its key events and menu commands onto these and repaints afterwards;
// the command-line tool drives it directly.
class EditKeyHandler {
public:
    EditKeyHandler(EditedCard& model, EditOperations& ops) : model_(model), ops_(ops) {}

    // Returns false for Ctrl (which must not repaint), true for every other
    // key, handled or not: the caller repaints then.
    bool OnKeyDown(int key);
    void OnKeyUp(int key);
    bool ctrlHeld = false;
    // Why the last key's edit changed nothing; None after a change and after
    // keys that edit nothing.
    EditRefusal LastRefusal() const { return lastRefusal_; }

    bool CanCursorSmaller() const;
    bool CanCursorLarger() const;
    bool CanEditUndo() const;
    bool CanEditRedo() const;
    void OnCursorSmaller();   // does nothing unless enabled
    void OnCursorLarger();    // does nothing unless enabled
    void OnMirrorMode();
    void OnHideCursor();
    void OnCheckInvalidFigure();  // also sets gridChanged
    void OnCheckClosing();        // also sets gridChanged
    void OnEditUndo();
    void OnEditRedo();
    void OnEditHorizontal();
    void OnEditVertical();
    // A click on a face: the plane of the face (0 top, 1 front) and its cell
    // as column and row, the row a depth or a height as the plane says.
    void OnPlaceCursor(int plane, int column, int row);

private:
    void KeepCursorOnCard(int oldW, int oldH);
    EditedCard& model_;
    EditOperations& ops_;
    EditRefusal lastRefusal_ = EditRefusal::None;
};

}  // namespace pw
