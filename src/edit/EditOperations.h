#pragma once
#include "edit/SoundSink.h"

namespace pw {

struct AppSettings;
struct CardModel;

// The three operations that change the relief, on the cursor square at
// column a, row b of size model.edit.cursorSize, repeated on the mirror
// square when model.edit.mirrorMode is set. Each saves the lines it changes
// into one undo step, marks the changed columns and their right neighbours
// dirty, asks for its sound when soundMode is non-zero and something changed,
// and sets gridChanged in every case.
class EditOperations {
public:
    EditOperations(CardModel& model, const AppSettings& settings, SoundSink* sound)
        : model_(model), settings_(settings), sound_(sound) {}

    void RaiseArea(int a, int b);     // horizontal plane, b is a depth
    void LowerArea(int a, int b);     // horizontal plane, b is a depth
    void PushPullArea(int a, int b);  // vertical plane, b is a height

private:
    CardModel& model_;
    const AppSettings& settings_;  // soundMode is read at every edit
    SoundSink* sound_;
};

}  // namespace pw
