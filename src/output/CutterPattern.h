#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/SheetPath.h"
#include "output/PatternOptions.h"

namespace pw {

class CellGrid;
struct Sheet;

// A line on the page, in millimetres from the page's top-left corner.
struct MmLine {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

struct MmPoint {
    double x = 0, y = 0;
};

// A line of text: the left end of its baseline, its height (the font size)
// in millimetres, and UTF-8 text.
struct TextMark {
    double x = 0, y = 0;
    double sizeMm = 3.5;
    std::string text;
};

// One kind of line of the cutter-ready files, drawn in its own named group
// (layer) with its own stroke.
struct CutterLayer {
    std::string name;         // "cut", "mountain", "valley", "score"
    const char* color = "";   // "#RRGGBB"
    double strokeMm = 0;
    std::vector<double> dashMm;  // empty: solid
    std::vector<MmLine> lines;
    // Runs with curves kept as curves (a free-form card's cuts), on the page
    // in millimetres: x across, the path's s down the page. Written after
    // the lines, each as one run the knife follows without lifting.
    std::vector<SheetPath> paths;
    // Drawn as filled shapes (a laser's engraved letters), not as strokes.
    bool filled = false;

    bool Empty() const { return lines.empty() && paths.empty(); }
};

// A run of lines drawn without lifting the pen: its points in order; a
// closed run ends where it started (the last point repeats the first).
struct MmPath {
    std::vector<MmPoint> points;
    bool closed = false;
};

// The layer's lines as runs: with `joined`, a line that starts exactly where
// the one before it ends continues the run; without, every line is a run of
// its own.
std::vector<MmPath> PathsOf(const CutterLayer& layer, bool joined);
// A run with curves (a layer's `paths`) as a run of lines, its curves
// flattened within kFlatteningToleranceMm; a closed one ends at its start.
MmPath FlattenedRun(const SheetPath& path);

// The key beside the sheet: a short sample of each kind of line in its
// layer's colour and pattern (never a hairline, so that laser drivers do not
// cut it), the kinds' names and the finished card's size. Kept apart from
// the pattern's layers so that a cutter never cuts it.
struct PatternLegend {
    std::vector<CutterLayer> samples;  // cut, mountain, valley (and score when there are such lines)
    std::vector<TextMark> texts;
    double left = 0, top = 0, right = 0, bottom = 0;
};

// The unfolded pattern at its real size, laid out on a page of the chosen
// paper. The cell is options.cellMm, or rudovozuSizeRatio percent of the A4
// width over the W grid columns; the W columns are centred on the paper and
// the crease lies at half its height, as the printout places them. A legend
// that does not fit there moves the drawing as little as it must; a drawing
// that does not fit the paper with a 10 mm margin gets a page grown around
// it (`grown`), still centred. Each line is there once: the sheet's edges
// of a kind merged into maximal lines. The cuts come as chains (see `joined`), the outline as
// one closed loop from the top-left corner, clockwise.
struct CutterPattern {
    double pageWidthMm = 210;
    double pageHeightMm = 297;
    double cellMm = 0;
    double sheetLeftMm = 0, sheetTopMm = 0, sheetRightMm = 0, sheetBottomMm = 0;
    FinishedSize size;
    PaperSize paper;
    bool grown = false;         // the page is larger than the paper
    bool forceTiling = false;   // the PDF tiles the drawing even when it fits
    CutOrder order = CutOrder::AsDrawn;
    // The files write a layer's connected lines as one path (SVG path,
    // PDF subpath, DXF polyline); off for the first export's layout, which
    // the clipboard keeps, with one element per line.
    bool joined = true;
    // A cutting machine's files leave out the layers without lines, so that
    // its software shows no layer it has nothing to do on.
    bool onlyDrawnLayers = false;
    CutterLayer cut, mountain, valley;
    // Perforated folds too short for a dash with a gap at each end: a
    // cutter must score them (or only draw them), never cut them through.
    CutterLayer score;
    // What a laser engraves rather than cuts (its key, in letters drawn as
    // outlines): black, filled, never offset for the kerf.
    CutterLayer engrave;
    int scoredFolds = 0;
    std::optional<PatternLegend> legend;

