#include "output/TilePlan.h"

#include <algorithm>
#include <cmath>

namespace pw {

namespace {

// More pages than anyone prints; a guard against absurd page sizes.
constexpr int kMaxTilesPerSide = 200;

int PiecesFor(double length, double tile, double overlap) {
    if (length <= tile) return 1;
    const double step = tile - overlap;
    const double n = std::ceil((length - overlap) / step - 1e-9);
    return static_cast<int>(std::clamp(n, 1.0, static_cast<double>(kMaxTilesPerSide)));
}

}  // namespace

std::vector<MmPoint> TileGrid::AlignmentMarks(int row, int column) const {
    std::vector<MmPoint> marks;
    const double x0 = TileLeft(column), y0 = TileTop(row);
    auto across = [&](double y) {
        for (double f : {0.25, 0.75}) marks.push_back(MmPoint{x0 + tileWidth * f, y});
    };
    auto down = [&](double x) {
        for (double f : {0.25, 0.75}) marks.push_back(MmPoint{x, y0 + tileHeight * f});
    };
    if (column > 0) down(TileLeft(column) + overlap / 2);
    if (column + 1 < columns) down(TileLeft(column + 1) + overlap / 2);
    if (row > 0) across(TileTop(row) + overlap / 2);
    if (row + 1 < rows) across(TileTop(row + 1) + overlap / 2);
    return marks;
}

std::string TileGrid::Label(int row, int column) {
    return std::to_string(row + 1) + ", " + std::to_string(column + 1);
}

TileGrid PlanTiles(double left, double top, double right, double bottom, double tileWidth, double tileHeight,
                   double overlap) {
    TileGrid t;
    t.tileWidth = std::max(tileWidth, 1e-6);
    t.tileHeight = std::max(tileHeight, 1e-6);
    t.overlap = std::clamp(overlap, 0.0, std::min(t.tileWidth, t.tileHeight) / 4);
    const double width = std::max(0.0, right - left), height = std::max(0.0, bottom - top);
    t.columns = PiecesFor(width, t.tileWidth, t.overlap);
    t.rows = PiecesFor(height, t.tileHeight, t.overlap);
    // The pieces together cover a little more than the box: share the rest
    // out on both sides.
    const double coveredX = t.columns * t.tileWidth - (t.columns - 1) * t.overlap;
    const double coveredY = t.rows * t.tileHeight - (t.rows - 1) * t.overlap;
    t.left = left - (coveredX - width) / 2;
    t.top = top - (coveredY - height) / 2;
    return t;
}

TileGrid PlanEvenTiles(double left, double top, double right, double bottom, double tileWidth, double tileHeight,
                       double overlap) {
    TileGrid t = PlanTiles(left, top, right, bottom, tileWidth, tileHeight, overlap);
    const double width = std::max(0.0, right - left), height = std::max(0.0, bottom - top);
    // Past the cap on pieces a share would outgrow the piece: keep it whole.
    const double shareX = (width + (t.columns - 1) * t.overlap) / t.columns;
    const double shareY = (height + (t.rows - 1) * t.overlap) / t.rows;
    if (t.columns > 1 && shareX <= t.tileWidth) {
        t.tileWidth = shareX;
        t.left = left;
    }
    if (t.rows > 1 && shareY <= t.tileHeight) {
        t.tileHeight = shareY;
        t.top = top;
    }
    return t;
}

bool LineMeetsRect(const MmLine& l, double left, double top, double right, double bottom, double slack) {
    return std::max(l.x0, l.x1) >= left - slack && std::min(l.x0, l.x1) <= right + slack &&
           std::max(l.y0, l.y1) >= top - slack && std::min(l.y0, l.y1) <= bottom + slack;
}

PatternPages PlanPatternPages(const CutterPattern& pattern) {
    PatternPages plan;
    if (!pattern.grown && !pattern.forceTiling) {
        plan.pageWidthMm = pattern.pageWidthMm;
        plan.pageHeightMm = pattern.pageHeightMm;
        plan.pages.emplace_back();
        return plan;
    }
    plan.pageWidthMm = pattern.paper.widthMm;
    plan.pageHeightMm = pattern.paper.heightMm;
    double left, top, right, bottom;
    pattern.DrawingBox(left, top, right, bottom);
    const double tileWidth = plan.pageWidthMm - 2 * kTileMarginMm;
    const double tileHeight = plan.pageHeightMm - 2 * kTileMarginMm;
    const TileGrid grid = PlanTiles(left, top, right, bottom, tileWidth, tileHeight, kTileOverlapMm);
    plan.rows = grid.rows;
    plan.columns = grid.columns;
    for (int r = 0; r < grid.rows; ++r)
        for (int c = 0; c < grid.columns; ++c) {
            PatternPage page;
            page.shiftX = kTileMarginMm - grid.TileLeft(c);
            page.shiftY = kTileMarginMm - grid.TileTop(r);
            page.clipped = true;
            page.clipLeft = kTileMarginMm;
            page.clipTop = kTileMarginMm;
            page.clipRight = kTileMarginMm + grid.tileWidth;
            page.clipBottom = kTileMarginMm + grid.tileHeight;
            for (const MmPoint& m : grid.AlignmentMarks(r, c))
                page.marks.push_back(MmPoint{m.x + page.shiftX, m.y + page.shiftY});
            page.label = TileGrid::Label(r, c);
            page.labelAt = MmPoint{kTileMarginMm, kTileMarginMm - 3};
            plan.pages.push_back(page);
        }
    return plan;
}

}  // namespace pw
