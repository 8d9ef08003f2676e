#pragma once

namespace pw {

struct EditedCard;
class EditOperations;

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

private:
    EditedCard& model_;
    EditOperations& ops_;
};

}  // namespace pw
