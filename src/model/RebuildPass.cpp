#include "model/CellFlags.h"
#include "model/RebuildPass.h"

#include "model/CellGrid.h"

namespace pw {

bool RunRebuildPass(CellGrid& grid, const std::function<void(CellGrid&)>& validityCheck) {
    if (!grid.gridChanged) return false;
    for (int x = 1; x <= grid.gridWidth - 2; ++x) {
        if (grid.IsColumnDirty(x)) grid.RebuildColumn(x);
        grid.ChangeCellFlag(x, 0, 0, COLUMN_DIRTY, false);
    }
    if (validityCheck) validityCheck(grid);
    grid.gridChanged = false;
    return true;
}

}  // namespace pw
