#include "output/formats/MachineFiles.h"

namespace pw {

// Brother's CanvasWorkspace and the machines take SVG; the blade
// perforates the folds, as the machines have no scoring tool.
const CuttingMachine& ScanNCutMachine() {
    static const ExportFormat svg{
        "scanncut-svg", "svg", PW_TRANSLATE_NOOP("FileFilters", "ScanNCut SVG File"), {"svg"}, false,
        kMachineOptions, kMachineRefusals, "", [](const std::string& path, const ExportInput& in, ExportReport& report) {
            return WriteMachineSvg(ScanNCutMachine(), path, in, report);
        }};
    static const CuttingMachine machine{"scanncut", PW_TRANSLATE_NOOP("CuttingMachines", "Brother ScanNCut"), 1.5, FoldTreatment::Perforation,
                                        {"#000000", "#0000FF", false, false}, {&svg}};
    return machine;
}

}  // namespace pw
