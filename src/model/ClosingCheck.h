#pragma once
#include <string>
#include <utility>
#include <vector>

namespace pw {

class CellGrid;

// Whether the card, once closed, hides its relief inside its cover. Closing
// folds every point of a column at depth y and height z onto the floor sheet
// y + z - 2 cells from the crease (the fold map at 0 degrees), and the sheets
// are H - 1 cells long, so paper with a corner at y + z > H + 1 sticks out.
// A face in cell (x, y, z) reaches y + z + 1 with its far corner, whichever
// its orientation: it sticks out exactly when y + z >= H + 1.
inline bool FaceSticksOut(int y, int z, int gridHeight) { return y + z >= gridHeight + 1; }

// How many cells the faces of card column x reach past the closed card's
// edge; 0 when they stay inside. Reads the face flags as the last rebuild
// pass left them.
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
ClosingReport CheckClosing(const CellGrid& grid);

// "3-5, 9": the runs, single columns without a dash.
std::string ColumnRunsText(const std::vector<std::pair<int, int>>& runs);
// The status bar's sentence.
std::string ClosingStatusText(const ClosingReport& report);
// The command-line tool's `closes inside: ...` line, without the line feed.
std::string ClosingInfoLine(const ClosingReport& report);

// The check as the 3D view runs it after each rebuild pass: the overhang of
// every column is kept, and only the columns the pass rebuilt are measured
// again, so the check never costs more than the pass itself.
class ClosingCheck {
public:
    // Before the pass: notes the columns it is going to rebuild.
    void NoteDirtyColumns(const CellGrid& grid);
    // After the pass: measures the noted columns (every column when the
    // card's size changed or after Forget) and updates the report.
    void Update(const CellGrid& grid);
    // The overhangs may be stale (the check was off while the card changed).
    void Forget();
    const ClosingReport& Report() const { return report_; }

private:
    std::vector<int> overhang_;  // per grid column
    std::vector<int> dirty_;
    int width_ = 0, height_ = 0;
    ClosingReport report_;
};

}  // namespace pw
