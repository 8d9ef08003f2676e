#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "model/CellGrid.h"
#include "model/freeform/FreeformCard.h"

namespace pw {

// The saved copy of one depth line: the cells (column, y, height) for every
// depth y, whole bytes with every flag, as they were before the edit.
struct UndoLine {
    int column = 0;
    int height = 0;
    std::vector<std::uint8_t> cells;
};

// The lines one edit saved, in saving order. An edit that changes the
// card's size (or moves all of its relief) saves the whole card instead:
// lines of another size could not be written back into it.
struct UndoStep {
    std::vector<UndoLine> lines;
    std::shared_ptr<const CellGrid> wholeCard;
    // A free-form card's edit keeps the whole card as it was instead: such
    // cards are a few kilobytes, and a flat's change can touch any of its loops.
    std::shared_ptr<const FreeformCard> freeform;
};

// Copies line (x, z) of the grid.
UndoLine SaveLine(const CellGrid& grid, int x, int z);

// Writes a saved line back into the grid, whole bytes, and marks its column
// and the right neighbour (unless that is the border) dirty.
void RestoreLine(CellGrid& grid, const UndoLine& line);

// Puts a whole saved card back in place of the grid, every column dirty.
void RestoreWholeCard(CellGrid& grid, const CellGrid& saved);

// The most recent edits, oldest first, at most kMaxSteps of them.
class UndoHistory {
public:
    static constexpr std::size_t kMaxSteps = 100;

    void PushStep(UndoStep step);
    void ClearHistory() { steps_.clear(); }
    // Writes the newest step back into the grid, newest line first so a line
    // saved twice in one step comes back as it was before the edit; marks
    // the lines' columns and right neighbours dirty and sets gridChanged.
    void UndoLastStep(CellGrid& grid);
    bool HasUndoSteps() const { return !steps_.empty(); }
    // Forgets the newest step without writing it back (its owner restored what it saved).
    void DropLastStep() {
        if (!steps_.empty()) steps_.pop_back();
    }

    std::size_t Size() const { return steps_.size(); }
    const std::deque<UndoStep>& Steps() const { return steps_; }

private:
    std::deque<UndoStep> steps_;
};

}  // namespace pw
