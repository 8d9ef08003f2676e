#include "model/SheetPath.h"

#include <algorithm>
#include <cmath>

namespace pw {

namespace {

constexpr double kMaxChords = 65536;

int ChordCount(double wanted) {
    if (!(wanted > 1)) return 1;  // also NaN
    return static_cast<int>(std::min(std::ceil(wanted), kMaxChords));
}

void FlattenArc(SheetPoint from, const PathSegment& seg, double tolerance, std::vector<SheetPoint>& out) {
    const double r = std::hypot(from.x - seg.centre.x, from.s - seg.centre.s);
    const double a0 = std::atan2(from.s - seg.centre.s, from.x - seg.centre.x);
    // A chord of angle d stays within r (1 - cos(d / 2)) of its arc.
    double step = tolerance < r ? 2 * std::acos(1 - tolerance / r) : M_PI / 2;
    step = std::min(step, M_PI / 2);
    const int n = ChordCount(std::fabs(seg.sweep) / step);
    for (int i = 1; i < n; ++i) {
        const double a = a0 + seg.sweep * i / n;
        out.push_back({seg.centre.x + r * std::cos(a), seg.centre.s + r * std::sin(a)});
    }
    out.push_back(seg.end);
}

void FlattenCubic(SheetPoint p0, const PathSegment& seg, double tolerance, std::vector<SheetPoint>& out) {
    const SheetPoint p1 = seg.control1, p2 = seg.control2, p3 = seg.end;
    // Wang's bound: n equal steps in t keep a cubic within
    // 3/4 * max |second difference| / n^2 of its chords.
    const double m = std::max(std::hypot(p0.x - 2 * p1.x + p2.x, p0.s - 2 * p1.s + p2.s),
                              std::hypot(p1.x - 2 * p2.x + p3.x, p1.s - 2 * p2.s + p3.s));
    const int n = ChordCount(std::sqrt(0.75 * m / tolerance));
    for (int i = 1; i < n; ++i) {
        const double t = static_cast<double>(i) / n, u = 1 - t;
        const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
        out.push_back({a * p0.x + b * p1.x + c * p2.x + d * p3.x, a * p0.s + b * p1.s + c * p2.s + d * p3.s});
    }
    out.push_back(p3);
}

}  // namespace

SheetPath& SheetPath::LineTo(SheetPoint to) {
    PathSegment seg;
    seg.end = to;
    segments.push_back(seg);
    return *this;
}

SheetPath& SheetPath::ArcAround(SheetPoint centre, double sweep) {
    const SheetPoint from = End();
    const double r = std::hypot(from.x - centre.x, from.s - centre.s);
    const double a = std::atan2(from.s - centre.s, from.x - centre.x) + sweep;
    PathSegment seg;
    seg.shape = SegmentShape::Arc;
    seg.centre = centre;
    seg.sweep = sweep;
    seg.end = {centre.x + r * std::cos(a), centre.s + r * std::sin(a)};
    segments.push_back(seg);
    return *this;
}

SheetPath& SheetPath::CubicTo(SheetPoint control1, SheetPoint control2, SheetPoint to) {
    PathSegment seg;
    seg.shape = SegmentShape::Cubic;
    seg.control1 = control1;
    seg.control2 = control2;
    seg.end = to;
    segments.push_back(seg);
    return *this;
}

SheetPath& SheetPath::Close() {
    closed = true;
    return *this;
}

bool SheetPath::AllStraight() const {
    return std::all_of(segments.begin(), segments.end(),
                       [](const PathSegment& seg) { return seg.shape == SegmentShape::Line; });
}

std::vector<SheetPoint> FlattenPath(const SheetPath& path, double tolerance) {
    if (!(tolerance > 0)) tolerance = kFlatteningToleranceMm;
    std::vector<SheetPoint> out{path.start};
    for (const PathSegment& seg : path.segments) {
        const SheetPoint from = out.back();
        switch (seg.shape) {
            case SegmentShape::Line: out.push_back(seg.end); break;
            case SegmentShape::Arc: FlattenArc(from, seg, tolerance, out); break;
            case SegmentShape::Cubic: FlattenCubic(from, seg, tolerance, out); break;
        }
    }
    if (path.closed && out.size() > 1 && out.back() == out.front()) out.pop_back();
    return out;
}

}  // namespace pw
