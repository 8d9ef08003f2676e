#pragma once
#include <string>

#include "document/ReliefMaps.h"

namespace pw {

// The depth map of a picture file for the card. Pictures are decoded by
// Qt's readers, so this lives in a library of its own
// (popwright_document_pictures); without a Qt application one is made for
// the time of the read, on the offscreen platform.
// Reads a picture file for a relief into lightness (the insert dialog keeps
// it while its settings change); false with the message in `error`.
bool ReadReliefPicture(const std::string& path, GreyImage& picture, std::string& error);

ReliefMapOutcome MakePictureRelief(const std::string& path, const ReliefSettings& settings, const CellGrid& card,
                                   DepthMap& map);

}  // namespace pw
