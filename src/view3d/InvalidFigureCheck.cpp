#include "view3d/InvalidFigureCheck.h"

#include <cstdint>
#include <utility>
#include <vector>

#include "model/CellGrid.h"

namespace pw {

namespace {

// Spreads mark m over the region of vertical faces around (x, y, z) within
// plane y, stopping at cells that already carry it. An explicit stack takes
// the place of recursion: a plane of a wide card read from a file can hold
// a region of a million cells, far deeper than the call stack allows.
void FloodMark(CellGrid& g, int x0, int y, int z0, std::uint8_t m, std::vector<std::pair<int, int>>& stack) {
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

}  // namespace

void CheckInvalidFigure(CellGrid& g) {
    const int W = g.gridWidth, H = g.gridHeight;
    std::vector<std::pair<int, int>> stack;
    for (int y = 2; y <= H - 1; ++y) {
        // Seeds: the highest vertical face of each column, and every face
        // standing on the floor or on a horizontal face.
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
        // Spread each seed's mark over its region.
        for (int x = 1; x <= W - 2; ++x)
            for (int z = H - 2; z >= 1; --z) {
                if (!g.HasFlag(x, y, z, CELL_VERTICAL_FACE)) continue;
                for (std::uint8_t m : {CELL_ANCHORED_TOP, CELL_ANCHORED_BOTTOM})
                    if (g.HasFlag(x, y, z, m)) {
                        g.ChangeCellFlag(x, y, z, m, false);
                        FloodMark(g, x, y, z, m, stack);
                    }
            }
    }
    g.StampMarks();
}

}  // namespace pw
