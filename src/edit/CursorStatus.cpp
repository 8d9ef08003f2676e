#include "edit/CursorStatus.h"

#include "edit/EditedCard.h"

namespace pw {

std::string CursorStatusText(const EditedCard& card) {
    const EditState& e = card.edit;
    const std::string column = std::to_string(e.cursor.column);
    const std::string row = std::to_string(e.cursor.row);
    if (e.editPlane == 0) {
        const int height = card.grid.MaxHeightUnder(e.cursor.column, e.cursor.row, e.cursorSize);
        return "Top surfaces: column " + column + ", row " + row + ", height " + std::to_string(height);
    }
    const int depth = card.grid.MaxDepthUnder(e.cursor.column, e.cursor.row, e.cursorSize);
    return "Front surfaces: column " + column + ", height " + row + ", depth " + std::to_string(depth);
}

}  // namespace pw
