#pragma once
#include <string>

#include "import/FlatSource.h"

namespace pw {

// The `flats` command's --model source: the model file read in the child
// process the grid card's model import uses, sliced at `depths` ("40,25,10"
// in millimetres; empty: at the model's own steps), its height made
// `sizeMm` and its lower left corner put at (atX, atZ). The flats come back
// placed, or with the message in `error`.
FlatsFromSource ModelFlatsForCli(const std::string& model, const std::string& depths, double sizeMm, double atX,
                                 double atZ);

}  // namespace pw
