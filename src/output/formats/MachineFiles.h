#pragma once
#include <string>

#include "output/CuttingMachine.h"

namespace pw {

// A machine's SVG and DXF: the pattern redrawn for the machine, then
// written by the cutter-ready SVG or DXF writer.
bool WriteMachineSvg(const CuttingMachine& machine, const std::string& path, const ExportInput& input,
                     ExportReport& report);
bool WriteMachineDxf(const CuttingMachine& machine, const std::string& path, const ExportInput& input,
                     ExportReport& report);

// The options every machine's file takes: the cell's size and, for the
// perforating ones, the dash and gap.
inline constexpr unsigned kMachineOptions = kTakesCellSize | kTakesPerforation;

}  // namespace pw
