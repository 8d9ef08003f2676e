#include "output/formats/MachineFiles.h"

namespace pw {

// Design Space imports SVG; its score lines it takes from a layer of their
// own (set to Score there), the cut in black, in millimetres, unfilled.
const CuttingMachine& CricutMachine() {
    static const ExportFormat svg{
        "cricut-svg", "svg", PW_TRANSLATE_NOOP("FileFilters", "Cricut SVG File"), {"svg"}, false, kMachineOptions, kMachineRefusals,
        "", [](const std::string& path, const ExportInput& in, ExportReport& report) {
            return WriteMachineSvg(CricutMachine(), path, in, report);
        }};
    static const CuttingMachine machine{"cricut", PW_TRANSLATE_NOOP("CuttingMachines", "Cricut"), 1.0, FoldTreatment::Score,
                                        {"#000000", "#0000FF", false, false}, {&svg}};
    return machine;
}

}  // namespace pw
