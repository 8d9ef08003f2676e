#include "output/PrintLayout.h"

#include <algorithm>

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

PrinterPage TurnedPage(const PrinterPage& page) {
    PrinterPage t;
    t.dpiX = page.dpiY;
    t.dpiY = page.dpiX;
    t.paperWidthMm = page.paperHeightMm;
    t.paperHeightMm = page.paperWidthMm;
    t.printableWidthPx = page.printableHeightPx;
    t.printableHeightPx = page.printableWidthPx;
    return t;
}

namespace {

// Whether the sheet (columns 1 to W-1, H-1 cells either side of the crease)
// lies within the printable area, with half a pixel of slack for the arithmetic.
bool SheetFits(const PatternPlacement& p, const PrinterPage& page, int W, int H) {
    const double left = p.ox + p.cw, right = p.ox + (W - 1) * p.cw;
    const double top = p.oy - (H - 1) * p.ch, bottom = p.oy + (H - 1) * p.ch;
    return left >= -0.5 && right <= page.printableWidthPx + 0.5 && top >= -0.5 && bottom <= page.printableHeightPx + 0.5;
}

// The sheet at cells of `cell` millimetres tiled over pages of `page`; none
// when a page is too small to hold a piece beside its margins (or the
// printer reports no printable area).
std::vector<PrintedPage> TiledPages(const PrinterPage& page, double cell, int W, int H, bool turned) {
    // Everything in millimetres of the sheet first, the sheet's top-left
    // corner (u = 1, s = 1 - H) at the origin.
    const double pxPerMmX = page.dpiX / kMmPerInch, pxPerMmY = page.dpiY / kMmPerInch;
    const double tileWidth = page.printableWidthPx / pxPerMmX - 2 * kTileMarginMm;
    const double tileHeight = page.printableHeightPx / pxPerMmY - 2 * kTileMarginMm;
    if (!(tileWidth >= kMinTileMm && tileHeight >= kMinTileMm)) return {};
    const double bleed = kTileBleedMm;
    const TileGrid grid = PlanEvenTiles(-bleed, -bleed, (W - 2) * cell + bleed, 2 * (H - 1) * cell + bleed, tileWidth,
                                        tileHeight, kTileOverlapMm);
    std::vector<PrintedPage> pages;
    for (int r = 0; r < grid.rows; ++r)
        for (int c = 0; c < grid.columns; ++c) {
            PrintedPage t;
            t.turned = turned;
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

// The largest cell, in millimetres, at which the sheet lies within
// kFitMarginMm of the printable area's edges; 0 when there is no room.
double FittedCellMm(const PrinterPage& page, int W, int H) {
    if (W < 3 || H < 2 || page.dpiX <= 0 || page.dpiY <= 0) return 0;
    const double widthMm = page.printableWidthPx / (page.dpiX / kMmPerInch) - 2 * kFitMarginMm;
    const double heightMm = page.printableHeightPx / (page.dpiY / kMmPerInch) - 2 * kFitMarginMm;
    return std::max(0.0, std::min(widthMm / (W - 2), heightMm / (2 * (H - 1))));
}

// The sheet at cells of `cell` millimetres centred on the printable area.
PrintedPage CentredPage(const PrinterPage& page, double cell, int W, bool turned) {
    PrintedPage fitted;
    fitted.turned = turned;
    PatternPlacement& p = fitted.placement;
    p.cw = cell * page.dpiX / kMmPerInch;
    p.ch = cell * page.dpiY / kMmPerInch;
    p.ox = page.printableWidthPx / 2 - W * p.cw / 2;
    p.oy = page.printableHeightPx / 2;
    return fitted;
}

}  // namespace

std::vector<PrintedPage> PlanPrintedPages(const PrinterPage& page, int rudovozuSizeRatio, int gridWidth, int gridHeight,
                                          double cellMm, PrintScale scale) {
    const int W = gridWidth, H = gridHeight;
    const PrinterPage turned = TurnedPage(page);
    PrintedPage single;
    single.placement = ComputePaperPrintPlacement(page, rudovozuSizeRatio, W, cellMm);

    if (scale == PrintScale::FitToPage) {
        const double upright = FittedCellMm(page, W, H), across = FittedCellMm(turned, W, H);
        if (across > upright * (1 + 1e-9)) return {CentredPage(turned, across, W, true)};
        if (upright > 0) return {CentredPage(page, upright, W, false)};
        return {single};
    }

    if (SheetFits(single.placement, page, W, H)) return {single};
    const double cell = single.placement.cw / (page.dpiX / kMmPerInch);
    const PrintedPage turnedSingle = CentredPage(turned, cell, W, true);
    if (SheetFits(turnedSingle.placement, turned, W, H)) return {turnedSingle};

    std::vector<PrintedPage> pages = TiledPages(page, cell, W, H, false);
    std::vector<PrintedPage> turnedPages = TiledPages(turned, cell, W, H, true);
    if (!turnedPages.empty() && (pages.empty() || turnedPages.size() < pages.size())) return turnedPages;
    // A page too small to hold a piece gets the one page as it always did.
    if (pages.empty()) return {single};
    return pages;
}

}  // namespace pw
