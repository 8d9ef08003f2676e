#pragma once
#include <string>

#include "import/FlatSource.h"

namespace pw {

// The flats of `popwright-cli flats ... --svg FILE`: the drawing's layers with
// their own depths (`defaultDepthMm` for a layer that names none), in
// millimetres as drawn; the flats command places them with --size and --at.
FlatsFromSource SvgFlatsForCli(const std::string& path, double defaultDepthMm);

}  // namespace pw
