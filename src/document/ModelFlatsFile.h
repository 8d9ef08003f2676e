#pragma once
#include <string>
#include <vector>

#include "import/ModelFlats.h"

namespace pw {

// A model file sliced into flats for a free-form card: read in the child
// process the grid card's model import uses (see import/ModelFile.h, with
// its limits), then sliced (import/ModelFlats.h). The flats are not placed
// yet; the caller moves them with PlaceFlats. On failure `error` says why
// and `file` is the model when it could not be read.
struct ModelFlatsOutcome {
    FlatsFromSource made;
    std::string file;
};
ModelFlatsOutcome MakeModelFlats(const std::string& path, const ModelSlicing& how);

// Depths written as "40,25.5,10" (millimetres; spaces allowed around the
// numbers): false for anything else, including an empty list.
bool ParseDepthList(const std::string& text, std::vector<double>& depths);

}  // namespace pw
