#include "document/RecoveryCopy.h"

#include <utility>

namespace pw {

bool ReadRecoveryCopy(const std::string& path, RecoveryCopy& out) {
    if (CardKindOfFile(path) == CardKind::Grid) {
        CellGrid grid;
        if (!ReadCardFile(path, grid)) return false;
        out.kind = CardKind::Grid;
        out.grid = std::move(grid);
        return true;
    }
    FreeformCard card;
    if (!OpenFreeformFile(path, card).Opened()) return false;
    out.kind = CardKind::Freeform;
    out.freeform = std::move(card);
    return true;
}

}  // namespace pw
