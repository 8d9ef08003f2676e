#pragma once
#include <string>
#include <vector>

#include "model/freeform/FreeformCard.h"

namespace pw {

// Flats made from something outside the card (a line of text, a drawing, a
// traced picture, a model's slices), in millimetres of the front view: x
// along the crease, z (SheetPoint's s) up from the floor. `error` is empty
// when the flats were made; otherwise it says why none were, and the card
// must stay as it was. `notes` say what the user should know of flats that
// were made (a glyph the font lacks, speckles dropped, a baseline run added).
struct FlatsFromSource {
    std::vector<FreeformFlat> flats;
    std::string error;
    std::vector<std::string> notes;
    bool Made() const { return error.empty() && !flats.empty(); }
};

// Scales the flats' outlines about their common box so the box is
// `heightMm` high (unchanged when `heightMm` is 0 or the box has no height),
// then moves them so the box's lower left corner lies at (atX, atZ).
// Depths and names are kept.
void PlaceFlats(std::vector<FreeformFlat>& flats, double heightMm, double atX, double atZ);

}  // namespace pw
