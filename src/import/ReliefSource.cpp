#include "import/ReliefSource.h"

#include "import/ImportMessages.h"
#include "import/ModelRelief.h"
#include "import/TextRaster.h"

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
    return true;
}

bool TextReliefMap(const std::string& text, const ReliefSettings& settings, int W, int H, DepthMap& out,
                   std::string& error) {
    ReliefArea area;
    int depth = 0;
    if (!CheckSettings(settings, W, H, false, area, depth, error)) return false;
    GreyImage rendered;
    if (!RenderTextLine(text, settings.font, area.height * kTextPixelsPerCell, rendered, error)) return false;
    out = PictureDepthMap(rendered, area, PictureMode::Silhouette, 0.5, depth);
    return true;
}

bool ModelReliefMap(const Mesh& mesh, const ReliefSettings& settings, int W, int H, DepthMap& out, std::string& error) {
    ReliefArea area;
    int depth = 0;
    if (!CheckSettings(settings, W, H, true, area, depth, error)) return false;
    return ModelDepthMap(mesh, settings.up, area, H - 2, depth, out, error);
}

}  // namespace pw
