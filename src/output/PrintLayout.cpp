#include "output/PrintLayout.h"

#include "output/PatternOptions.h"
#include "output/TilePlan.h"

namespace pw {

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kLabelMm = 3.5;
constexpr double kMinTileMm = 4 * kTileOverlapMm;

bool IsA4(const PrinterPage& page) {
    return page.paperWidthMm > 209.5 && page.paperWidthMm < 210.5 && page.paperHeightMm > 296.5 &&
           page.paperHeightMm < 297.5;
}

}  // namespace

PatternPlacement ComputePaperPrintPlacement(const PrinterPage& page, int rudovozuSizeRatio, int gridWidth,
                                            double cellMm) {
    // A4 keeps its own arithmetic, so that every truncated coordinate stays
    // what it always was.
    if (cellMm <= 0 && IsA4(page)) return ComputePrintPlacement(page.dpiX, page.dpiY, rudovozuSizeRatio, gridWidth);
    const double px = page.dpiX * kInchesPerCentimetre;
    const double py = page.dpiY * kInchesPerCentimetre;
    const double paperWidthCm = page.paperWidthMm / 10, paperHeightCm = page.paperHeightMm / 10;
    const double r = rudovozuSizeRatio * 0.01;
    PatternPlacement p;
    if (cellMm > 0) {
        p.cw = cellMm / 10 * px;
        p.ox = (paperWidthCm * px - gridWidth * p.cw) * 0.5;
    } else {
        p.cw = r * (21 * px) / gridWidth;
        p.ox = (paperWidthCm / 21 - r) * (21 * px) * 0.5;
    }
    p.ch = p.cw * py / px;
    p.oy = paperHeightCm * py * 0.5;
    return p;
}

std::vector<PrintedPage> PlanPrintedPages(const PrinterPage& page, int rudovozuSizeRatio, int gridWidth, int gridHeight,
                                          double cellMm) {
    const int W = gridWidth, H = gridHeight;
    PrintedPage single;
    single.placement = ComputePaperPrintPlacement(page, rudovozuSizeRatio, W, cellMm);
    const PatternPlacement& p = single.placement;
    const double left = p.ox + p.cw, right = p.ox + (W - 1) * p.cw;
    const double top = p.oy - (H - 1) * p.ch, bottom = p.oy + (H - 1) * p.ch;
    // Half a pixel of slack for the arithmetic.
    if (left >= -0.5 && right <= page.printableWidthPx + 0.5 && top >= -0.5 && bottom <= page.printableHeightPx + 0.5)
        return {single};

    // Tiled: everything in millimetres of the sheet first, the sheet's
    // top-left corner (u = 1, s = 1 - H) at the origin.
    const double pxPerMmX = page.dpiX / kMmPerInch, pxPerMmY = page.dpiY / kMmPerInch;
    const double cell = p.cw / pxPerMmX;
    const double tileWidth = page.printableWidthPx / pxPerMmX - 2 * kTileMarginMm;
    const double tileHeight = page.printableHeightPx / pxPerMmY - 2 * kTileMarginMm;
    // A page too small to hold a piece beside its margins (or a printer that
    // reports no printable area) gets the one page as it always did.
    if (!(tileWidth >= kMinTileMm && tileHeight >= kMinTileMm)) return {single};
    const TileGrid grid =
        PlanTiles(0, 0, (W - 2) * cell, 2 * (H - 1) * cell, tileWidth, tileHeight, kTileOverlapMm);
    std::vector<PrintedPage> pages;
    for (int r = 0; r < grid.rows; ++r)
        for (int c = 0; c < grid.columns; ++c) {
            PrintedPage t;
            t.tiled = true;
            const double shiftX = kTileMarginMm - grid.TileLeft(c), shiftY = kTileMarginMm - grid.TileTop(r);
            t.placement.cw = cell * pxPerMmX;
            t.placement.ch = cell * pxPerMmY;
            t.placement.ox = (shiftX - cell) * pxPerMmX;
            t.placement.oy = (shiftY + (H - 1) * cell) * pxPerMmY;
            t.clipLeft = kTileMarginMm * pxPerMmX;
            t.clipTop = kTileMarginMm * pxPerMmY;
            t.clipRight = (kTileMarginMm + grid.tileWidth) * pxPerMmX;
            t.clipBottom = (kTileMarginMm + grid.tileHeight) * pxPerMmY;
            for (const MmPoint& m : grid.AlignmentMarks(r, c))
                t.marks.emplace_back((m.x + shiftX) * pxPerMmX, (m.y + shiftY) * pxPerMmY);
            t.crossArmX = kAlignmentCrossMm * pxPerMmX;
            t.crossArmY = kAlignmentCrossMm * pxPerMmY;
            t.label = TileGrid::Label(r, c);
            t.labelX = kTileMarginMm * pxPerMmX;
            t.labelY = (kTileMarginMm - 3) * pxPerMmY;
            t.labelHeight = kLabelMm * pxPerMmY;
            pages.push_back(t);
        }
    return pages;
}

}  // namespace pw
