#include "edit/FlatTransforms.h"

#include <algorithm>
#include <cmath>

namespace pw {

namespace {

// The centre of the arc from `from` to `to` turning by `sweep`: on the
// chord's perpendicular through its middle, to the left for a turn of less
// than half a circle counter-clockwise.
SheetPoint ArcCentre(SheetPoint from, SheetPoint to, double sweep) {
    const double cx = to.x - from.x, cs = to.s - from.s;
    const double length = std::hypot(cx, cs);
    const double h = length / 2 / std::tan(sweep / 2);
    return {from.x + cx / 2 - cs / length * h, from.s + cs / 2 + cx / length * h};
}

// The arc segment `seg` after one of its ends moved: it keeps its turn, so
// its centre follows; a whole circle, whose ends are one point, moves as one.
void FitArc(PathSegment& seg, SheetPoint from, SheetPoint oldFrom) {
    if (std::hypot(seg.end.x - from.x, seg.end.s - from.s) < 1e-12) {
        seg.centre = {seg.centre.x + from.x - oldFrom.x, seg.centre.s + from.s - oldFrom.s};
        return;
    }
    seg.centre = ArcCentre(from, seg.end, seg.sweep);
}

SheetPoint Plus(SheetPoint p, double dx, double ds) { return {p.x + dx, p.s + ds}; }

}  // namespace

Affine Affine::Inverse() const {
    const double det = Determinant();
    Affine inv;
    inv.a = d / det;
    inv.b = -b / det;
    inv.c = -c / det;
    inv.d = a / det;
    inv.e = -(inv.a * e + inv.b * f);
    inv.f = -(inv.c * e + inv.d * f);
    return inv;
}

bool Affine::KeepsCircles() const {
    const double size = std::fabs(a) + std::fabs(b) + std::fabs(c) + std::fabs(d);
    const double tol = 1e-12 * size;
    const bool turn = std::fabs(a - d) <= tol && std::fabs(b + c) <= tol;
    const bool mirror = std::fabs(a + d) <= tol && std::fabs(b - c) <= tol;
    return size > 0 && (turn || mirror);
}

Affine Affine::Translation(double dx, double ds) {
    Affine m;
    m.e = dx;
    m.f = ds;
    return m;
}

Affine Affine::ScaleAbout(SheetPoint p, double sx, double ss) {
    Affine m;
    m.a = sx;
    m.d = ss;
    m.e = p.x - sx * p.x;
    m.f = p.s - ss * p.s;
    return m;
}

Affine Affine::RotationAbout(SheetPoint p, double radians) {
    const double co = std::cos(radians), si = std::sin(radians);
    Affine m;
    m.a = co;
    m.b = -si;
    m.c = si;
    m.d = co;
    m.e = p.x - co * p.x + si * p.s;
    m.f = p.s - si * p.x - co * p.s;
    return m;
}

std::vector<PathSegment> ArcAsCubics(SheetPoint from, const PathSegment& arc) {
    const double r = std::hypot(from.x - arc.centre.x, from.s - arc.centre.s);
    const double a0 = std::atan2(from.s - arc.centre.s, from.x - arc.centre.x);
    const int n = std::max(1, static_cast<int>(std::ceil(std::fabs(arc.sweep) / (M_PI / 2) - 1e-9)));
    const double step = arc.sweep / n;
    // Control points at this share of the radius along the tangents keep
    // the cubic within 0.03 % of the radius of a quarter circle, and closer
    // for less.
    const double k = 4.0 / 3.0 * std::tan(step / 4);
    std::vector<PathSegment> out;
    for (int i = 0; i < n; ++i) {
        const double t0 = a0 + step * i, t1 = t0 + step;
        const SheetPoint p0{arc.centre.x + r * std::cos(t0), arc.centre.s + r * std::sin(t0)};
        const SheetPoint p1 = i + 1 == n ? arc.end : SheetPoint{arc.centre.x + r * std::cos(t1), arc.centre.s + r * std::sin(t1)};
        PathSegment seg;
        seg.shape = SegmentShape::Cubic;
        seg.control1 = {p0.x - k * r * std::sin(t0), p0.s + k * r * std::cos(t0)};
        seg.control2 = {p1.x + k * r * std::sin(t1), p1.s - k * r * std::cos(t1)};
        seg.end = p1;
        out.push_back(seg);
    }
    return out;
}

SheetPath Transformed(const SheetPath& path, const Affine& map) {
    const bool circles = map.KeepsCircles();
    const bool mirrored = map.Determinant() < 0;
    SheetPath out(map.Apply(path.start));
    out.closed = path.closed;
    SheetPoint from = path.start;
    for (const PathSegment& seg : path.segments) {
        if (seg.shape == SegmentShape::Arc && !circles) {
            for (const PathSegment& piece : ArcAsCubics(from, seg))
                out.CubicTo(map.Apply(piece.control1), map.Apply(piece.control2), map.Apply(piece.end));
        } else {
            PathSegment mapped = seg;
            mapped.end = map.Apply(seg.end);
            mapped.centre = map.Apply(seg.centre);
            mapped.control1 = map.Apply(seg.control1);
            mapped.control2 = map.Apply(seg.control2);
            if (mirrored) mapped.sweep = -seg.sweep;
            out.segments.push_back(mapped);
        }
        from = seg.end;
    }
    return out;
}

FreeformFlat Transformed(const FreeformFlat& flat, const Affine& map) {
    FreeformFlat out = flat;
    for (FrontLoop& loop : out.loops) loop = Transformed(loop, map);
    for (FrontPoint& p : out.roofless) {
        const SheetPoint q = map.Apply({p.x, p.z});
        p = {q.x, q.s};
    }
    return out;
}

SheetPath Reversed(const SheetPath& path) {
    SheetPath out(path.End());
    out.closed = path.closed;
    for (std::size_t i = path.segments.size(); i-- > 0;) {
        const PathSegment& seg = path.segments[i];
        PathSegment back = seg;
        back.end = i == 0 ? path.start : path.segments[i - 1].end;
        back.control1 = seg.control2;
        back.control2 = seg.control1;
        back.sweep = -seg.sweep;
        out.segments.push_back(back);
    }
    return out;
}

int NodeCount(const SheetPath& path) { return static_cast<int>(path.segments.size()) + 1; }

SheetPoint NodeAt(const SheetPath& path, int node) {
    return node == 0 ? path.start : path.segments[static_cast<std::size_t>(node - 1)].end;
}

void MoveNode(SheetPath& path, int node, SheetPoint to) {
    const int last = NodeCount(path) - 1;
    if (node < 0 || node > last) return;
    // A closed loop whose last segment returns to the start has its start
    // twice: both move.
    const bool returns = path.closed && last > 0 && path.segments.back().end == path.start;
    std::vector<int> moved{node};
    if (returns && node == 0) moved.push_back(last);
    if (returns && node == last) moved = {0, last};

    const SheetPoint old = NodeAt(path, node);
    const double dx = to.x - old.x, ds = to.s - old.s;
    std::vector<SheetPoint> oldNodes;
    for (int i = 0; i <= last; ++i) oldNodes.push_back(NodeAt(path, i));
    for (int n : moved) {
        if (n == 0) path.start = to;
        if (n > 0) {
            PathSegment& before = path.segments[static_cast<std::size_t>(n - 1)];
            before.end = to;
            if (before.shape == SegmentShape::Cubic) before.control2 = Plus(before.control2, dx, ds);
        }
        if (n < last) {
            PathSegment& after = path.segments[static_cast<std::size_t>(n)];
            if (after.shape == SegmentShape::Cubic) after.control1 = Plus(after.control1, dx, ds);
        }
    }
    // Arcs beside a moved node pass through their new ends.
    for (int n : moved) {
        for (int k : {n - 1, n}) {
            if (k < 0 || k >= last) continue;
            PathSegment& seg = path.segments[static_cast<std::size_t>(k)];
            if (seg.shape == SegmentShape::Arc) FitArc(seg, NodeAt(path, k), oldNodes[static_cast<std::size_t>(k)]);
        }
    }
}

void MoveControl(SheetPath& path, int segment, int which, SheetPoint to) {
    if (segment < 0 || segment >= static_cast<int>(path.segments.size())) return;
    PathSegment& seg = path.segments[static_cast<std::size_t>(segment)];
    if (seg.shape != SegmentShape::Cubic) return;
    (which == 1 ? seg.control1 : seg.control2) = to;
}

}  // namespace pw
