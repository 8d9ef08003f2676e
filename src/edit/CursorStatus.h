#pragma once

namespace pw {

struct EditedCard;

// Where the cursor stands, for the status bar: its plane (0 the top
// surfaces, 1 the front surfaces), its first column and row, and the level
// it sits at: the height of the relief under it on the top surfaces, the
// depth in front of it on the front surfaces. Numbers only: the program
// words them in the user's language.
struct CursorStatus {
    int plane = 0;
    int column = 0;
    int row = 0;
    int level = 0;
};

CursorStatus CursorStatusOf(const EditedCard& card);

}  // namespace pw
