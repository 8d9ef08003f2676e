#pragma once
#include "edit/SoundSink.h"

namespace pw {

struct AppSettings;
struct EditedCard;
struct UndoStep;

// Why an edit key changed nothing; None when it did change the card.
enum class EditRefusal {
    None,
    AtHeightLimit,          // a raise at the highest level the card allows
    NothingToLower,         // a lower over the bare floor sheet
    NothingToPullOut,       // a pull-out with no relief standing out above
    LowerNeedsTopSurfaces,  // Z on the front surfaces, where it has no meaning
};

// The status-bar text for a refusal; nullptr for None.
const char* RefusalMessage(EditRefusal refusal);

// The three operations that change the relief, on the cursor square at
// column a, row b of size model.edit.cursorSize, repeated on the mirror
// square when model.edit.mirrorMode is set. Each saves the lines it changes
// into one undo step, marks the changed columns and their right neighbours
// dirty, asks for its sound when soundMode is non-zero and something changed,
// and sets gridChanged in every case. Each tells why it changed nothing, if
// it did (the cursor square decides; a change on the mirror half counts).
//
// In mirror mode a square that is its own mirror image (centred on the card)
// is changed once; a mirror square that only partly overlaps the cursor
// square is changed after it, on the first half's result.
class EditOperations {
public:
    EditOperations(EditedCard& model, const AppSettings& settings, SoundSink* sound)
        : model_(model), settings_(settings), sound_(sound) {}

    EditRefusal RaiseArea(int a, int b);     // horizontal plane, b is a depth
    EditRefusal LowerArea(int a, int b);     // horizontal plane, b is a depth
    EditRefusal PushPullArea(int a, int b);  // vertical plane, b is a height

private:
    // First column of the mirror square, or -1 when mirror mode is off or
    // the mirror square is the cursor square itself.
    int MirrorColumn(int a) const;
    void RaiseColumn(UndoStep& step, int x, int b, int t);
    void LowerColumn(UndoStep& step, int x, int b, int t);
    // Pushes back or pulls out the square at first column c, marking it when
    // it changed; returns whether it pushed back.
    bool PushPullSquare(UndoStep& step, int c, int b);
    // Pushes the step if it holds anything; returns whether it did.
    bool Finish(UndoStep& step, EditSound sound);

    EditedCard& model_;
    const AppSettings& settings_;  // soundMode is read at every edit
    SoundSink* sound_;
};

}  // namespace pw
