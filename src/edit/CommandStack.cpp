#include "edit/CommandStack.h"

#include <memory>
#include <set>
#include <utility>

#include "model/CellGrid.h"

namespace pw {

void CommandStack::PushStep(UndoStep step) {
    history_.PushStep(std::move(step));
    redo_.clear();
    Notify(CardChange::Edited);
}

void CommandStack::UndoLastStep(CellGrid& grid) {
    if (!history_.HasUndoSteps()) return;
    UndoneStep undone;
    undone.step = history_.Steps().back();
    // One copy of each line, taken before anything is written back: a line
    // that a mirrored edit saved twice is overwritten twice by the undo.
    if (undone.step.wholeCard) undone.overwritten.wholeCard = std::make_shared<const CellGrid>(grid);
    std::set<std::pair<int, int>> saved;
    for (const UndoLine& line : undone.step.lines)
        if (saved.insert({line.column, line.height}).second)
            undone.overwritten.lines.push_back(SaveLine(grid, line.column, line.height));
    history_.UndoLastStep(grid);
    redo_.push_back(std::move(undone));
    Notify(CardChange::Undone);
}

void CommandStack::RedoLastStep(CellGrid& grid) {
    if (redo_.empty()) return;
    UndoneStep undone = std::move(redo_.back());
    redo_.pop_back();
    if (undone.overwritten.wholeCard) RestoreWholeCard(grid, *undone.overwritten.wholeCard);
    for (const UndoLine& line : undone.overwritten.lines) RestoreLine(grid, line);
    grid.gridChanged = true;
    // The history lost this step to the undo, so it has room for it again.
    history_.PushStep(std::move(undone.step));
    Notify(CardChange::Redone);
}

void CommandStack::PushFreeformStep(FreeformCard before) {
    UndoStep step;
    step.freeform = std::make_shared<const FreeformCard>(std::move(before));
    PushStep(std::move(step));
}

bool CommandStack::UndoFreeformStep(FreeformCard& card) {
    if (!history_.HasUndoSteps() || !history_.Steps().back().freeform) return false;
    UndoneStep undone;
    undone.step = history_.Steps().back();
    undone.overwritten.freeform = std::make_shared<const FreeformCard>(std::move(card));
    card = *undone.step.freeform;
    history_.DropLastStep();
    redo_.push_back(std::move(undone));
    Notify(CardChange::Undone);
    return true;
}

bool CommandStack::RedoFreeformStep(FreeformCard& card) {
    if (redo_.empty() || !redo_.back().overwritten.freeform) return false;
    UndoneStep undone = std::move(redo_.back());
    redo_.pop_back();
    card = *undone.overwritten.freeform;
    history_.PushStep(std::move(undone.step));
    Notify(CardChange::Redone);
    return true;
}

void CommandStack::ClearHistory() {
    history_.ClearHistory();
    redo_.clear();
    Notify(CardChange::Replaced);
}

int CommandStack::AddListener(Listener listener) {
    const int id = nextListener_++;
    listeners_[id] = std::move(listener);
    return id;
}

void CommandStack::RemoveListener(int id) { listeners_.erase(id); }

void CommandStack::Notify(CardChange change) {
    for (const auto& entry : listeners_) entry.second(change);
}

}  // namespace pw
