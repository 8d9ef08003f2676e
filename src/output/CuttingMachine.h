#pragma once
#include <string>
#include <vector>

#include "output/CutterPattern.h"
#include "output/ExportFormat.h"

namespace pw {

// What a fold becomes on a cutting machine.
enum class FoldTreatment {
    Score,        // pressed or drawn, never cut: a scoring tool or a pen
    Perforation,  // cut through in dashes of the user's length
    LightCut,     // cut part way through the paper, at low force or power
};

// How a machine's files draw the lines: the cuts in one colour, the folds on
// a layer of their own in another, millimetres throughout.
struct MachineStyle {
    const char* cutColor = "#000000";
    const char* foldColor = "#0000FF";
    bool hairline = false;  // lasers take a hairline stroke as a vector line
    bool offsetsKerf = false;  // the cut follows the paper half the kerf outside it
    bool engraves = false;  // the legend is engraved in black beside the sheet
};

// A home cutting machine: the files it takes (declared in the format
// registry, output/formats/), the smallest feature it makes, what a fold
// becomes and how its files are drawn.
struct CuttingMachine {
    const char* name;   // as popwright-cli names it: "cricut"
    const char* title;  // as the desktop's dialog shows it
    double minFeatureMm = 1.0;
    FoldTreatment fold = FoldTreatment::Score;
    MachineStyle style;
    std::vector<const ExportFormat*> formats;  // its files, the first the usual one
};

inline constexpr double kMaxKerfMm = 0.5;

// Every machine, in the order --help and the dialog list them
// (output/formats/FormatList.h).
const std::vector<const CuttingMachine*>& CuttingMachines();
// The machine of that name, or null.
const CuttingMachine* CuttingMachineNamed(const std::string& name);
// The machine's format for the file's extension, or null.
const ExportFormat* MachineFormatOf(const CuttingMachine& machine, const std::string& path);
// "cricut, silhouette, scanncut and laser".
std::string MachineNames();

// The cutter-ready layout redrawn for the machine: the cut layer in its
// colour (and, for a laser, offset outwards by half of `kerfMm`), every
// fold on the one fold layer as `fold` says. A machine that engraves gets
// the legend's place as a key of its own lines and the card's size, drawn
// by `outline` on the engrave layer; the others cut no legend.
CutterPattern ForMachine(CutterPattern pattern, const CuttingMachine& machine, FoldTreatment fold, double kerfMm,
                         const LegendWording& words = LegendWording(), const TextOutliner& outline = nullptr);

// The machine's file: the layout with `options` (folds perforated when the
// machine perforates them or the options ask for it; a legend only for a
// machine that engraves it), redrawn for the machine, written by `write`.
bool WriteMachineFile(const CuttingMachine& machine, const std::string& path, const ExportInput& input,
                      ExportReport& report, void (*write)(std::ostream&, const CutterPattern&));

}  // namespace pw
