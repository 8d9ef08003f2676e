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

// The PDF's pages. One page of the pattern's own page size when it fits the
// paper and tiling is not asked for (shift 0, no clip, no marks, no label);
// otherwise pages of the paper's size, each showing its piece of the drawing
// shifted to within a 10 mm margin and clipped to it, with alignment marks
// and its "row, column" label in the top-left margin.
struct PatternPage {
    double shiftX = 0, shiftY = 0;  // added to the pattern's page coordinates
    bool clipped = false;
    double clipLeft = 0, clipTop = 0, clipRight = 0, clipBottom = 0;
    std::vector<MmPoint> marks;  // alignment cross centres, on the page
    std::string label;
    MmPoint labelAt;
};

struct PatternPages {
    double pageWidthMm = 0, pageHeightMm = 0;
    int rows = 1, columns = 1;
    std::vector<PatternPage> pages;
};

// Margin around each piece on a tiled page; the label stands in it.
inline constexpr double kTileMarginMm = 10;
// Half the length of an alignment cross's arms.
inline constexpr double kAlignmentCrossMm = 3;

PatternPages PlanPatternPages(const CutterPattern& pattern);

// Whether a line may show inside the rectangle (its bounding box meets it,
// widened by `slack`), to leave lines of other pages out of a page.
bool LineMeetsRect(const MmLine& line, double left, double top, double right, double bottom, double slack);

}  // namespace pw
