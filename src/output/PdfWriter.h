#pragma once
#include <iosfwd>

namespace pw {

struct CutterPattern;

// Writes the pattern as a one-page PDF of the pattern's page size, the
// drawing in millimetres, each kind of line in its own optional content
// group (a layer a viewer can switch), named "cut", "mountain" and "valley".
void WritePdf(std::ostream& out, const CutterPattern& pattern);

}  // namespace pw
