#pragma once
#include <string>
#include <vector>

#include "output/PatternPlacement.h"

namespace pw {

class CellGrid;
class LineSurface;

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

// How large the sheet is printed: at its size (tiled over pages when it is
// larger than one), or scaled onto one page.
enum class PrintScale { RealSize, FitToPage };

// One printed page: where the pattern goes, and on a tiled page the piece
// it shows (a clip rectangle), the alignment crosses and the "row, column"
// label, all in device units.
struct PrintedPage {
    PatternPlacement placement;
    // Turned a quarter: everything here is on the printable area turned to
    // the other orientation (its width the printable height), drawn turned
    // back onto the page (see TurnedPage).
    bool turned = false;
    bool tiled = false;
    double clipLeft = 0, clipTop = 0, clipRight = 0, clipBottom = 0;
    std::vector<std::pair<double, double>> marks;  // cross centres
    double crossArmX = 0, crossArmY = 0;           // half the cross's width and height
    std::string label;
    double labelX = 0, labelY = 0;  // left end of the label's baseline
    double labelHeight = 0;
};

// The pages of a printout at real size: one page with the placement above
// when the sheet lies within the printable area; else one turned page with
// the sheet centred on the turned area when it lies within; else the sheet at the same cell
// size tiled over as many pages as it needs, each with a margin of
// kTileMarginMm inside the printable area and kTileOverlapMm shared with its
// neighbours, the pieces sharing the sheet evenly (PlanEvenTiles), on pages
// turned when that needs fewer of them.
// Fit to page: one page with the sheet as large as it fits within
// kFitMarginMm of the printable area's edges, centred, turned when that
// makes it larger.
std::vector<PrintedPage> PlanPrintedPages(const PrinterPage& page, int rudovozuSizeRatio, int gridWidth, int gridHeight,
                                          double cellMm, PrintScale scale = PrintScale::RealSize);

// How far tiled pieces reach past the sheet's edges, so that the outline's
// pen, centred on the edge, is not clipped away.
inline constexpr double kTileBleedMm = 1;

// The room left between a sheet fitted to the page and the printable area's edges.
inline constexpr double kFitMarginMm = 5;

// The printer's page in the other orientation: resolutions, paper and
// printable area with width and height exchanged. A page planned on it is
// drawn after turning the printer's coordinates a quarter clockwise about
// the printable area's top-right corner, which puts its top-left corner there.
PrinterPage TurnedPage(const PrinterPage& page);

// The factor that makes the pattern's pens, whose widths and dashes are in
// device pixels, as wide on paper as on a 96 dpi screen.
inline double PrintPenScale(int dpiX) { return dpiX > 0 ? dpiX / 96.0 : 1.0; }

}  // namespace pw
