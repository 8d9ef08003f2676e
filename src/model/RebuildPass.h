#pragma once
#include <functional>

namespace pw {

class CellGrid;

// The pass that runs at the start of a frame while gridChanged is set:
// rebuilds every dirty column in increasing order, clears its COLUMN_DIRTY,
// then runs the validity check when one is given, and clears gridChanged.
// Returns whether it ran.
bool RunRebuildPass(CellGrid& grid, const std::function<void(CellGrid&)>& validityCheck = {});

}  // namespace pw
