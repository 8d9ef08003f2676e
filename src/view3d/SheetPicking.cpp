#include "view3d/SheetPicking.h"

#include <algorithm>
#include <cmath>

#include "edit/FlatOperations.h"
#include "model/freeform/Geos.h"
#include "view3d/SheetGeometry.h"

namespace pw {

namespace {

// Whether the sheet point lies on the piece's paper: inside its outline and
// outside its holes, each flattened as the view draws it.
bool OnPaper(geos::Context& context, const SheetPiece& piece, SheetPoint p) {
    for (std::size_t k = 0; k < piece.loops.size(); ++k) {
        const geos::Ring ring = FlattenPath(piece.loops[k], kViewFlattening);
        if (ring.size() < 3) {
            if (k == 0) return false;
            continue;
        }
        const bool inside = geos::ContainsPoint(geos::Polygon(context, ring, {}), p);
        if (inside != (k == 0)) return false;
    }
    return !piece.loops.empty();
}

}  // namespace

int PickSheetPiece(const Sheet& sheet, const PointerRay& ray) {
    // The ray taken back from view space to the card's millimetres.
    const Vertex origin = SheetViewPoint(sheet, {0, 0, 0});
    const Point3 a{ray.nearPoint.x - origin.x, ray.nearPoint.y - origin.y, ray.nearPoint.z - origin.z};
    const Point3 b{ray.farPoint.x - origin.x, ray.farPoint.y - origin.y, ray.farPoint.z - origin.z};
    geos::Context context;
    int best = -1;
    double bestDistance = 2;
    for (std::size_t i = 0; i < sheet.pieces.size(); ++i) {
        const SheetPiece& piece = sheet.pieces[i];
        const bool horizontal = piece.plane == PiecePlane::Horizontal;
        const double from = horizontal ? a.z : a.y, to = horizontal ? b.z : b.y;
        if (from == to) continue;
        const double t = (piece.level - from) / (to - from);
        if (!(t >= 0 && t <= 1) || t >= bestDistance) continue;
        const Point3 at{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y), a.z + t * (b.z - a.z)};
        // A point at depth y and height z lies on the sheet at s = y - z.
        const SheetPoint p{at.x, horizontal ? at.y - piece.level : piece.level - at.z};
        if (!OnPaper(context, piece, p)) continue;
        best = static_cast<int>(i);
        bestDistance = t;
    }
    return best;
}

double DraggedDepth(double startDepthMm, double pixelsUp, bool fine, double halfMm) {
    const double depth = startDepthMm + pixelsUp * (fine ? kFineDepthPerPixelMm : kDepthPerPixelMm);
    if (!std::isfinite(depth)) return std::max(kLeastFlatDepthMm, std::min(startDepthMm, halfMm));
    return std::clamp(depth, kLeastFlatDepthMm, std::max(kLeastFlatDepthMm, halfMm));
}

}  // namespace pw
