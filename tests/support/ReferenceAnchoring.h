#pragma once
// The validity check as it ran before it read the card's sheet: over the
// grid's face flags, writing CELL_ANCHORED_TOP / CELL_ANCHORED_BOTTOM into
// the grid. Kept as the reference the sheet's marks must agree with.
#include <cstdint>
#include <utility>
#include <vector>

#include "model/CellFlags.h"
#include "model/CellGrid.h"

namespace pw::test {

inline void ReferenceFloodMark(CellGrid& g, int x0, int y, int z0, std::uint8_t m,
                               std::vector<std::pair<int, int>>& stack) {
    const int W = g.gridWidth, H = g.gridHeight;
    stack.clear();
    stack.emplace_back(x0, z0);
    while (!stack.empty()) {
        const auto [x, z] = stack.back();
        stack.pop_back();
        if (!g.HasFlag(x, y, z, CELL_VERTICAL_FACE) || g.HasFlag(x, y, z, m)) continue;
        g.ChangeCellFlag(x, y, z, m, true);
        if (x > 1) stack.emplace_back(x - 1, z);
        if (x < W - 2) stack.emplace_back(x + 1, z);
        if (z - 1 >= 1) stack.emplace_back(x, z - 1);
        if (z < H - 2) stack.emplace_back(x, z + 1);
    }
}

inline void ReferenceCheckInvalidFigure(CellGrid& g) {
    const int W = g.gridWidth, H = g.gridHeight;
    std::vector<std::pair<int, int>> stack;
    for (int y = 2; y <= H - 1; ++y) {
        for (int x = 1; x <= W - 2; ++x) {
            bool highestSeen = false;
            for (int z = H - 2; z >= 1; --z) {
                g.ChangeCellFlag(x, y, z, CELL_ANCHORED_TOP, false);
                g.ChangeCellFlag(x, y, z, CELL_ANCHORED_BOTTOM, false);
                if (!g.HasFlag(x, y, z, CELL_VERTICAL_FACE)) continue;
                if (!highestSeen) {
                    g.ChangeCellFlag(x, y, z, CELL_ANCHORED_TOP, true);
                    highestSeen = true;
                }
                if (z == 1 || g.HasFlag(x, y, z, CELL_HORIZONTAL_FACE))
                    g.ChangeCellFlag(x, y, z, CELL_ANCHORED_BOTTOM, true);
            }
        }
        for (int x = 1; x <= W - 2; ++x)
            for (int z = H - 2; z >= 1; --z) {
                if (!g.HasFlag(x, y, z, CELL_VERTICAL_FACE)) continue;
                for (std::uint8_t m : {CELL_ANCHORED_TOP, CELL_ANCHORED_BOTTOM})
                    if (g.HasFlag(x, y, z, m)) {
                        g.ChangeCellFlag(x, y, z, m, false);
                        ReferenceFloodMark(g, x, y, z, m, stack);
                    }
            }
    }
}

// The marks as the view shows them: the check's while it is on, none while
// it is off.
inline void ReferenceMarks(CellGrid& g, bool check) {
    if (check) {
        ReferenceCheckInvalidFigure(g);
        return;
    }
    for (int x = 0; x < g.gridWidth; ++x)
        for (int y = 0; y < g.gridHeight; ++y)
            for (int z = 0; z < g.gridHeight; ++z) {
                g.ChangeCellFlag(x, y, z, CELL_ANCHORED_TOP, false);
                g.ChangeCellFlag(x, y, z, CELL_ANCHORED_BOTTOM, false);
            }
}

}  // namespace pw::test
