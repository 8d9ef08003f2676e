#pragma once
#include <string>

#include "import/GreyImage.h"
#include "import/Mesh.h"
#include "import/PictureRelief.h"
#include "import/ReliefArea.h"
#include "model/DepthMap.h"

namespace pw {

// Everything that says how a picture, a line of text or a model becomes
// relief: the command line's options and the insert dialogs' fields.
struct ReliefSettings {
    ReliefArea area;         // width or height 0: the rest of the card
    int depth = 0;           // 0: half the card's depth (a model: its own proportions)
    bool keepInside = false; // cut back what would stick out of the closed card
    PictureMode pictureMode = PictureMode::Silhouette;
    double threshold = 0.5;  // lightness from 0 to 1, silhouettes only
    std::string font;        // fontconfig name; empty for the default face
    ModelUp up = ModelUp::Z;
};

// The depth maps of the three kinds of source for a card of W columns
// (borders included) and extent H. Each checks the area and the depth first,
// and refuses a map that would leave the card flat, saying why. On failure
// returns false with the message in `error`. A text drawn in another font
// than the one named sets `warning` (if given) to say which; else it is
// cleared.
bool PictureReliefMap(const GreyImage& picture, const ReliefSettings& settings, int W, int H, DepthMap& out,
                      std::string& error);
bool TextReliefMap(const std::string& text, const ReliefSettings& settings, int W, int H, DepthMap& out,
                   std::string& error, std::string* warning = nullptr);
bool ModelReliefMap(const Mesh& mesh, const ReliefSettings& settings, int W, int H, DepthMap& out, std::string& error);

}  // namespace pw
