#pragma once
#include <cstdint>
#include <optional>

#include "model/FaceAnchoring.h"
#include "model/GridSheet.h"
#include "model/GridSheetCells.h"

namespace pw {

class CellGrid;

// A grid card's sheet as the stages after the rebuild pass read it (the 3D
// geometry, picking, the validity and closing checks), kept next to where
// the pass runs and brought up to date after it: the sheet, read back cell
// by cell, and the validity check's marks while the check is on.
class KeptGridSheet {
public:
    // Reads what the rebuild pass redid since the last update (cheap when it
    // redid nothing); with `anchoring` the validity marks are found again
    // after any change of the sheet, without it they are dropped.
    void Update(const CellGrid& grid, bool anchoring);

    const Sheet& Current() const { return builder_.Current(); }
    const GridSheetCells& Cells() const { return cells_; }
    // The validity marks; nothing while the check is off.
    const FaceAnchoring* Anchoring() const { return anchoring_ ? &*anchoring_ : nullptr; }
    // Grow whenever the sheet, or the marks, changed.
    std::uint64_t SheetRevision() const { return sheetRevision_; }
    std::uint64_t MarksRevision() const { return marksRevision_; }

private:
    GridSheetBuilder builder_;
    GridSheetCells cells_;
    std::optional<FaceAnchoring> anchoring_;
    bool read_ = false;
    std::uint64_t sheetRevision_ = 0, marksRevision_ = 0;
};

}  // namespace pw
