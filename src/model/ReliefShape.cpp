#include "model/ReliefShape.h"

#include <algorithm>

#include "model/CellGrid.h"

namespace pw {

ColumnDepths NearestValidColumn(const DepthMap& map, int column, int H) {
    const int heights = std::max(0, H - 2);
    ColumnDepths depths(static_cast<std::size_t>(heights), 0);
    if (column < 0 || column >= map.width) return depths;
    const int rows = std::min(map.height, heights);
    // From the top down: the largest depth seen so far is what a height that
    // stands under it must reach; a height asked to stay empty under relief
    // becomes a tunnel instead.
    int above = 0;
    for (int row = rows - 1; row >= 0; --row) {
        const int asked = std::clamp(map.At(column, row), 0, heights);
        above = std::max(above, asked);
        depths[static_cast<std::size_t>(row)] = asked > 0 ? above : 0;
    }
    return depths;
}

void KeepInsideClosedCard(ColumnDepths& depths, int H) {
    for (std::size_t i = 0; i < depths.size(); ++i) {
        const int z = static_cast<int>(i) + 1;
        depths[i] = std::min(depths[i], H - 1 - z);
    }
}

bool RaisesAnyCell(const DepthMap& map, int H) {
    for (int i = 0; i < map.width; ++i) {
        const ColumnDepths depths = NearestValidColumn(map, i, H);
        if (std::any_of(depths.begin(), depths.end(), [](int d) { return d > 0; })) return true;
    }
    return false;
}

int ColumnDepthsOverhang(const ColumnDepths& depths, int H) {
    int worst = 0;
    for (std::size_t i = 0; i < depths.size(); ++i) {
        const int z = static_cast<int>(i) + 1;
        // The cells at height z reach the corner (depth + 1, z + 1).
        if (depths[i] > 0) worst = std::max(worst, (depths[i] + 1) + (z + 1) - (H + 1));
    }
    return worst;
}

ClosingReport CheckClosingOfColumns(const std::vector<ColumnDepths>& columns, int H) {
    std::vector<int> overhang;
    overhang.reserve(columns.size());
    for (const ColumnDepths& c : columns) overhang.push_back(ColumnDepthsOverhang(c, H));
    return ReportOfOverhangs(overhang);
}

bool FitsInsideClosedCard(const ColumnDepths& depths, int H) {
    for (std::size_t i = 0; i < depths.size(); ++i) {
        const int z = static_cast<int>(i) + 1;
        // The cells at height z reach the corner (depth + 1, z + 1).
        if (depths[i] > 0 && (depths[i] + 1) + (z + 1) > H + 1) return false;
    }
    return true;
}

ColumnDepths ReadColumnDepths(const CellGrid& grid, int x) {
    const int H = grid.gridHeight;
    ColumnDepths depths(static_cast<std::size_t>(std::max(0, H - 2)), 0);
    for (int z = 1; z <= H - 2; ++z) {
        int d = 0;
        while (d + 1 <= H - 2 && grid.IsSolid(x, d + 1, z)) ++d;
        depths[static_cast<std::size_t>(z - 1)] = d;
    }
    return depths;
}

}  // namespace pw
