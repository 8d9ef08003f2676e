#pragma once
#include <iosfwd>

namespace pw {

struct CutterPattern;
struct PatternPages;

// Writes the pattern as a PDF, the drawing in millimetres, each kind of line
// in its own optional content group (a layer a viewer can switch), named
// "cut", "mountain" and "valley", written in the pattern's cut order; a
// legend in a group "legend". A drawing that fits its paper is one page of
// the pattern's page size; one that does not (or with tiling asked for) is
// tiled over pages of the paper (see PlanPatternPages), whose alignment
// marks and "row, column" labels are in a group "marks".
void WritePdf(std::ostream& out, const CutterPattern& pattern);
// The same on pages planned already (PlanPatternPages of the pattern).
void WritePdf(std::ostream& out, const CutterPattern& pattern, const PatternPages& plan);

}  // namespace pw
