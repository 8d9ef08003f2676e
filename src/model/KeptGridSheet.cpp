#include "model/KeptGridSheet.h"

#include "model/CellGrid.h"

namespace pw {

void KeptGridSheet::Update(const CellGrid& grid, bool anchoring) {
    const int width = cells_.GridWidth(), height = cells_.GridHeight();
    builder_.Update(grid);
    const bool changed = !read_ || builder_.ColumnsReadLastUpdate() > 0 || grid.gridWidth != width ||
                         grid.gridHeight != height;
    read_ = true;
    if (changed) {
        const GridSheetBuilder::Change& c = builder_.LastChange();
        if (c.whole || builder_.ColumnsReadLastUpdate() == 0 || grid.gridWidth != width || grid.gridHeight != height)
            cells_ = GridSheetCells(builder_.Current());
        else
            cells_.Renew(builder_.Current(), c.firstColumn, c.lastColumn, c.firstPiece, c.pieceCount, c.pieceShift);
        ++sheetRevision_;
    }
    if (anchoring && (changed || !anchoring_)) {
        anchoring_.emplace(cells_);
        ++marksRevision_;
    } else if (!anchoring && anchoring_) {
        anchoring_.reset();
        ++marksRevision_;
    }
}

}  // namespace pw
