#include "output/formats/MachineFiles.h"

#include "output/PatternDxfWriter.h"
#include "output/SvgWriter.h"

namespace pw {

bool WriteMachineSvg(const CuttingMachine& machine, const std::string& path, const ExportInput& input,
                     ExportReport& report) {
    return WriteMachineFile(machine, path, input, report,
                            [](std::ostream& out, const CutterPattern& pattern) { WriteSvg(out, pattern); });
}

bool WriteMachineDxf(const CuttingMachine& machine, const std::string& path, const ExportInput& input,
                     ExportReport& report) {
    return WriteMachineFile(machine, path, input, report,
                            [](std::ostream& out, const CutterPattern& pattern) { WritePatternDxf(out, pattern); });
}

}  // namespace pw
