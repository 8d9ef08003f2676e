#pragma once

namespace pw {

class CellGrid;
struct EditedCard;

// The grid with its faces derived from the current solid cells, for the
// pattern and DXF outputs: runs the rebuild pass exactly as the next frame of
// the 3D view would, so an edit whose frame has not been painted yet is
// still part of the output.
const CellGrid& GridForOutput(EditedCard& model);

}  // namespace pw
