#include "import/ReliefSource.h"

#include <algorithm>
#include <cstdint>

#include "import/ImportMessages.h"
#include "import/ModelRelief.h"
#include "import/TextRaster.h"
#include "model/ReliefShape.h"

namespace pw {

namespace {

// The resolved area and the depth, or the message of what is wrong.
bool CheckSettings(const ReliefSettings& settings, int W, int H, bool depthOptional, ReliefArea& area, int& depth,
                   std::string& error) {
    area = ResolveArea(settings.area, W, H);
    error = CheckArea(area, W, H);
    if (!error.empty()) return false;
    depth = settings.depth;
    if (depth == 0 && !depthOptional) depth = DefaultReliefDepth(H);
    if (depth != 0 || !depthOptional) error = CheckDepth(depth, H);
    if (!error.empty()) return false;
    if (!(settings.threshold >= 0.0 && settings.threshold <= 1.0)) {
        error = msg::kThresholdOutOfRange;
        return false;
    }
    return true;
}

// False with `why` in `error` when the map raises no cell of the card.
bool RaisesSomething(const DepthMap& map, int H, const char* why, std::string& error) {
    if (RaisesAnyCell(map, H)) return true;
    error = why;
    return false;
}

// %2 first: the name given for %1 may hold a "%2" of its own.
std::string Filled(std::string text, const std::string& first, const std::string& second) {
    text.replace(text.find("%2"), 2, second);
    text.replace(text.find("%1"), 2, first);
    return text;
}

// Pixels of rendered text per cell of its height.
constexpr int kTextPixelsPerCell = 8;

}  // namespace

bool PictureReliefMap(const GreyImage& picture, const ReliefSettings& settings, int W, int H, DepthMap& out,
                      std::string& error) {
    ReliefArea area;
    int depth = 0;
    if (!CheckSettings(settings, W, H, false, area, depth, error)) return false;
    if (picture.Empty()) {
        error = msg::kPictureEmpty;
        return false;
    }
    out = PictureDepthMap(picture, area, settings.pictureMode, settings.threshold, depth);
    const bool white = std::all_of(picture.pixels.begin(), picture.pixels.end(), [](std::uint8_t v) { return v == 255; });
    return RaisesSomething(out, H, white ? msg::kPictureAllWhite : msg::kPictureTooLight, error);
}

bool TextReliefMap(const std::string& text, const ReliefSettings& settings, int W, int H, DepthMap& out,
                   std::string& error, std::string* warning) {
    if (warning) warning->clear();
    ReliefArea area;
    int depth = 0;
    if (!CheckSettings(settings, W, H, false, area, depth, error)) return false;
    GreyImage rendered;
    std::string fontInstead;
    if (!RenderTextLine(text, settings.font, area.height * kTextPixelsPerCell, rendered, error, &fontInstead))
        return false;
    out = PictureDepthMap(rendered, area, PictureMode::Silhouette, 0.5, depth);
    if (!RaisesSomething(out, H, msg::kTextTooSmall, error)) return false;
    if (warning && !fontInstead.empty()) *warning = Filled(msg::kFontReplaced, settings.font, fontInstead);
    return true;
}

bool ModelReliefMap(const Mesh& mesh, const ReliefSettings& settings, int W, int H, DepthMap& out, std::string& error) {
    ReliefArea area;
    int depth = 0;
    if (!CheckSettings(settings, W, H, true, area, depth, error)) return false;
    return ModelDepthMap(mesh, settings.up, area, H - 2, depth, out, error) &&
           RaisesSomething(out, H, msg::kModelTooSmall, error);
}

}  // namespace pw
