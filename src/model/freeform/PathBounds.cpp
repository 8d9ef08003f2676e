#include "model/freeform/PathBounds.h"

#include <algorithm>
#include <cmath>

#include "model/freeform/CurveBook.h"

namespace pw {

namespace {

// The roots in 0 < t < 1 of a cubic's derivative along one coordinate.
template <typename Put>
void CubicTurns(double p0, double p1, double p2, double p3, Put put) {
    const double a = -p0 + 3 * p1 - 3 * p2 + p3, b = 2 * (p0 - 2 * p1 + p2), c = p1 - p0;
    auto take = [&](double t) {
        if (t > 0 && t < 1) put(t);
    };
    if (std::fabs(a) < 1e-12) {
        if (std::fabs(b) > 1e-12) take(-c / b);
        return;
    }
    const double d = b * b - 4 * a * c;
    if (d < 0) return;
    take((-b + std::sqrt(d)) / (2 * a));
    take((-b - std::sqrt(d)) / (2 * a));
}

}  // namespace

PathBox BoundsOf(const SheetPath& path) {
    PathBox box{path.start.x, path.start.s, path.start.x, path.start.s};
    auto add = [&](SheetPoint p) {
        box.x0 = std::min(box.x0, p.x), box.x1 = std::max(box.x1, p.x);
        box.s0 = std::min(box.s0, p.s), box.s1 = std::max(box.s1, p.s);
    };
    SheetPoint from = path.start;
    for (const PathSegment& seg : path.segments) {
        add(seg.end);
        if (seg.shape == SegmentShape::Arc) {
            const double r = std::hypot(from.x - seg.centre.x, from.s - seg.centre.s);
            const double a0 = std::atan2(from.s - seg.centre.s, from.x - seg.centre.x);
            const double lo = std::min(a0, a0 + seg.sweep), hi = std::max(a0, a0 + seg.sweep);
            // Every quarter turn the arc passes is an extreme point.
            for (double q = std::ceil(lo / (M_PI / 2)) * (M_PI / 2); q <= hi; q += M_PI / 2)
                add({seg.centre.x + r * std::cos(q), seg.centre.s + r * std::sin(q)});
        } else if (seg.shape == SegmentShape::Cubic) {
            auto at = [&](double t) { add(PointOnSegment(from, seg, t)); };
            CubicTurns(from.x, seg.control1.x, seg.control2.x, seg.end.x, at);
            CubicTurns(from.s, seg.control1.s, seg.control2.s, seg.end.s, at);
        }
        from = seg.end;
    }
    return box;
}

}  // namespace pw
