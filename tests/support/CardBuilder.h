#pragma once
// Helpers that shape a card directly, for tests.
#include <random>
#include <vector>

#include "model/CellGrid.h"

namespace pw::test {

// Makes (x, y, z) solid for y = 1 .. depth and z = 1 .. height: a box that
// joins the back sheet, as raising does.
inline void AddBox(CellGrid& g, int x, int depth, int height) {
    for (int y = 1; y <= depth; ++y)
        for (int z = 1; z <= height; ++z) g.SetSolid(x, y, z, true);
    g.MarkColumnsDirty(x, 1);
    g.gridChanged = true;
}

// Opens a tunnel at height z in column x (empty at every depth 1 .. H-2).
inline void AddTunnel(CellGrid& g, int x, int z) {
    for (int y = 1; y <= g.gridHeight - 2; ++y) g.SetSolid(x, y, z, false);
    g.MarkColumnsDirty(x, 1);
    g.gridChanged = true;
}

// A random card of file shape: every column a staircase stepping down toward
// the front, with some tunnels under its top.
inline void RandomCard(CellGrid& g, std::mt19937& rng, int W, int H) {
    g.NewCard(W, H);
    for (int x = 1; x <= W - 2; ++x) {
        int h = std::uniform_int_distribution<int>(0, H - 2)(rng);
        int y = 1;
        while (y <= H - 2 && h > 0) {
            const int run = std::uniform_int_distribution<int>(1, 3)(rng);
            for (int k = 0; k < run && y <= H - 2; ++k, ++y)
                for (int z = 1; z <= h; ++z) g.SetSolid(x, y, z, true);
            h = std::uniform_int_distribution<int>(0, h)(rng);
            if (h == 0) break;
        }
        const int top = g.HeightAt(x, 1);
        for (int z = 1; z < top; ++z)
            if (std::uniform_int_distribution<int>(0, 4)(rng) == 0) AddTunnel(g, x, z);
    }
    g.gridChanged = true;
}

}  // namespace pw::test
