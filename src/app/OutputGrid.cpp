#include "app/OutputGrid.h"

#include "edit/EditedCard.h"
#include "model/RebuildPass.h"

namespace pw {

const CellGrid& GridForOutput(EditedCard& model) {
    // The validity marks are the 3D view's own (it finds them on its sheet
    // after this pass too): the pattern needs the faces alone.
    RunRebuildPass(model.grid);
    return model.grid;
}

}  // namespace pw
