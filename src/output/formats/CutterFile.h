#pragma once
#include <iosfwd>
#include <string>

#include "output/ExportFormat.h"

namespace pw {

struct CutterPattern;

// The SVG, PDF and pattern DXF share their making: the cutter-ready
// pattern laid out with the options, then written by `write`.
bool WriteCutterFile(const std::string& path, const ExportInput& input, int& scoredFolds,
                     void (*write)(std::ostream&, const CutterPattern&));

}  // namespace pw
