#include "edit/FrontSnapping.h"

#include <cmath>
#include <vector>

#include "edit/FlatTransforms.h"
#include "edit/FrontHitTest.h"

namespace pw {

namespace {

double Distance(SheetPoint a, SheetPoint b) { return std::hypot(a.x - b.x, a.s - b.s); }

// Keeps the nearest candidate within reach.
struct Nearest {
    Nearest(SheetPoint p, double distance) : from(p), reach(distance) {}
    SheetPoint from;
    double reach;
    bool found = false;
    SheetPoint at;
    void Offer(SheetPoint q) {
        const double d = Distance(from, q);
        if (d <= reach && (!found || d < Distance(from, at))) {
            found = true;
            at = q;
        }
    }
};

}  // namespace

SheetPoint Snap(const FreeformCard& card, SheetPoint p, const SnapOptions& options) {
    if (!options.on || !(options.distance > 0)) return p;
    Nearest nodes{p, options.distance};
    Nearest edges{p, options.distance};
    for (int i = 0; i < static_cast<int>(card.flats.size()); ++i) {
        const FreeformFlat& flat = card.flats[static_cast<std::size_t>(i)];
        if (i == options.skipFlat || flat.hidden) continue;
        for (const FrontLoop& loop : flat.loops) {
            for (int n = 0; n < NodeCount(loop); ++n) nodes.Offer(NodeAt(loop, n));
            const std::vector<SheetPoint> points = FlattenPath(loop, kFlatteningToleranceMm);
            for (std::size_t k = 0; k < points.size(); ++k)
                edges.Offer(NearestOnSegment(p, points[k], points[(k + 1) % points.size()]));
        }
    }
    if (nodes.found) return nodes.at;
    edges.Offer({p.x, 0});
    if (edges.found) return edges.at;

    if (!(options.gridStep > 0)) return p;
    Nearest grid{p, options.distance};
    const double gx = std::round(p.x / options.gridStep) * options.gridStep;
    const double gs = std::round(p.s / options.gridStep) * options.gridStep;
    grid.Offer({gx, gs});
    if (grid.found) return grid.at;
    // Near one grid line only: onto that line.
    grid.Offer({gx, p.s});
    grid.Offer({p.x, gs});
    return grid.found ? grid.at : p;
}

}  // namespace pw
