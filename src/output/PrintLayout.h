#pragma once
#include "output/PatternPlacement.h"
#include "output/TilePlan.h"

namespace pw {

// The printer's page as the print step sees it: its logical resolution, the
// paper, and the printable area (whose top-left corner is the surface's
// origin), all as the printer reports them.
struct PrinterPage {
    int dpiX = 600, dpiY = 600;
    double paperWidthMm = 210, paperHeightMm = 297;
    double printableWidthPx = 0, printableHeightPx = 0;
};

// The print placement on any paper: the W grid columns at
// rudovozuSizeRatio percent of the A4 width (or at cellMm per cell when it
// is set), centred across the paper, the crease at half the paper's height,
// both measured from the printable area's corner as on A4. On A4 without a
// cell size this is exactly ComputePrintPlacement.
PatternPlacement ComputePaperPrintPlacement(const PrinterPage& page, int rudovozuSizeRatio, int gridWidth,
                                            double cellMm);

// The cell a printout lays the pattern out with, in millimetres: the
// placement's, so that the pages planned from it keep the printout's own
// arithmetic.
double PrintCellMm(const PrinterPage& page, int rudovozuSizeRatio, int gridWidth, double cellMm);

// The printer's page as the page plan sees it, in millimetres: the paper,
// the printable area, and half a pixel of slack for the arithmetic.
PageFrame PrinterFrame(const PrinterPage& page);

// Where a planned page puts the pattern's cells on the printer, in device
// units of the page (of the turned page when the page is turned). The one
// upright page at real size with the sheet's middle at the paper's keeps
// ComputePaperPrintPlacement's arithmetic, so that every truncated
// coordinate stays what it always was. cellMm is the layout's option.
PatternPlacement PrintedPlacement(const CutterPattern& pattern, const PatternPage& page, const PrinterPage& printer,
                                  int rudovozuSizeRatio, int gridWidth, double cellMm);

// The printer's page in the other orientation: resolutions, paper and
// printable area with width and height exchanged. A page planned on it is
// drawn after turning the printer's coordinates a quarter clockwise about
// the printable area's top-right corner, which puts its top-left corner there.
PrinterPage TurnedPage(const PrinterPage& page);

// The factor that makes the pattern's pens, whose widths and dashes are in
// device pixels, as wide on paper as on a 96 dpi screen.
inline double PrintPenScale(int dpiX) { return dpiX > 0 ? dpiX / 96.0 : 1.0; }

}  // namespace pw
