#include "edit/FlatShapes.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "edit/FlatTransforms.h"

namespace pw {

namespace {

// The distance of a quarter ellipse's control points from its ends, as a
// share of the half-axis: the cubic then meets the ellipse at 45 degrees.
constexpr double kQuarterCubic = 0.5522847498307936;

}  // namespace

FrontLoop RectangleLoop(SheetPoint a, SheetPoint b) {
    const double x0 = std::min(a.x, b.x), x1 = std::max(a.x, b.x);
    const double s0 = std::min(a.s, b.s), s1 = std::max(a.s, b.s);
    FrontLoop loop({x0, s0});
    loop.LineTo({x1, s0}).LineTo({x1, s1}).LineTo({x0, s1}).Close();
    return loop;
}

FrontLoop EllipseLoop(SheetPoint c, double rx, double rz) {
    rx = std::fabs(rx);
    rz = std::fabs(rz);
    FrontLoop loop({c.x + rx, c.s});
    if (rx == rz) {
        for (int i = 0; i < 4; ++i) loop.ArcAround(c, M_PI / 2);
        // Each quarter arrives where the next one starts, computed once.
        loop.segments.back().end = loop.start;
        return loop.Close();
    }
    const double kx = kQuarterCubic * rx, kz = kQuarterCubic * rz;
    loop.CubicTo({c.x + rx, c.s + kz}, {c.x + kx, c.s + rz}, {c.x, c.s + rz});
    loop.CubicTo({c.x - kx, c.s + rz}, {c.x - rx, c.s + kz}, {c.x - rx, c.s});
    loop.CubicTo({c.x - rx, c.s - kz}, {c.x - kx, c.s - rz}, {c.x, c.s - rz});
    loop.CubicTo({c.x + kx, c.s - rz}, {c.x + rx, c.s - kz}, loop.start);
    return loop.Close();
}

FrontLoop PolygonLoop(std::vector<SheetPoint> points) {
    if (points.empty()) return FrontLoop{};
    FrontLoop loop(points.front());
    for (std::size_t i = 1; i < points.size(); ++i) loop.LineTo(points[i]);
    loop.Close();
    if (SignedArea(loop) < 0) return Reversed(loop);
    return loop;
}

std::string NumberedFlatName(const FreeformCard& card, const std::string& base) {
    for (std::size_t n = card.flats.size() + 1;; ++n) {
        const std::string name = base + " " + std::to_string(n);
        const bool taken = std::any_of(card.flats.begin(), card.flats.end(),
                                       [&](const FreeformFlat& flat) { return flat.name == name; });
        if (!taken) return name;
    }
}

// The direction the path leaves its last node in.
std::optional<SheetPoint> EndTangent(const SheetPath& path) {
    if (path.segments.empty()) return std::nullopt;
    const PathSegment& seg = path.segments.back();
    const SheetPoint end = seg.end;
    const SheetPoint before = path.segments.size() > 1 ? path.segments[path.segments.size() - 2].end : path.start;
    SheetPoint t{end.x - before.x, end.s - before.s};
    if (seg.shape == SegmentShape::Cubic) {
        t = {end.x - seg.control2.x, end.s - seg.control2.s};
        if (t.x == 0 && t.s == 0) t = {end.x - seg.control1.x, end.s - seg.control1.s};
    } else if (seg.shape == SegmentShape::Arc) {
        const double sign = seg.sweep < 0 ? -1 : 1;
        t = {-sign * (end.s - seg.centre.s), sign * (end.x - seg.centre.x)};
    }
    const double length = std::hypot(t.x, t.s);
    if (!(length > 0)) return std::nullopt;
    return SheetPoint{t.x / length, t.s / length};
}

// The arc from the path's end to `to` that leaves in the direction the path
// arrived in; a straight line where no circle does.
void TangentArcTo(SheetPath& path, SheetPoint to) {
    const SheetPoint from = path.End();
    const std::optional<SheetPoint> t = EndTangent(path);
    const SheetPoint v{to.x - from.x, to.s - from.s};
    const SheetPoint n = t ? SheetPoint{-t->s, t->x} : SheetPoint{};
    const double across = 2 * (v.x * n.x + v.s * n.s);
    const double length2 = v.x * v.x + v.s * v.s;
    if (!t || std::fabs(across) < 1e-9 * std::sqrt(length2)) {
        path.LineTo(to);
        return;
    }
    const double r = length2 / across;  // signed: positive with the centre on the left
    const SheetPoint c{from.x + n.x * r, from.s + n.s * r};
    const double ux = from.x - c.x, us = from.s - c.s, wx = to.x - c.x, ws = to.s - c.s;
    double sweep = std::atan2(ux * ws - us * wx, ux * wx + us * ws);
    if (r > 0 && sweep < 0) sweep += 2 * M_PI;
    if (r < 0 && sweep > 0) sweep -= 2 * M_PI;
    path.ArcAround(c, sweep);
    path.segments.back().end = to;
}

double SignedArea(const FrontLoop& loop) {
    const std::vector<SheetPoint> points = FlattenPath(loop, kFlatteningToleranceMm);
    double twice = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const SheetPoint& p = points[i];
        const SheetPoint& q = points[(i + 1) % points.size()];
        twice += p.x * q.s - q.x * p.s;
    }
    return twice / 2;
}

}  // namespace pw