    // The layers in the order the files write them, the score and engrave
    // layers only when they have lines: with the inner cuts first the
    // engraving (while the paper still lies whole) and the folds come before
    // every cut and the outline closes the cut layer; as drawn it is cut,
    // mountain, valley, score, engrave.
    std::vector<const CutterLayer*> LayersInOrder() const;
    // The smallest box around the sheet and the legend.
    void DrawingBox(double& left, double& top, double& right, double& bottom) const;
};

// The layout as the files of the first cutter-ready export had it, and as
// the clipboard still copies it: A4, lines as drawn one by one, cuts black,
// mountains red, valleys blue, no options. The layout with options draws
// cuts red, mountains blue, valleys green, as laser drivers expect.
// Both read the lines and their kinds from the card's sheet (a grid card's,
// whose corners lie on whole cells), or derive it from a grid's faces as
// the last rebuild pass left them.
CutterPattern LayOutCutterPattern(const Sheet& sheet, int reverseMode, int rudovozuSizeRatio);
CutterPattern LayOutCutterPattern(const Sheet& sheet, int reverseMode, int rudovozuSizeRatio,
                                  const PatternOptions& options);
CutterPattern LayOutCutterPattern(const CellGrid& grid, int reverseMode, int rudovozuSizeRatio);
CutterPattern LayOutCutterPattern(const CellGrid& grid, int reverseMode, int rudovozuSizeRatio,
                                  const PatternOptions& options);

// The pattern of a sheet drawn in millimetres (a free-form card's) at its
// real size: the cell size does not apply. Laid out on the paper as a grid
// card's pattern is, with the same layers and options; its cuts keep their
// arcs and Béziers, each written once, the outline last as one closed loop.
CutterPattern LayOutMillimetrePattern(const Sheet& sheet, int reverseMode, const PatternOptions& options);

// Lines of text as the outlines of their glyphs on the page, in
// millimetres (x across, s down the page), for the files that engrave them.
// Fonts are the document core's: it passes one to the writers.
using TextOutliner = std::function<std::vector<SheetPath>(const TextMark& mark)>;

// The legend's rows from the top, the texts starting at its left edge
// (without samples): where a key of other lines than the pattern's goes.
std::vector<TextMark> LegendRows(const PatternLegend& legend, const std::vector<std::string>& texts);

// A fold as a row of pieces of pieceMm separated by gapMm, for folds that a
// cutter must cut through in pieces: as many whole pieces as fit with at
// least gapMm of uncut paper at both ends, the row centred on the line so
// that its two ends look alike and the pieces follow mirroring. Nothing
// when not even one piece fits (the line is shorter than a piece and two
// gaps): such a fold must be scored instead.
std::vector<MmLine> PerforateLine(const MmLine& line, double pieceMm, double gapMm);
// The pieces of a perforated fold, drawn as the printed pattern draws the
// kinds: mountains dashed (the dash), valleys dotted (a quarter of it).
inline double MountainPieceMm(double dashMm) { return dashMm; }
inline double ValleyPieceMm(double dashMm) { return dashMm / 4; }

// What an export says when it scored folds instead of perforating them:
// "3 folds too short to perforate were written as score lines."; empty for
// none.
std::string ScoredFoldsText(int count);

// Decimal text for the vector formats: at most the given number of decimals,
// no trailing zeros, a point whatever the locale.
std::string FormatDecimal(double value, int decimals);
// Lengths in millimetres, to a micrometre.
inline std::string FormatMm(double value) { return FormatDecimal(value, 3); }
// Stroke widths, to a tenth of a micrometre (a hairline is 0.0254 mm).
inline std::string FormatStrokeMm(double value) { return FormatDecimal(value, 4); }

}  // namespace pw
