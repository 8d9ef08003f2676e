#pragma once
#include <iosfwd>

namespace pw {

struct CutterPattern;

// HPGL's plotter unit: 0.025 mm, forty to the millimetre.
inline constexpr double kHpglUnitsPerMm = 40;

// Writes the pattern as HPGL/1 for a pen plotter (or a cutting plotter that
// reads HPGL): "IN;", then each layer in the pattern's cut order with its
// pen - pen 1 the cut, pen 2 the folds and the score layer, pen 3 any other
// layer - each run of joined lines and each curved run (flattened within
// kFlatteningToleranceMm) as "PU x,y;" and "PD x,y,...;", and "PU;SP0;" at
// the end. Integer plotter units with the origin at the page's bottom-left
// corner and y up, as plotters count. No legend: a plotter would draw it.
void WriteHpgl(std::ostream& out, const CutterPattern& pattern);

}  // namespace pw
