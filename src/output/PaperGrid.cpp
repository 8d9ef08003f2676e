#include "output/PaperGrid.h"

#include <cmath>

namespace pw {

PaperGrid GridForPaper(const PaperSize& paper) {
    const double fold = paper.heightMm / 2;
    PaperGrid best;
    double bestMiss = INFINITY;
    // Every column count of the settings' range gives the cell that makes the
    // width exact; the height then misses by less than half a cell. The
    // closest sheet wins; among equals the larger cell, easier to cut.
    for (int n = kNewCardWidthSetting.low; n <= kNewCardWidthSetting.high; ++n) {
        const double cell = paper.widthMm / n;
        if (cell < kMinCellMm || cell > kMaxCellMm) continue;
        const int m = static_cast<int>(std::lround(fold / cell));
        if (m < kNewCardHeightSetting.low || m > kNewCardHeightSetting.high) continue;
        const double miss = std::fabs(m * cell - fold);
        if (miss < bestMiss - 1e-9) {
            bestMiss = miss;
            best.width = n;
            best.height = m;
            best.cellMm = cell;
        }
    }
    // The card keeps two border columns and one row beyond its cells.
    if (best.width > 0) best.size = FinishedSizeOf(best.cellMm, best.width + 2, best.height + 1);
    return best;
}

}  // namespace pw
