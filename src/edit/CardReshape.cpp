#include "edit/CardReshape.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "edit/CursorRules.h"
#include "edit/EditedCard.h"
#include "edit/UndoHistory.h"
#include "model/CellGrid.h"
#include "model/SettingsSchema.h"

namespace pw {

int MinCardColumns() { return kNewCardWidthSetting.low; }
int MaxCardColumns() { return kNewCardWidthSetting.high; }
int MinCardRows() { return kNewCardHeightSetting.low; }
int MaxCardRows() { return kNewCardHeightSetting.high; }

namespace {

// Relief is a solid cell off the sheet: depth and height both from 1 up to
// H-2 (H-1 is the empty edge of the grid).
bool ColumnHasRelief(const CellGrid& g, int x) {
    for (int y = 1; y <= g.gridHeight - 2; ++y)
        for (int z = 1; z <= g.gridHeight - 2; ++z)
            if (g.IsSolid(x, y, z)) return true;
    return false;
}

// The highest depth or height any relief reaches (0 on a flat card).
int ReliefReach(const CellGrid& g) {
    int reach = 0;
    for (int x = 1; x <= g.gridWidth - 2; ++x)
        for (int y = 1; y <= g.gridHeight - 2; ++y)
            for (int z = 1; z <= g.gridHeight - 2; ++z)
                if (g.IsSolid(x, y, z)) reach = std::max({reach, y, z});
    return reach;
}

bool SameRow(const CellGrid& g, int z1, int z2) {
    for (int x = 1; x <= g.gridWidth - 2; ++x)
        for (int y = 1; y <= g.gridHeight - 2; ++y)
            if (g.IsSolid(x, y, z1) != g.IsSolid(x, y, z2)) return false;
    return true;
}

// A flat card of the new size with relief taken from `from`: relief cell
// (x, y, z) of the new card is `solidAt(x, y, z)`.
template <typename SolidAt>
CellGrid Rebuilt(int W, int H, SolidAt solidAt) {
    CellGrid g;
    g.NewCard(W, H);
    for (int x = 1; x <= W - 2; ++x)
        for (int y = 1; y <= H - 2; ++y)
            for (int z = 1; z <= H - 2; ++z)
                if (solidAt(x, y, z)) g.SetSolid(x, y, z, true);
    return g;
}

void Replace(EditedCard& card, CellGrid&& fresh) {
    UndoStep step;
    step.wholeCard = std::make_shared<const CellGrid>(card.grid);
    // Assigning keeps the grid's stamps growing (see ChangeStamps), so
    // caches take every column for a new one.
    card.grid = std::move(fresh);
    card.grid.MarkColumnsDirty(1, card.grid.gridWidth);
    card.grid.gridChanged = true;
    FitCursorToCard(card.edit, card.grid.gridWidth, card.grid.gridHeight);
    card.edit.cursor = EditCursor{};
    card.history.PushStep(std::move(step));
}

}  // namespace

ReshapeRefusal ResizeCard(EditedCard& card, int columns, int rows, ColumnAnchor anchor) {
    const CellGrid& g = card.grid;
    if (columns < MinCardColumns() || columns > MaxCardColumns() || rows < MinCardRows() || rows > MaxCardRows())
        return ReshapeRefusal::SizeOutOfRange;
    const int W = columns + 2, H = rows + 1;
    if (W == g.gridWidth && H == g.gridHeight) return ReshapeRefusal::NothingToDo;
    const int grow = W - g.gridWidth;  // columns added (removed when negative)
    const int left = anchor == ColumnAnchor::Left ? 0 : anchor == ColumnAnchor::Right ? grow : grow / 2;
    // Old column x becomes column x + left.
    for (int x = 1; x <= g.gridWidth - 2; ++x)
        if ((x + left < 1 || x + left > W - 2) && ColumnHasRelief(g, x)) return ReshapeRefusal::ReliefCutOff;
    if (ReliefReach(g) > H - 2) return ReshapeRefusal::ReliefCutOff;
    Replace(card, Rebuilt(W, H, [&](int x, int y, int z) {
                const int from = x - left;
                return from >= 1 && from <= g.gridWidth - 2 && y <= g.gridHeight - 2 && z <= g.gridHeight - 2 &&
                       g.IsSolid(from, y, z);
            }));
    return ReshapeRefusal::None;
}

ReshapeRefusal ShiftRelief(EditedCard& card, int columns, int rows) {
    const CellGrid& g = card.grid;
    const int W = g.gridWidth, H = g.gridHeight;
    if (columns == 0 && rows == 0) return ReshapeRefusal::NothingToDo;
    for (int x = 1; x <= W - 2; ++x)
        if ((x + columns < 1 || x + columns > W - 2) && ColumnHasRelief(g, x)) return ReshapeRefusal::ReliefCutOff;
    if (ReliefReach(g) == 0) return ReshapeRefusal::NothingToDo;
    if (rows > 0) {
        // Rows pushed past the top must be as empty as the grid's edge row H-1.
        for (int z = H - 1 - rows; z <= H - 2; ++z)
            if (z >= 1 && !SameRow(g, z, H - 1)) return ReshapeRefusal::ReliefCutOff;
    } else {
        for (int z = 1; z <= -rows; ++z)
            if (z + 1 > H - 2 || !SameRow(g, z, z + 1)) return ReshapeRefusal::ReliefCutOff;
    }
    Replace(card, Rebuilt(W, H, [&](int x, int y, int z) {
                const int from = x - columns;
                const int fromRow = std::max(z - rows, 1);
                return from >= 1 && from <= W - 2 && fromRow <= H - 2 && g.IsSolid(from, y, fromRow);
            }));
    return ReshapeRefusal::None;
}

}  // namespace pw
