#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "model/Sheet.h"

namespace pw {

class CellGrid;
class GridSheetCells;

// Whether the card, once closed, hides its relief inside its cover. Closing
// folds every point of a column at depth y and height z onto the floor sheet
// y + z - 2 cells from the crease (the fold map at 0 degrees), and the sheets
// are H - 1 cells long, so paper with a corner at y + z > H + 1 sticks out.
// A face in cell (x, y, z) reaches y + z + 1 with its far corner, whichever
// its orientation: it sticks out exactly when y + z >= H + 1.
inline bool FaceSticksOut(int y, int z, int gridHeight) { return y + z >= gridHeight + 1; }

// How far the piece reaches from the crease once the card is closed: the
// largest y + z over its corners (in the sheet's own units the floor is at
// height 0 and the back at depth 0, and the half sheet is `half` long).
double PieceReach(const SheetPiece& piece);
// How far the piece sticks out of the closed card, in whole units; 0 inside.
int PieceOverhang(const SheetPiece& piece, double half);

// Per grid column (indexed 0 .. W-1, the card columns 1 .. W-2), how many
// cells the paper of a grid card's sheet reaches past the closed card's
// edge: the most any piece over the column sticks out.
std::vector<int> ColumnOverhangs(const Sheet& sheet);
// The same for one card column of the grid's faces as the last rebuild
// pass left them (derives the whole sheet: for one-off questions).
int ColumnOverhang(const CellGrid& grid, int x);

struct ClosingReport {
    int overhang = 0;  // the largest, in cells
    // The card columns (numbered from 1) that stick out, as runs first..last.
    std::vector<std::pair<int, int>> columnRuns;
    bool ClosesInside() const { return overhang == 0; }
};

// The report of the overhangs of card columns 1, 2, ... in that order.
ClosingReport ReportOfOverhangs(const std::vector<int>& cardColumnOverhangs);

// Measures every card column.
ClosingReport CheckClosing(const Sheet& sheet);
ClosingReport CheckClosing(const CellGrid& grid);

// "3-5, 9": the runs, single columns without a dash.
std::string ColumnRunsText(const std::vector<std::pair<int, int>>& runs);
// The status bar's sentence.
std::string ClosingStatusText(const ClosingReport& report);
// The command-line tool's `closes inside: ...` line, without the line feed.
std::string ClosingInfoLine(const ClosingReport& report);

// The check as the 3D view runs it after each rebuild pass: the overhang of
// every column is kept, and only the columns the pass rebuilt (their change
// stamps tell) are measured again, from the pieces over them, so the check
// never costs more than the pass itself.
class ClosingCheck {
public:
    // After the pass and the sheet's update: measures the rebuilt columns
    // (every column when the card's size changed or after Forget) and
    // updates the report. `cells` is `sheet` read back cell by cell.
    void Update(const CellGrid& grid, const Sheet& sheet, const GridSheetCells& cells);
    // The overhangs may be stale (the check was off while the card changed).
    void Forget();
    const ClosingReport& Report() const { return report_; }

private:
    std::vector<int> overhang_;  // per grid column
    std::vector<std::uint64_t> stamps_;  // the column stamps measured
    int width_ = 0, height_ = 0;
    ClosingReport report_;
};

}  // namespace pw
