#include "model/CellFlags.h"
#include "model/GridInvariants.h"

#include <string>

#include "model/CellGrid.h"

namespace pw {

namespace {
std::string Where(const char* what, int x, int y, int z) {
    return std::string(what) + " at (" + std::to_string(x) + ", " + std::to_string(y) + ", " + std::to_string(z) + ")";
}
}  // namespace

std::string CheckGridInvariants(const CellGrid& g) {
    const int W = g.gridWidth, H = g.gridHeight;
    if (W < 3 || H < 3) return "grid too small";
    if (g.CellCount() != static_cast<std::size_t>(W) * H * H) return "cell array has the wrong size";
    for (int x : {0, W - 1})
        for (int y = 0; y < H; ++y)
            for (int z = 0; z < H; ++z)
                if (g.GetCell(x, y, z) != 0) return Where("border cell not empty", x, y, z);
    for (int x = 1; x <= W - 2; ++x) {
        for (int j = 0; j < H; ++j) {
            if (!g.IsSolid(x, j, 0)) return Where("backing cell not solid", x, j, 0);
            if (!g.IsSolid(x, 0, j)) return Where("backing cell not solid", x, 0, j);
        }
        for (int y = 1; y < H; ++y) {
            if (g.IsSolid(x, y, H - 1)) return Where("solid above the top bound", x, y, H - 1);
            const int h = g.HeightAt(x, y);
            if (y == H - 1 && h != 0) return Where("solid cell at the front depth", x, y, h);
            if (y >= 2 && h > g.HeightAt(x, y - 1)) return Where("relief steps up toward the front", x, y, h);
        }
    }
    return {};
}

bool HasFileShape(const CellGrid& g, int x) {
    const int H = g.gridHeight;
    const int top1 = g.HeightAt(x, 1);
    for (int y = 1; y <= H - 2; ++y) {
        const int h = g.HeightAt(x, y);
        for (int z = 1; z <= h; ++z) {
            const bool tunnel = !g.IsSolid(x, 1, z) && z < top1;
            if (g.IsSolid(x, y, z) == tunnel) return false;
        }
    }
    return true;
}

int CountFaces(const CellGrid& g, int x) {
    int n = 0;
    for (int y = 0; y < g.gridHeight; ++y)
        for (int z = 0; z < g.gridHeight; ++z) {
            n += g.HasFlag(x, y, z, CELL_VERTICAL_FACE) ? 1 : 0;
            n += g.HasFlag(x, y, z, CELL_HORIZONTAL_FACE) ? 1 : 0;
        }
    return n;
}

std::string CheckFacesFresh(const CellGrid& g) {
    CellGrid copy = g;
    const std::uint8_t derived = CELL_VERTICAL_FACE | CELL_HORIZONTAL_FACE;
    for (int x = 1; x <= g.gridWidth - 2; ++x) {
        copy.RebuildColumn(x);
        for (int y = 0; y < g.gridHeight; ++y)
            for (int z = 0; z < g.gridHeight; ++z)
                if ((copy.GetCell(x, y, z) & derived) != (g.GetCell(x, y, z) & derived))
                    return Where("stale face", x, y, z);
        if ((copy.GetCell(x, 0, 0) & COLUMN_SAME_AS_LEFT) != (g.GetCell(x, 0, 0) & COLUMN_SAME_AS_LEFT))
            return Where("stale COLUMN_SAME_AS_LEFT", x, 0, 0);
        if (HasFileShape(g, x) && CountFaces(g, x) != 2 * (g.gridHeight - 1))
            return Where("wrong face count in column", x, 0, 0);
    }
    return {};
}

}  // namespace pw
