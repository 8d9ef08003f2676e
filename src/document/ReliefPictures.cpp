#include "document/ReliefPictures.h"

#include "import/PictureFile.h"
#include "model/CellGrid.h"

namespace pw {

bool ReadReliefPicture(const std::string& path, GreyImage& picture, std::string& error) {
    return LoadPicture(path, picture, error);
}

ReliefMapOutcome MakePictureRelief(const std::string& path, const ReliefSettings& settings, const CellGrid& card,
                                   DepthMap& map) {
    ReliefMapOutcome outcome;
    const GuiForPictures gui;
    GreyImage picture;
    if (!ReadReliefPicture(path, picture, outcome.error)) {
        outcome.file = path;
        return outcome;
    }
    outcome.made = PictureReliefMap(picture, settings, card.gridWidth, card.gridHeight, map, outcome.error);
    return outcome;
}

}  // namespace pw
