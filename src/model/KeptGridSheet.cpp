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
        cells_ = GridSheetCells(builder_.Current());
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
