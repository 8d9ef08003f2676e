#include "edit/FrontHitTest.h"

#include <algorithm>
#include <cmath>

#include "edit/FlatTransforms.h"

namespace pw {

namespace {

double Distance(SheetPoint a, SheetPoint b) { return std::hypot(a.x - b.x, a.s - b.s); }

}  // namespace

std::vector<int> BackToFront(const FreeformCard& card) {
    std::vector<int> order(card.flats.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(), [&](int l, int r) {
        return card.flats[static_cast<std::size_t>(l)].depth < card.flats[static_cast<std::size_t>(r)].depth;
    });
    return order;
}

bool FlatContains(const FreeformFlat& flat, SheetPoint p) {
    bool inside = false;
    for (const FrontLoop& loop : flat.loops) {
        const std::vector<SheetPoint> points = FlattenPath(loop, kFlatteningToleranceMm);
        for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
            const SheetPoint& a = points[i];
            const SheetPoint& b = points[j];
            if ((a.s > p.s) != (b.s > p.s) && p.x < (b.x - a.x) * (p.s - a.s) / (b.s - a.s) + a.x) inside = !inside;
        }
    }
    return inside;
}

bool Pickable(const FreeformFlat& flat) { return !flat.hidden && !flat.locked; }

int FlatAt(const FreeformCard& card, SheetPoint p) {
    const std::vector<int> order = BackToFront(card);
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        const FreeformFlat& flat = card.flats[static_cast<std::size_t>(*it)];
        if (Pickable(flat) && FlatContains(flat, p)) return *it;
    }
    return -1;
}

NodeRef NodeNear(const FreeformFlat& flat, SheetPoint p, double radius, bool withControls) {
    NodeRef best;
    double bestDistance = radius;
    auto consider = [&](SheetPoint q, NodeRef ref) {
        const double d = Distance(p, q);
        if (d < bestDistance || (d == bestDistance && !best.Valid())) {
            bestDistance = d;
            best = ref;
        }
    };
    for (int l = 0; l < static_cast<int>(flat.loops.size()); ++l) {
        const FrontLoop& loop = flat.loops[static_cast<std::size_t>(l)];
        for (int n = 0; n < NodeCount(loop); ++n) consider(NodeAt(loop, n), {l, n, 0});
    }
    if (withControls && !best.Valid()) {
        for (int l = 0; l < static_cast<int>(flat.loops.size()); ++l) {
            const FrontLoop& loop = flat.loops[static_cast<std::size_t>(l)];
            for (int k = 0; k < static_cast<int>(loop.segments.size()); ++k) {
                const PathSegment& seg = loop.segments[static_cast<std::size_t>(k)];
                if (seg.shape != SegmentShape::Cubic) continue;
                consider(seg.control1, {l, k, 1});
                consider(seg.control2, {l, k, 2});
            }
        }
    }
    return best;
}

SheetPoint NearestOnSegment(SheetPoint p, SheetPoint a, SheetPoint b) {
    const double dx = b.x - a.x, ds = b.s - a.s;
    const double length2 = dx * dx + ds * ds;
    if (length2 == 0) return a;
    const double t = std::clamp(((p.x - a.x) * dx + (p.s - a.s) * ds) / length2, 0.0, 1.0);
    return {a.x + t * dx, a.s + t * ds};
}

}  // namespace pw
