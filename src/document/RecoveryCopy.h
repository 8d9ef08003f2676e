#pragma once
#include <string>

#include "document/CardFileAccess.h"
#include "model/CellGrid.h"
#include "model/freeform/FreeformCard.h"

namespace pw {

// A recovery copy read back: the card it holds, of the kind it was written
// as (CardDocument::RecoveryText writes either kind's file bytes).
struct RecoveryCopy {
    CardKind kind = CardKind::Grid;
    CellGrid grid;          // a grid card's copy
    FreeformCard freeform;  // a free-form card's copy
};

// Reads the recovery copy at `path`, telling its kind by its content (the
// copy's name is the same for both kinds); false when it cannot be read as
// the card it says it is, with `out` untouched.
bool ReadRecoveryCopy(const std::string& path, RecoveryCopy& out);

}  // namespace pw
