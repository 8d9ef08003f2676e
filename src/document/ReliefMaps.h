#pragma once
#include <string>

#include "import/ReliefSource.h"
#include "import/TextRaster.h"  // kMaxTextCharacters, the longest text a relief takes

namespace pw {

class CellGrid;
struct DepthMap;

// What making a relief's depth map came to: on failure the message, and the
// file it is about when the picture or the model could not be read (empty
// for a refusal of the settings); on success what the user should still
// know of the map (a text drawn in another font than the one named).
struct ReliefMapOutcome {
    bool made = false;
    std::string file;
    std::string error;
    std::string warning;
};

// The depth maps of a line of text, of a model file and (through the
// picture readers' library, document/ReliefPictures.h) of a picture file,
// sized for the card.
ReliefMapOutcome MakeTextRelief(const std::string& text, const ReliefSettings& settings, const CellGrid& card,
                                DepthMap& map);
// Reads a model file for a relief (the insert dialog keeps it while its
// settings change); false with the message in `error`.
bool ReadReliefModel(const std::string& path, Mesh& mesh, std::string& error);

ReliefMapOutcome MakeModelRelief(const std::string& path, const ReliefSettings& settings, const CellGrid& card,
                                 DepthMap& map);

}  // namespace pw
