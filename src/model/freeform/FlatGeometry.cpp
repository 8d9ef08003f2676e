#include "model/freeform/FlatGeometry.h"

#include <algorithm>
#include <cmath>

namespace pw {

SheetPath ProjectLoop(const FrontLoop& loop, double depth) {
    auto place = [depth](SheetPoint p) { return SheetPoint{p.x, depth - p.s}; };
    SheetPath out(place(loop.start));
    out.closed = loop.closed;
    for (PathSegment seg : loop.segments) {
        seg.end = place(seg.end);
        seg.centre = place(seg.centre);
        seg.control1 = place(seg.control1);
        seg.control2 = place(seg.control2);
        seg.sweep = -seg.sweep;  // the map mirrors: turns go the other way
        out.segments.push_back(seg);
    }
    return out;
}

geos::Geometry FlatRegionOnSheet(geos::Context& context, CurveBook& book, const FreeformFlat& flat) {
    geos::Geometry region = geos::Empty(context);
    for (const FrontLoop& loop : flat.loops) {
        const std::vector<SheetPoint> ring = book.Flatten(ProjectLoop(loop, flat.depth));
        if (ring.size() < 3) continue;
        region = geos::SymDifference(region, geos::Polygon(context, ring, {}));
    }
    return region;
}

std::vector<HorizontalRun> HorizontalRuns(geos::Context& context, const FreeformFlat& flat) {
    CurveBook book;
    const geos::Geometry region = FlatRegionOnSheet(context, book, flat);
    std::vector<HorizontalRun> runs;
    // Which side of a run the paper lies on, tried a hair beside its middle.
    constexpr double kBeside = 1e-5;
    // A hole's edges are no top or bottom of the flat: a roof from a
    // window's sill would pass through the window. Holes are the loops
    // inside an odd number of others.
    std::vector<geos::Geometry> filled;
    for (const FrontLoop& loop : flat.loops) {
        const std::vector<SheetPoint> ring = book.Flatten(ProjectLoop(loop, flat.depth));
        filled.push_back(ring.size() >= 3 ? geos::Polygon(context, ring, {}) : geos::Empty(context));
    }
    for (std::size_t i = 0; i < flat.loops.size(); ++i) {
        const FrontLoop& loop = flat.loops[i];
        int around = 0;
        for (std::size_t k = 0; k < flat.loops.size(); ++k)
            if (k != i && !filled[k].IsEmpty() && geos::ContainsPoint(filled[k], {loop.start.x, flat.depth - loop.start.s})) ++around;
        if (around % 2 == 1) continue;
        SheetPoint from = loop.start;
        auto consider = [&](SheetPoint a, SheetPoint b) {
            if (a.s != b.s || a.x == b.x) return;
            const SheetPoint mid{(a.x + b.x) / 2, flat.depth - a.s};
            const bool below = geos::ContainsPoint(region, {mid.x, mid.s + kBeside});
            const bool above = geos::ContainsPoint(region, {mid.x, mid.s - kBeside});
            if (below == above) return;
            runs.push_back({std::min(a.x, b.x), std::max(a.x, b.x), a.s, below});
        };
        for (const PathSegment& seg : loop.segments) {
            if (seg.shape == SegmentShape::Line) consider(from, seg.end);
            from = seg.end;
        }
        if (loop.closed) consider(from, loop.start);
    }
    std::sort(runs.begin(), runs.end(), [](const HorizontalRun& a, const HorizontalRun& b) {
        return a.top != b.top ? a.top : a.z != b.z ? a.z < b.z : a.x0 < b.x0;
    });
    std::vector<HorizontalRun> merged;
    for (const HorizontalRun& r : runs) {
        if (!merged.empty() && merged.back().top == r.top && merged.back().z == r.z && r.x0 <= merged.back().x1)
            merged.back().x1 = std::max(merged.back().x1, r.x1);
        else
            merged.push_back(r);
    }
    return merged;
}

}  // namespace pw
