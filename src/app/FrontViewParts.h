#pragma once
// What the front view's files share: how near the pointer must come, and
// the box of a flat with its corners.
#include <QPointF>
#include <algorithm>
#include <cmath>

#include "model/freeform/FreeformCard.h"
#include "model/freeform/PathBounds.h"

namespace pw::frontview {

// How near in pixels the pointer must come to a handle, a node or a
// snapping target.
constexpr double kGrabPixels = 6;
// A press that moves less than this is a click, not a drag.
constexpr double kDragPixels = 3;
// The rotate handle stands this far above the selection's box.
constexpr double kRotateHandlePixels = 22;
// A new flat stands this deep when nothing is selected to take the depth from.
constexpr double kDefaultDepthMm = 30;

inline double PixelDistance(QPointF a, QPointF b) { return std::hypot(a.x() - b.x(), a.y() - b.y()); }

inline PathBox FlatBox(const FreeformFlat& flat) {
    PathBox box;
    bool first = true;
    for (const FrontLoop& loop : flat.loops) {
        const PathBox b = BoundsOf(loop);
        if (first) box = b;
        box = {std::min(box.x0, b.x0), std::min(box.s0, b.s0), std::max(box.x1, b.x1), std::max(box.s1, b.s1)};
        first = false;
    }
    return box;
}

inline SheetPoint BoxCorner(const PathBox& box, int corner) {
    switch (corner) {
        case 0: return {box.x0, box.s0};
        case 1: return {box.x1, box.s0};
        case 2: return {box.x1, box.s1};
        default: return {box.x0, box.s1};
    }
}

inline SheetPoint BoxCentre(const PathBox& box) { return {(box.x0 + box.x1) / 2, (box.s0 + box.s1) / 2}; }

}  // namespace pw::frontview
