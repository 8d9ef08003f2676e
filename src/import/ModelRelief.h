#pragma once
#include <string>

#include "import/Mesh.h"
#include "import/ReliefArea.h"
#include "model/DepthMap.h"

namespace pw {

// The depth map of a model seen from the front, fitted into `area` (already
// resolved against the card): scaled uniformly so its width, height and
// depth fit the area and the card's depth `cardDepth`, centred across the
// area, its lowest point on the floor and its back against the back sheet.
// Each cell takes the largest depth toward the viewer of the surface seen
// through it (at least one cell where any surface is seen), capped at
// `depthCap` when that is above 0. Fails with the message in `error` for a
// model without width or height seen from the front or with coordinates
// that are not finite.
bool ModelDepthMap(const Mesh& mesh, ModelUp up, const ReliefArea& area, int cardDepth, int depthCap, DepthMap& out,
                   std::string& error);

}  // namespace pw
