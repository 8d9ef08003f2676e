#pragma once
#include <cstddef>
#include <functional>
#include <map>
#include <vector>

#include "edit/UndoHistory.h"

namespace pw {

class CellGrid;

// What happened to the card, for those who keep something derived from it
// (the document's modified state, recovery copies, the window's commands).
enum class CardChange {
    Edited,    // an edit (or an import) became the newest undo step
    Undone,    // the newest step was written back
    Redone,    // an undone step was applied again
    Replaced,  // a new or read card replaced the old one: nothing to undo or redo
};

// The card's edits, undoable and redoable. Each edit is the list of lines
// it touched as they were before it (the undo history's steps, with their
// order and 100-step limit); undoing one also keeps one copy of every line it
// overwrites, which is the card after the edit, so Redo can put it back
// exactly and return the step to the history. A new edit and a replaced
// card drop every redo step.
class CommandStack {
public:
    using Listener = std::function<void(CardChange)>;
    static constexpr std::size_t kMaxSteps = UndoHistory::kMaxSteps;

    // Records an edit that has already been applied to the grid.
    void PushStep(UndoStep step);
    // Nothing happens when there is nothing to undo or redo.
    void UndoLastStep(CellGrid& grid);
    void RedoLastStep(CellGrid& grid);
    // A free-form card's edit, already applied: `before` is the card as it was.
    void PushFreeformStep(FreeformCard before);
    // Undo and Redo of the newest step when it is a free-form card's: the
    // card becomes what the step holds, and true; otherwise nothing happens.
    bool UndoFreeformStep(FreeformCard& card);
    bool RedoFreeformStep(FreeformCard& card);
    bool HasUndoSteps() const { return history_.HasUndoSteps(); }
    bool HasRedoSteps() const { return !redo_.empty(); }
    // The card was replaced.
    void ClearHistory();

    std::size_t Size() const { return history_.Size(); }
    std::size_t RedoSize() const { return redo_.size(); }
    const std::deque<UndoStep>& Steps() const { return history_.Steps(); }

    // Listeners hear of every change after it was made; they must not change
    // the stack themselves. Returns an id for RemoveListener.
    int AddListener(Listener listener);
    void RemoveListener(int id);

private:
    struct UndoneStep {
        UndoStep step;         // returns to the history on Redo
        UndoStep overwritten;  // the lines as the edit had left them
    };
    void Notify(CardChange change);

    UndoHistory history_;
    std::vector<UndoneStep> redo_;  // the most recently undone last
    std::map<int, Listener> listeners_;
    int nextListener_ = 1;
};

}  // namespace pw
