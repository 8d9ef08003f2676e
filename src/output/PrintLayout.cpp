#include "output/PrintLayout.h"

#include <algorithm>
#include <cmath>

#include "output/CutterPattern.h"
#include "output/PatternOptions.h"

namespace pw {

namespace {

constexpr double kMmPerInch = 25.4;

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

double PrintCellMm(const PrinterPage& page, int rudovozuSizeRatio, int gridWidth, double cellMm) {
    return ComputePaperPrintPlacement(page, rudovozuSizeRatio, gridWidth, cellMm).cw / (page.dpiX / kMmPerInch);
}

PageFrame PrinterFrame(const PrinterPage& page) {
    PageFrame frame;
    frame.printer = true;
    frame.paperWidthMm = page.paperWidthMm;
    frame.paperHeightMm = page.paperHeightMm;
    const int dpi = std::max({page.dpiX, page.dpiY, 1});
    frame.areaWidthMm = page.dpiX > 0 ? page.printableWidthPx / (page.dpiX / kMmPerInch) : 0;
    frame.areaHeightMm = page.dpiY > 0 ? page.printableHeightPx / (page.dpiY / kMmPerInch) : 0;
    frame.slackMm = 0.5 * kMmPerInch / dpi;
    return frame;
}

PatternPlacement PrintedPlacement(const CutterPattern& pattern, const PatternPage& page, const PrinterPage& printer,
                                  int rudovozuSizeRatio, int gridWidth, double cellMm) {
    // The grid's origin: column 0 on the crease.
    const double originX = pattern.sheetLeftMm - pattern.cellMm;
    const double originY = (pattern.sheetTopMm + pattern.sheetBottomMm) / 2;
    const double middleX = originX + page.shiftX + pattern.cellMm * gridWidth / 2;
    const bool centred = std::abs(middleX - printer.paperWidthMm / 2) < 1e-6 &&
                         std::abs(originY + page.shiftY - printer.paperHeightMm / 2) < 1e-6;
    if (!page.turned && !page.clipped && page.scale == 1 && centred)
        return ComputePaperPrintPlacement(printer, rudovozuSizeRatio, gridWidth, cellMm);
    const PrinterPage device = page.turned ? TurnedPage(printer) : printer;
    const double pxPerMmX = device.dpiX / kMmPerInch, pxPerMmY = device.dpiY / kMmPerInch;
    const double cell = pattern.cellMm;
    PatternPlacement p;
    // The printout's own arithmetic for tiled and turned pages, from the
    // sheet's corner and the area's middle.
    if (page.clipped && page.scale == 1) {
        p.cw = cell * pxPerMmX;
        p.ch = cell * pxPerMmY;
        p.ox = (page.sheetShiftX - cell) * pxPerMmX;
        p.oy = (page.sheetShiftY + pattern.size.cardHeightMm) * pxPerMmY;
        return p;
    }
    if (!page.clipped && (page.turned || page.scale != 1) && !pattern.legend && cell > 0) {
        // Centred on the area; fitted, the cell that fits the sheet (the
        // plan's scale, worked out per cell).
        double centred = cell;
        if (page.scale != 1) {
            const double columns = std::round(pattern.size.sheetWidthMm / cell);
            const double rows = 2 * std::round(pattern.size.cardHeightMm / cell);
            const double widthMm = device.printableWidthPx / pxPerMmX - 2 * kFitMarginMm;
            const double heightMm = device.printableHeightPx / pxPerMmY - 2 * kFitMarginMm;
            centred = std::max(0.0, std::min(widthMm / columns, heightMm / rows));
        }
        p.cw = centred * device.dpiX / kMmPerInch;
        p.ch = centred * device.dpiY / kMmPerInch;
        p.ox = device.printableWidthPx / 2 - gridWidth * p.cw / 2;
        p.oy = device.printableHeightPx / 2;
        return p;
    }
    p.cw = pattern.cellMm * page.scale * pxPerMmX;
    p.ch = pattern.cellMm * page.scale * pxPerMmY;
    p.ox = (originX + page.shiftX) * page.scale * pxPerMmX;
    p.oy = (originY + page.shiftY) * page.scale * pxPerMmY;
    return p;
}

}  // namespace pw
