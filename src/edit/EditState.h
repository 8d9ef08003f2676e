#pragma once

namespace pw {

// First column and first row of the cursor square. The row is a depth in the
// horizontal edit plane and a height in the vertical one.
struct EditCursor {
    int column = 1;
    int row = 1;
};

// The cursor and the view-wide edit switches. None of it is stored.
struct EditState {
    EditCursor cursor;
    int cursorSize = 1;  // 1, 2, 4 or 8
    int editPlane = 0;   // 0 horizontal, 1 vertical
    bool mirrorMode = false;
    bool cursorVisible = true;
    bool checkInvalidFigure = false;
    bool checkClosing = false;  // highlight what sticks out of the closed card
};

}  // namespace pw
