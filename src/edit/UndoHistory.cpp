#include "edit/UndoHistory.h"

#include "model/CellGrid.h"

namespace pw {

UndoLine SaveLine(const CellGrid& grid, int x, int z) {
    UndoLine line;
    line.column = x;
    line.height = z;
    line.cells.resize(static_cast<std::size_t>(grid.gridHeight));
    for (int y = 0; y < grid.gridHeight; ++y) line.cells[static_cast<std::size_t>(y)] = grid.GetCell(x, y, z);
    return line;
}

void RestoreLine(CellGrid& grid, const UndoLine& line) {
    const int x = line.column;
    for (int y = 0; y < grid.gridHeight && y < static_cast<int>(line.cells.size()); ++y) {
        grid.PutCell(x, y, line.height, line.cells[static_cast<std::size_t>(y)]);
        // Dirty again right after the write: a line at height 0 brings back
        // the header cell with the column flags it had when saved.
        grid.MarkColumnsDirty(x, 1);  // the column and its right neighbour
    }
}

void RestoreWholeCard(CellGrid& grid, const CellGrid& saved) {
    grid = saved;
    // The copy's stamps are new ones (see ChangeStamps); every column is
    // rebuilt, since the faces of the card shown before are all gone.
    grid.MarkColumnsDirty(1, grid.gridWidth);
    grid.cursorResetPending = true;
}

void UndoHistory::PushStep(UndoStep step) {
    steps_.push_back(std::move(step));
    while (steps_.size() > kMaxSteps) steps_.pop_front();
}

void UndoHistory::UndoLastStep(CellGrid& grid) {
    if (steps_.empty()) return;
    const UndoStep& step = steps_.back();
    if (step.wholeCard) RestoreWholeCard(grid, *step.wholeCard);
    for (auto it = step.lines.rbegin(); it != step.lines.rend(); ++it) RestoreLine(grid, *it);
    steps_.pop_back();
    grid.gridChanged = true;
}

}  // namespace pw
