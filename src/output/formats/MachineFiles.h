#pragma once
#include <string>
#include <vector>

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

// Why a machine's file refuses the other pattern options: its software
// sets the strokes, the page and the order of cutting, and only a laser
// engraves a legend (any other machine would cut it).
inline const std::vector<OptionRefusal> kMachineRefusals = {
    {kTakesLegend, PW_TRANSLATE_NOOP("CliMessages", "%1 applies to --machine laser, which engraves it")},
    {kTakesHairline | kTakesPaper | kTakesTiling | kTakesCutOrder,
     PW_TRANSLATE_NOOP("CliMessages", "%1 does not apply to a cutting machine's files")}};

}  // namespace pw
