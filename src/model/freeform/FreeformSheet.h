#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "model/Sheet.h"
#include "model/freeform/FreeformCard.h"

namespace pw {

// What each piece of a free-form card's sheet is.
enum class FreeformPieceRole {
    Face,   // a flat's upright paper
    Roof,   // a horizontal piece from a flat's top run back to what stands behind
    Floor,  // what is left of the floor half
    Back,   // what is left of the back half
};

struct FreeformPieceInfo {
    FreeformPieceRole role = FreeformPieceRole::Floor;
    int flat = -1;  // the flat it belongs to, by index in the card; -1 for the base
    // A face: held by a fold at its bottom (it stands on the floor or on a
    // roof in front) and by one at its top (a roof hangs from it).
    bool heldBelow = false, heldAbove = false;
};

// A free-form card's sheet in millimetres: x from 0 to the width, s from
// -half to half. Faces and roofs come first, flat by flat from the front,
// then the floor's and the back's remnants; the outline is the last edge.
struct FreeformSheet {
    Sheet sheet;
    std::vector<FreeformPieceInfo> pieces;  // one per sheet piece
    bool geometryFailed = false;  // a polygon operation refused its input
};

// Builds the paper from the flats: each flat's face at its depth, standing
// on the floor or on the roof of the flat in front; a roof from each of its
// horizontal top runs (unless switched off) back to whatever stands behind
// at that height, another flat or the back (or, where paper of a flat in
// between lies above it, ending under that flat, cut); cuts along the rest
// of every outline and around its holes, except where two pieces in one
// plane at one level meet side by side (a seam: the paper goes on); the
// base halves with the crease. A point
// at depth y and height z lies at s = y - z. It builds what the flats
// describe even where that cannot be paper: CheckFreeformCard says why.
// Hidden flats are left out, as if they were not on the card.
FreeformSheet BuildFreeformSheet(const FreeformCard& card);

class FlatPartsStore;
// What each flat makes of the sheet on its own (its flattened paper and
// top runs), kept from one build to the next so that an edit of one flat
// of many remakes that flat's parts and what joins the flats, not the rest.
class KeptFlatParts {
public:
    KeptFlatParts();
    ~KeptFlatParts();
    KeptFlatParts(KeptFlatParts&&) noexcept;
    KeptFlatParts& operator=(KeptFlatParts&&) noexcept;
    FlatPartsStore& Store() { return *store_; }
    // How many flats the last build made parts for (the others were kept).
    std::size_t MadeInLastBuild() const;

private:
    std::unique_ptr<FlatPartsStore> store_;
};

// The same sheet as BuildFreeformSheet(card), with the parts of flats that
// are as they were at `kept`'s last build taken from it.
FreeformSheet BuildFreeformSheet(const FreeformCard& card, KeptFlatParts& kept);

}  // namespace pw
