#include "app/OutputGrid.h"

#include "model/CardModel.h"
#include "model/RebuildPass.h"
#include "view3d/InvalidFigureCheck.h"

namespace pw {

const CellGrid& GridForOutput(CardModel& model) {
    if (model.edit.checkInvalidFigure)
        RunRebuildPass(model.grid, CheckInvalidFigure);
    else
        RunRebuildPass(model.grid);
    return model.grid;
}

}  // namespace pw
