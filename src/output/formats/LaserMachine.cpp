#include "output/formats/MachineFiles.h"

namespace pw {

// Laser software maps colours to power: cut red, score blue (a light cut at
// low power), engrave black (the legend, when asked for, as letters to
// fill); hairline strokes are the vector lines, and the cut runs half the
// beam's kerf outside the paper.
const CuttingMachine& LaserMachine() {
    static const ExportFormat svg{
        "laser-svg", "svg", PW_TRANSLATE_NOOP("FileFilters", "Laser SVG File"), {"svg"}, false,
        kMachineOptions | kTakesLegend, kMachineRefusals, "", [](const std::string& path, const ExportInput& in, ExportReport& report) {
            return WriteMachineSvg(LaserMachine(), path, in, report);
        }};
    static const ExportFormat dxf{
        "laser-dxf", "dxf", PW_TRANSLATE_NOOP("FileFilters", "Laser DXF File"), {"dxf"}, false,
        kMachineOptions | kTakesLegend, kMachineRefusals, "", [](const std::string& path, const ExportInput& in, ExportReport& report) {
            return WriteMachineDxf(LaserMachine(), path, in, report);
        }};
    static const CuttingMachine machine{"laser", PW_TRANSLATE_NOOP("CuttingMachines", "Laser cutter"), 0.3, FoldTreatment::LightCut,
                                        {"#FF0000", "#0000FF", true, true, true}, {&svg, &dxf}};
    return machine;
}

}  // namespace pw
