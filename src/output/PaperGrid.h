#pragma once
#include "output/PatternOptions.h"

namespace pw {

// A new grid card cut from a whole sheet of paper, folded once across its
// long side as postcards are: the opened card is the paper's width by half
// its height. Columns and cells are whole numbers, so the cell is chosen to
// bring the sheet as close to the paper as the new-card ranges allow.
struct PaperGrid {
    int width = 0;   // card columns, as `popwright-cli new --width` takes them
    int height = 0;  // card cells from the fold to the top
    double cellMm = 0;
    FinishedSize size;  // the sheet those make, to say the exact result
};

PaperGrid GridForPaper(const PaperSize& paper);

}  // namespace pw
