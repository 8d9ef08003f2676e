#include <algorithm>
#include <limits>

#include "import/FlatSource.h"
#include "model/freeform/PathBounds.h"

namespace pw {

namespace {

SheetPoint Moved(SheetPoint p, double scale, SheetPoint from, SheetPoint to) {
    return {to.x + (p.x - from.x) * scale, to.s + (p.s - from.s) * scale};
}

}  // namespace

void PlaceFlats(std::vector<FreeformFlat>& flats, double heightMm, double atX, double atZ) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    PathBox all{kInf, kInf, -kInf, -kInf};
    for (const FreeformFlat& flat : flats)
        for (const FrontLoop& loop : flat.loops) {
            const PathBox b = BoundsOf(loop);
            all = {std::min(all.x0, b.x0), std::min(all.s0, b.s0), std::max(all.x1, b.x1), std::max(all.s1, b.s1)};
        }
    if (all.x0 > all.x1) return;  // no outline at all
    const double height = all.s1 - all.s0;
    const double scale = (heightMm > 0 && height > 0) ? heightMm / height : 1.0;
    const SheetPoint from{all.x0, all.s0};
    const SheetPoint to{atX, atZ};
    for (FreeformFlat& flat : flats) {
        for (FrontLoop& loop : flat.loops) {
            loop.start = Moved(loop.start, scale, from, to);
            for (PathSegment& seg : loop.segments) {
                seg.end = Moved(seg.end, scale, from, to);
                seg.centre = Moved(seg.centre, scale, from, to);
                seg.control1 = Moved(seg.control1, scale, from, to);
                seg.control2 = Moved(seg.control2, scale, from, to);
            }
        }
        for (FrontPoint& p : flat.roofless) {
            const SheetPoint moved = Moved({p.x, p.z}, scale, from, to);
            p = {moved.x, moved.s};
        }
    }
}

}  // namespace pw
