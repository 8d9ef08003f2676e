#pragma once
#include <string>
#include <vector>

#include "model/Sheet.h"

namespace pw {

// Whether a sheet survives the cutter and the fold: the faults that pass the
// shape and closing checks yet fail in the hands. Read from the sheet only,
// so it holds for grid and free-form cards alike; all sizes in millimetres.

// What the machine and the paper allow.
struct BuildableLimits {
    double minFeatureMm = 1.0;  // the narrowest bridge, shortest cut and narrowest slit the machine makes
    double paperMm = 0.3;       // the paper's thickness
    bool closedThickness = false;  // also stack the closed card (the paper's thickness was given)
};
inline constexpr double kMinPaperMm = 0.05, kMaxPaperMm = 2.0;

enum class BuildFault {
    NarrowBridge,   // paper between two cuts, or a cut and the sheet's edge, that tears
    LoosePiece,     // paper that no fold or paper joins to the rest: it falls out
    ShortCut,       // a cut shorter than the blade can make
    NarrowSlit,     // a hole narrower than the blade or beam (it is burnt or torn away)
    FoldsTooClose,  // two parallel folds closer than the paper can bend
    ClosesThick,    // the closed card's stack is thicker than its folds can wrap
};

struct BuildFinding {
    BuildFault fault = BuildFault::NarrowBridge;
    double xMm = 0, sMm = 0;  // where, on the sheet (the crease at s = 0)
    double sizeMm = 0;        // the width, length or thickness the fault is about
};

struct BuildableReport {
    std::vector<BuildFinding> findings;
    int closedLayers = 0;  // the most layers of paper stacked in the closed card
    double closedThicknessMm = 0;
};

// `unitMm` is the sheet's unit: the cell's side for a grid card, 1 for a
// free-form card.
BuildableReport CheckBuildable(const Sheet& sheet, double unitMm, const BuildableLimits& limits);

// Where a finding is marked on the sheet, in the sheet's units (cells or
// millimetres), and how far around that point it reaches.
struct MarkedSpot {
    SheetPoint at;
    double radius = 0;
};
std::vector<MarkedSpot> FindingSpots(const BuildableReport& report, double unitMm);

// "narrow bridge", "loose piece", ... as reports and the command line name them.
const char* BuildFaultName(BuildFault fault);

}  // namespace pw
