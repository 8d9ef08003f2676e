#include "import/ReliefArea.h"

#include <algorithm>

#include "import/ImportMessages.h"

namespace pw {

ReliefArea ResolveArea(const ReliefArea& area, int W, int H) {
    ReliefArea resolved = area;
    if (resolved.width == 0) resolved.width = std::max(0, W - 1 - area.firstColumn);
    if (resolved.height == 0) resolved.height = H - 2;
    return resolved;
}

std::string CheckArea(const ReliefArea& area, int W, int H) {
    const bool inside = area.firstColumn >= 1 && area.width >= 1 && area.height >= 1 &&
                        area.width <= W - 2 && area.firstColumn <= W - 1 - area.width && area.height <= H - 2;
    return inside ? std::string() : std::string(msg::kAreaOutsideCard);
}

int DefaultReliefDepth(int H) { return std::max(1, (H - 2) / 2); }

std::string CheckDepth(int depth, int H) {
    if (depth >= 1 && depth <= H - 2) return {};
    std::string text = msg::kDepthOutsideCard;
    text.replace(text.find("%1"), 2, std::to_string(H - 2));
    return text;
}

}  // namespace pw
