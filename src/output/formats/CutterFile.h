#pragma once
#include <iosfwd>
#include <string>

#include "output/ExportFormat.h"

namespace pw {

struct CutterPattern;
struct PatternPages;

// The SVG, PDF and pattern DXF share their making: the cutter-ready
// pattern laid out with the options and its pages planned, once, then
// written by `write`; the report tells what was laid out.
bool WriteCutterFile(const std::string& path, const ExportInput& input, ExportReport& report,
                     void (*write)(std::ostream&, const CutterPattern&, const PatternPages&));

}  // namespace pw
