#include "edit/CursorRules.h"

namespace pw {

void MoveColumnBack(EditState& e) {
    e.cursor.column -= e.cursorSize;
    if (e.cursor.column < 1) e.cursor.column += e.cursorSize;
}

void MoveColumnForward(EditState& e, int W) {
    e.cursor.column += e.cursorSize;
    if (e.cursor.column + e.cursorSize > W - 1) e.cursor.column -= e.cursorSize;
}

void MoveRowBack(EditState& e) {
    e.cursor.row -= e.cursorSize;
    if (e.cursor.row < 1) e.cursor.row += e.cursorSize;
}

void MoveRowForward(EditState& e, int H) {
    e.cursor.row += e.cursorSize;
    if (e.cursor.row + e.cursorSize > H - 1) e.cursor.row -= e.cursorSize;
}

bool CanHalveCursor(const EditState& e) { return e.cursorSize > 1; }

bool CanDoubleCursor(const EditState& e, int W, int H) {
    const int s2 = 2 * e.cursorSize;
    return e.cursorSize < 8 && s2 <= H - 2 && s2 <= W - 2;
}

void HalveCursor(EditState& e) {
    if (e.cursorSize >= 2) e.cursorSize /= 2;
}

void DoubleCursor(EditState& e, int W, int H) {
    if (!CanDoubleCursor(e, W, H)) return;
    const int s2 = 2 * e.cursorSize;
    e.cursorSize = s2;
    e.cursor.column = e.cursor.column - (e.cursor.column % s2) + 1;
    if (e.cursor.column + s2 > W - 1) e.cursor.column -= s2;
    e.cursor.row = e.cursor.row - (e.cursor.row % s2) + 1;
    if (e.cursor.row + s2 > H - 1) e.cursor.row -= s2;
}

void FitCursorToCard(EditState& e, int W, int H) {
    int s = e.cursorSize;
    while (s > 1 && (s > H - 2 || s > W - 2)) s /= 2;
    if (s != e.cursorSize) {
        e.cursorSize = s;
        e.cursor = EditCursor{};
    }
}

}  // namespace pw
