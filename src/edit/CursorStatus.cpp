#include "edit/CursorStatus.h"

#include "edit/EditedCard.h"

namespace pw {

CursorStatus CursorStatusOf(const EditedCard& card) {
    const EditState& e = card.edit;
    CursorStatus s;
    s.plane = e.editPlane == 0 ? 0 : 1;
    s.column = e.cursor.column;
    s.row = e.cursor.row;
    s.level = s.plane == 0 ? card.grid.MaxHeightUnder(e.cursor.column, e.cursor.row, e.cursorSize)
                           : card.grid.MaxDepthUnder(e.cursor.column, e.cursor.row, e.cursorSize);
    return s;
}

}  // namespace pw
