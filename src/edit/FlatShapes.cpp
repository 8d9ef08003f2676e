#include "edit/FlatShapes.h"

#include <algorithm>
#include <cmath>

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
