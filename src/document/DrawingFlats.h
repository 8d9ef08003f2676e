#pragma once
#include <string>

#include "import/FlatSource.h"

namespace pw {

// A drawing file (SVG) read as flats, for the window's "Drawing as Flats" and
// the command line's `flats --svg`: its layers with their own depths
// (`defaultDepthMm` for a layer that names none), in millimetres as drawn.
// A file too large is refused before it is read.
FlatsFromSource ReadDrawingFlats(const std::string& path, double defaultDepthMm);

}  // namespace pw
