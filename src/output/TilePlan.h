#pragma once
#include <string>
#include <vector>

#include "output/CutterPattern.h"

namespace pw {

// A drawing too large for one page, cut into rows and columns of pieces of
// one size that overlap their neighbours, so that the printed pages can be
// laid over each other and glued. All lengths in the drawing's units
// (millimetres for the PDF, printer pixels or millimetres for printing).
struct TileGrid {
    int rows = 1, columns = 1;
    double tileWidth = 0, tileHeight = 0;  // the piece of the drawing each page shows
    double overlap = 0;
    double left = 0, top = 0;  // the drawing point at the first piece's top-left corner

    int Count() const { return rows * columns; }
    double TileLeft(int column) const { return left + column * (tileWidth - overlap); }
    double TileTop(int row) const { return top + row * (tileHeight - overlap); }

    // The centres of the alignment crosses on the piece: two on the middle
    // line of every strip it shares with a neighbour, at the same drawing
    // points on both pieces, so that laying one cross over the other lines
    // the pages up.
    std::vector<MmPoint> AlignmentMarks(int row, int column) const;
    // "row, column", counted from 1.
    static std::string Label(int row, int column);
};

// Enough pieces of tileWidth by tileHeight to hold the box from (left, top)
// to (right, bottom), with the given overlap, centred on the box. The
// overlap shrinks when the pieces are too small for it.
TileGrid PlanTiles(double left, double top, double right, double bottom, double tileWidth, double tileHeight,
                   double overlap);

// As many pieces as PlanTiles needs, shrunk to share the box evenly: the
// pieces of a row (or a column) are as wide (or as tall) as the box's share
// with the overlap, the first starts at the box's edge and the last ends at
// the other, so that no piece shows a strip past the box. A box within one
// piece keeps that piece whole with the box centred in it.
TileGrid PlanEvenTiles(double left, double top, double right, double bottom, double tileWidth, double tileHeight,
                       double overlap);

// The pages the pattern is cut into, planned once for every output that
// has pages (the PDF, the printout and its preview). A page shows the
// pattern's millimetres moved by the shift and then scaled, on the page's
// drawing area; a tiled page clips that to its piece and carries alignment
// crosses and its "row, column" label in its top-left margin, on the page.
struct PatternPage {
    double shiftX = 0, shiftY = 0;  // added to the pattern's page coordinates
    double scale = 1;               // then multiplied (a printout fitted to its page)
    // A tiled page's shift from the point its pieces were measured from (a
    // printer's: the sheet's top-left corner; a file's: the page's origin),
    // kept whole so that a printout's arithmetic stays what it was.
    double sheetShiftX = 0, sheetShiftY = 0;
    // Planned on the drawing area turned to the other orientation (its width
    // the area's height); a printer draws it turned back onto the page.
    bool turned = false;
    bool clipped = false;
    double clipLeft = 0, clipTop = 0, clipRight = 0, clipBottom = 0;
    std::vector<MmPoint> marks;  // alignment cross centres, on the page
    std::string label;
    MmPoint labelAt;
};

struct PatternPages {
    double pageWidthMm = 0, pageHeightMm = 0;  // a file's page; a printer's printable area
    int rows = 1, columns = 1;
    std::vector<PatternPage> pages;
};

// What the pages are: the paper, and the area drawn on, measured from its
// own top-left corner (a printer's printable area; a file's whole page).
struct PageFrame {
    double paperWidthMm = 210, paperHeightMm = 297;
    double areaWidthMm = 210, areaHeightMm = 297;
    // A file keeps one page of the pattern's own page size while the layout
    // fitted the drawing to the paper, and centres its pieces on the drawing.
    // A printer draws the page as the file has it, measured from the area's
    // corner as printouts always have (a drawing larger than the paper with
    // the sheet's middle at the paper's middle); turns the page a
    // quarter when that fits the drawing on one page or needs fewer pages;
    // lets its pieces share the drawing evenly with a bleed past its edges;
    // and can fit the drawing to one page.
    bool printer = false;
    // How far a drawing may poke out of the area and still count as within
    // it (half a printer pixel, for the arithmetic).
    double slackMm = 0;
};

// How large a printout is: at its size (tiled when larger than a page), or
// scaled onto one page.
enum class PrintScale { RealSize, FitToPage };

// How far a printer's pieces reach past the drawing's edges, so that the
// outline's pen, centred on the edge, is not clipped away.
inline constexpr double kTileBleedMm = 1;
// The room left between a drawing fitted to the page and the area's edges.
inline constexpr double kFitMarginMm = 5;

// Margin around each piece on a tiled page; the label stands in it.
inline constexpr double kTileMarginMm = 10;
// Half the length of an alignment cross's arms.
inline constexpr double kAlignmentCrossMm = 3;

// The pages of the pattern on the frame. Tiled pages are of the paper's
// size with a margin of kTileMarginMm around each piece, pieces sharing
// kTileOverlapMm with their neighbours; the pattern's `forceTiling` asks for
// them even when the drawing would fit one page. A file's tiled pages never
// turn. A printer whose area has no room for a piece prints the one page.
PatternPages PlanPatternPages(const CutterPattern& pattern, const PageFrame& frame,
                              PrintScale scale = PrintScale::RealSize);
// The pattern must be laid out on the frame's paper.
// A file's pages: the frame of the pattern's paper.
PatternPages PlanPatternPages(const CutterPattern& pattern);

// Whether a line may show inside the rectangle (its bounding box meets it,
// widened by `slack`), to leave lines of other pages out of a page.
bool LineMeetsRect(const MmLine& line, double left, double top, double right, double bottom, double slack);

}  // namespace pw
