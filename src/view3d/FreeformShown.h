#pragma once
#include <cstdint>
#include <vector>

#include "model/freeform/FreeformChecks.h"
#include "model/freeform/FreeformSheet.h"
#include "view3d/SheetGeometry.h"

namespace pw {

// A free-form card's sheet as the 3D view shows it: the pieces its checks
// found at fault marked for the invalid colour. `built` must outlive the
// frames that show it; `revision` must change whenever `built` or the
// problems do.
inline ShownSheet ShowFreeformSheet(const FreeformSheet& built, const std::vector<FlatProblem>& problems,
                                    std::uint64_t revision) {
    ShownSheet shown;
    shown.sheet = &built.sheet;
    shown.revision = revision;
    shown.invalidPieces.assign(built.sheet.pieces.size(), false);
    for (const FreeformPieceInfo& info : built.pieces)
        shown.pieceFlats.push_back(info.role == FreeformPieceRole::Face || info.role == FreeformPieceRole::Roof ? info.flat
                                                                                                               : -1);
    for (const FlatProblem& problem : problems)
        for (int piece : problem.pieces)
            if (piece >= 0 && static_cast<std::size_t>(piece) < shown.invalidPieces.size())
                shown.invalidPieces[static_cast<std::size_t>(piece)] = true;
    return shown;
}

}  // namespace pw
