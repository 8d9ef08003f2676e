#include "edit/ReliefEdit.h"

#include <utility>

#include "edit/EditedCard.h"
#include "edit/UndoHistory.h"
#include "model/DepthMap.h"
#include "model/ReliefShape.h"

namespace pw {

bool ApplyDepthMap(EditedCard& card, const DepthMap& map, bool keepInside) {
    CellGrid& g = card.grid;
    const int W = g.gridWidth;
    const int H = g.gridHeight;
    UndoStep step;
    for (int i = 0; i < map.width; ++i) {
        const int x = map.firstColumn + i;
        if (x < 1 || x > W - 2) continue;
        ColumnDepths depths = NearestValidColumn(map, i, H);
        if (keepInside) KeepInsideClosedCard(depths, H);
        bool changed = false;
        for (int z = 1; z <= H - 2; ++z) {
            const int d = depths[static_cast<std::size_t>(z - 1)];
            bool same = true;
            for (int y = 1; y <= H - 2 && same; ++y) same = g.IsSolid(x, y, z) == (y <= d);
            if (same) continue;
            step.lines.push_back(SaveLine(g, x, z));
            for (int y = 1; y <= H - 2; ++y) g.SetSolid(x, y, z, y <= d);
            changed = true;
        }
        if (changed) g.MarkColumnsDirty(x, 1);
    }
    g.gridChanged = true;
    if (step.lines.empty()) return false;
    card.history.PushStep(std::move(step));
    return true;
}

}  // namespace pw
