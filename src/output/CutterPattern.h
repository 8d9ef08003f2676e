#pragma once
#include <string>
#include <vector>

namespace pw {

class CellGrid;

// A line on the page, in millimetres from the page's top-left corner.
struct MmLine {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// One kind of line of the cutter-ready files, drawn in its own named group
// (layer) with its own stroke.
struct CutterLayer {
    std::string name;         // "cut", "mountain", "valley"
    const char* color = "";   // "#RRGGBB"
    double strokeMm = 0;
    std::vector<double> dashMm;  // empty: solid
    std::vector<MmLine> lines;
};

// The unfolded pattern at its printed size: the W grid columns take
// rudovozuSizeRatio percent of the A4 width, so a cell is r * 210 / W mm,
// and the sheet is centred on an A4 portrait page with the crease at half its
// height, as the printout places it. A sheet that would not fit on A4 with a
// 10 mm margin gets a page grown around it, still centred, so nothing is cut
// off. Each line is there once: the drawn segments merged per pen.
struct CutterPattern {
    double pageWidthMm = 210;
    double pageHeightMm = 297;
    double cellMm = 0;
    CutterLayer cut, mountain, valley;
};

CutterPattern LayOutCutterPattern(const CellGrid& grid, int reverseMode, int rudovozuSizeRatio);

// Decimal text for the vector formats: at most the given number of decimals,
// no trailing zeros, a point whatever the locale.
std::string FormatDecimal(double value, int decimals);
// Lengths in millimetres, to a micrometre.
inline std::string FormatMm(double value) { return FormatDecimal(value, 3); }

}  // namespace pw
