#include "output/ArcCubics.h"

#include <algorithm>
#include <cmath>

namespace pw {

namespace {

constexpr double kPi = 3.14159265358979323846;

SheetPoint Rotated(SheetPoint centre, SheetPoint p, double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    const double dx = p.x - centre.x, ds = p.s - centre.s;
    return {centre.x + c * dx - s * ds, centre.s + s * dx + c * ds};
}

}  // namespace

std::vector<PathSegment> SplitArc(SheetPoint from, const PathSegment& arc, int pieces) {
    std::vector<PathSegment> out;
    pieces = std::max(1, pieces);
    for (int k = 1; k <= pieces; ++k) {
        PathSegment piece = arc;
        piece.sweep = arc.sweep / pieces;
        // The last piece ends exactly where the arc does.
        piece.end = k == pieces ? arc.end : Rotated(arc.centre, from, arc.sweep * k / pieces);
        out.push_back(piece);
    }
    return out;
}

std::vector<PathSegment> ArcAsCubics(SheetPoint from, const PathSegment& arc, double tolerance) {
    const double radius = std::hypot(from.x - arc.centre.x, from.s - arc.centre.s);
    // A piece of angle a strays from the circle by at most
    // r * (4/27) * sin^6(a/4) / cos^2(a/4) (about 2.7e-4 r for a quarter turn).
    const auto error = [radius](double a) {
        const double s = std::sin(a / 4), c = std::cos(a / 4);
        return radius * 4.0 / 27.0 * std::pow(s, 6) / (c * c);
    };
    int pieces = std::max(1, static_cast<int>(std::ceil(std::abs(arc.sweep) / (kPi / 2) - 1e-12)));
    while (pieces < 4096 && error(std::abs(arc.sweep) / pieces) > tolerance) pieces *= 2;
    std::vector<PathSegment> out;
    SheetPoint start = from;
    for (const PathSegment& piece : SplitArc(from, arc, pieces)) {
        // Control points along the tangents, k = 4/3 tan(a/4) of the radius.
        const double k = 4.0 / 3.0 * std::tan(piece.sweep / 4);
        const SheetPoint& c = arc.centre;
        PathSegment cubic;
        cubic.shape = SegmentShape::Cubic;
        cubic.end = piece.end;
        cubic.control1 = {start.x - k * (start.s - c.s), start.s + k * (start.x - c.x)};
        cubic.control2 = {piece.end.x + k * (piece.end.s - c.s), piece.end.s - k * (piece.end.x - c.x)};
        out.push_back(cubic);
        start = piece.end;
    }
    return out;
}

}  // namespace pw
