#include "output/formats/MachineFiles.h"

namespace pw {

// Silhouette Studio's free edition opens DXF but not SVG: cut and folds on
// layers of their own, in millimetres; the paid editions take the SVG. Its
// blade perforates the folds.
const CuttingMachine& SilhouetteMachine() {
    static const ExportFormat dxf{
        "silhouette-dxf", "dxf", PW_TRANSLATE_NOOP("FileFilters", "Silhouette DXF File"), {"dxf"}, false,
        kMachineOptions, kMachineRefusals, "", [](const std::string& path, const ExportInput& in, ExportReport& report) {
            return WriteMachineDxf(SilhouetteMachine(), path, in, report);
        }};
    static const ExportFormat svg{
        "silhouette-svg", "svg", PW_TRANSLATE_NOOP("FileFilters", "Silhouette SVG File"), {"svg"}, false,
        kMachineOptions, kMachineRefusals, "", [](const std::string& path, const ExportInput& in, ExportReport& report) {
            return WriteMachineSvg(SilhouetteMachine(), path, in, report);
        }};
    static const CuttingMachine machine{"silhouette", PW_TRANSLATE_NOOP("CuttingMachines", "Silhouette"), 1.0, FoldTreatment::Perforation,
                                        {"#000000", "#0000FF", false, false}, {&dxf, &svg}};
    return machine;
}

}  // namespace pw
