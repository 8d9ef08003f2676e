#include "app/OutputGrid.h"

#include "edit/EditedCard.h"
#include "model/RebuildPass.h"
#include "view3d/InvalidFigureCheck.h"

namespace pw {

const CellGrid& GridForOutput(EditedCard& model) {
    if (model.edit.checkInvalidFigure)
        RunRebuildPass(model.grid, CheckInvalidFigure);
    else
        RunRebuildPass(model.grid);
    return model.grid;
}

}  // namespace pw
