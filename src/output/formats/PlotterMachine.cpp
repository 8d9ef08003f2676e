#include "output/HpglWriter.h"
#include "output/formats/MachineFiles.h"

namespace pw {

// A pen plotter draws the pattern in HPGL, pen 1 the outline and the cuts,
// pen 2 the folds, to be cut by hand along the drawn lines (a cutting
// plotter that reads HPGL cuts pen 1 and scores pen 2). The smallest
// feature is what a pen's line of about half a millimetre leaves apart.
const CuttingMachine& PlotterMachine() {
    static const ExportFormat hpgl{
        "plotter-hpgl", "plt", PW_TRANSLATE_NOOP("FileFilters", "HPGL Plotter File"), {"plt", "hpgl"}, false,
        kMachineOptions, kMachineRefusals, "", [](const std::string& path, const ExportInput& in, ExportReport& report) {
            return WriteMachineFile(PlotterMachine(), path, in, report,
                                    [](std::ostream& out, const CutterPattern& pattern) { WriteHpgl(out, pattern); });
        }};
    static const CuttingMachine machine{"plotter", PW_TRANSLATE_NOOP("CuttingMachines", "Pen plotter"), 0.5, FoldTreatment::Score,
                                        {"#000000", "#0000FF", false, false}, {&hpgl}};
    return machine;
}

}  // namespace pw
