#pragma once
#include <cstddef>
#include <string>

#include "import/FlatSource.h"

namespace pw {

// The most path segments a drawing may bring, so that a hostile file cannot
// exhaust time or memory.
inline constexpr std::size_t kSvgMaxSegments = 200000;
// The largest drawing file read.
inline constexpr std::size_t kSvgMaxBytes = 64u << 20;

// An SVG drawing as flats, in millimetres with z up. Each top-level element
// of the drawing (an Inkscape layer, a group or a lone shape) becomes one
// flat named by its inkscape:label or id; a "depth=30" in that name gives its
// depth, `defaultDepthMm` otherwise. Shapes keep their curves; text, pictures,
// <use> and scripts are left out with a note, and nothing outside the bytes
// is ever read or fetched. A layer hidden in the drawing comes in hidden.
FlatsFromSource SvgFlats(const std::string& bytes, double defaultDepthMm);

}  // namespace pw
