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

namespace {

// The first cell 1 + k*s of the square over cell c, for squares of side s
// that must end at or before `limit` (exclusive).
int SnapToSquare(int c, int s, int limit) {
    const int last = 1 + (limit - 1 - s) / s * s;  // the last square that fits
    if (c < 1) return 1;
    const int snapped = 1 + (c - 1) / s * s;
    return snapped > last ? last : snapped;
}

}  // namespace

void PlaceCursor(EditState& e, int W, int H, int x, int r) {
    const int s = e.cursorSize;
    // A card too small for the square keeps the cursor where it is.
    if (s > W - 2 || s > H - 2) return;
    e.cursor.column = SnapToSquare(x, s, W - 1);
    e.cursor.row = SnapToSquare(r, s, H - 1);
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
