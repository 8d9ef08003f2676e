#pragma once
#include <vector>

#include "model/SheetPath.h"

namespace pw {

class CellGrid;
class LineSurface;
struct Sheet;

// Converts a pattern coordinate to device units: truncation toward zero (never
// rounding), held inside the int range so that absurd placements stay defined.
int ToDeviceUnits(double value);

// What a line of the pattern does to the paper, as the pens draw it.
enum class PatternInk { Cut, Mountain, Valley };

// A line of the pattern in sheet coordinates (u the column boundary along the
// crease, s across it).
struct PatternLine {
    PatternInk ink = PatternInk::Cut;
    SheetPoint from, to;
};

// The unfolded pattern as the printed, pictured and copied outputs draw it,
// line by line in the order they always have: a line may be there more than
// once (a side cut where two column groups differ both in a vertical and a
// horizontal face is drawn for each), and each is drawn with its pen
// selected anew; the sheet's outline comes last, four lines under one
// selection of the cut pen (the floor's front edge, the back's top edge,
// the left side, the right side).
struct UnfoldedPattern {
    int gridWidth = 0, gridHeight = 0;  // W and H of the grid card
    std::vector<PatternLine> lines;
    PatternLine outline[4];
};

// The width and height of the grid a sheet was derived from.
int SheetGridWidth(const Sheet& sheet);
int SheetGridHeight(const Sheet& sheet);

// The pattern of a grid card's sheet: column group by column group, the cuts
// along its left side where it and its left neighbour differ in a face, then
// the lines across it where vertical faces begin or end going up, then where
// horizontal faces begin or end going forward, each in increasing depth and
// height of the cell it ends in; a face ending on a face of the other plane
// folds (a valley where the paper turns up, a mountain where it turns down),
// one ending on nothing is cut.
UnfoldedPattern UnfoldPattern(const Sheet& sheet);

// The pattern of a sheet drawn in millimetres (a free-form card's) as the
// line outputs draw it: every edge flattened to chords within the
// flattening tolerance, one millimetre a unit, x moved one unit in from the
// left as a grid card's first column is; the outline last.
UnfoldedPattern FlattenedPattern(const Sheet& sheet);

// Draws the pattern onto the surface. The sheet point (u, s) lands on
// (trunc(ox + u*cw), trunc(oy + s*ch)); a nonzero reverseMode mirrors the
// drawing left to right within the grid's W columns. Creates the three pens,
// selects a pen anew for every line but the outline's, puts the surface's
// previous pen back and deletes the pens at the end. Always returns true.
bool DrawUnfoldedPattern(LineSurface& surface, const UnfoldedPattern& pattern, int reverseMode, double ox,
                         double oy, double cw, double ch);
bool DrawUnfoldedPattern(LineSurface& surface, const Sheet& sheet, int reverseMode, double ox, double oy,
                         double cw, double ch);
// The grid's sheet as the last rebuild pass left the faces.
bool DrawUnfoldedPattern(LineSurface& surface, const CellGrid& grid, int reverseMode, double ox, double oy,
                         double cw, double ch);

}  // namespace pw
