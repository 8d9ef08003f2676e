#include "model/freeform/CurveBook.h"

#include <cmath>
#include <cstring>
#include <algorithm>

namespace pw {

namespace {

SheetPoint Lerp(SheetPoint a, SheetPoint b, double t) { return {a.x + (b.x - a.x) * t, a.s + (b.s - a.s) * t}; }

// The stretch t0 .. t1 of a cubic (t1 < t0 runs backwards), by de Casteljau.
PathSegment SubCubic(SheetPoint p0, const PathSegment& seg, double t0, double t1) {
    SheetPoint p[4] = {p0, seg.control1, seg.control2, seg.end};
    auto splitRight = [&](double t) {  // keeps t .. 1
        const SheetPoint a = Lerp(p[0], p[1], t), b = Lerp(p[1], p[2], t), c = Lerp(p[2], p[3], t);
        const SheetPoint d = Lerp(a, b, t), e = Lerp(b, c, t), f = Lerp(d, e, t);
        p[0] = f, p[1] = e, p[2] = c;
    };
    auto splitLeft = [&](double t) {  // keeps 0 .. t
        const SheetPoint a = Lerp(p[0], p[1], t), b = Lerp(p[1], p[2], t), c = Lerp(p[2], p[3], t);
        const SheetPoint d = Lerp(a, b, t), e = Lerp(b, c, t), f = Lerp(d, e, t);
        p[1] = a, p[2] = d, p[3] = f;
    };
    const double lo = std::min(t0, t1), hi = std::max(t0, t1);
    if (lo > 0) splitRight(lo);
    if (hi < 1) splitLeft(lo < 1 ? (hi - lo) / (1 - lo) : 0);
    PathSegment out;
    out.shape = SegmentShape::Cubic;
    if (t0 <= t1) {
        out.control1 = p[1], out.control2 = p[2], out.end = p[3];
    } else {
        out.control1 = p[2], out.control2 = p[1], out.end = p[0];
    }
    return out;
}

double ChordDistance(SheetPoint p, SheetPoint a, SheetPoint b, double& t) {
    const double dx = b.x - a.x, ds = b.s - a.s, len2 = dx * dx + ds * ds;
    t = len2 > 0 ? ((p.x - a.x) * dx + (p.s - a.s) * ds) / len2 : 0;
    if (t < -1e-9 || t > 1 + 1e-9) return 1e300;
    return std::fabs((p.x - a.x) * ds - (p.s - a.s) * dx) / std::sqrt(len2 > 0 ? len2 : 1);
}

// Where an operation cut a chord, its new vertex lies on the chord to
// within rounding.
constexpr double kOnChord = 1e-7;

}  // namespace

SheetPoint PointOnSegment(SheetPoint from, const PathSegment& seg, double t) {
    switch (seg.shape) {
        case SegmentShape::Line: return Lerp(from, seg.end, t);
        case SegmentShape::Arc: {
            const double r = std::hypot(from.x - seg.centre.x, from.s - seg.centre.s);
            const double a = std::atan2(from.s - seg.centre.s, from.x - seg.centre.x) + seg.sweep * t;
            return {seg.centre.x + r * std::cos(a), seg.centre.s + r * std::sin(a)};
        }
        case SegmentShape::Cubic: {
            const double u = 1 - t, a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
            return {a * from.x + b * seg.control1.x + c * seg.control2.x + d * seg.end.x,
                    a * from.s + b * seg.control1.s + c * seg.control2.s + d * seg.end.s};
        }
    }
    return seg.end;
}

CurveBook::Key CurveBook::KeyOf(SheetPoint p) {
    std::uint64_t x, s;
    const double px = p.x == 0 ? 0.0 : p.x, ps = p.s == 0 ? 0.0 : p.s;  // -0 and 0 are one point
    std::memcpy(&x, &px, sizeof x);
    std::memcpy(&s, &ps, sizeof s);
    return {x, s};
}

std::vector<SheetPoint> CurveBook::Flatten(const SheetPath& path) {
    std::vector<SheetPoint> out{path.start};
    for (const PathSegment& seg : path.segments) {
        const SheetPoint from = out.back();
        if (seg.shape == SegmentShape::Line) {
            out.push_back(seg.end);
            continue;
        }
        SheetPath one(from);
        one.segments.push_back(seg);
        Curve curve{from, seg, FlattenPath(one, kFlatteningToleranceMm)};
        curve.x0 = curve.x1 = from.x, curve.s0 = curve.s1 = from.s;
        for (SheetPoint p : curve.points) {
            curve.x0 = std::min(curve.x0, p.x), curve.x1 = std::max(curve.x1, p.x);
            curve.s0 = std::min(curve.s0, p.s), curve.s1 = std::max(curve.s1, p.s);
        }
        const int id = static_cast<int>(curves_.size());
        for (std::size_t i = 0; i < curve.points.size(); ++i) places_[KeyOf(curve.points[i])].push_back({id, static_cast<int>(i)});
        out.insert(out.end(), curve.points.begin() + 1, curve.points.end());
        curves_.push_back(std::move(curve));
    }
    if (path.closed && out.size() > 1 && out.back() == out.front()) out.pop_back();
    return out;
}

const std::vector<CurveBook::Place>* CurveBook::PlacesOf(SheetPoint p) const {
    const auto it = places_.find(KeyOf(p));
    return it == places_.end() ? nullptr : &it->second;
}

CurveBook::OnCurve CurveBook::EdgeOnCurve(SheetPoint a, SheetPoint b) const {
    const std::vector<Place>* pa = PlacesOf(a);
    const std::vector<Place>* pb = PlacesOf(b);
    auto param = [&](const Place& p) {
        return static_cast<double>(p.index) / static_cast<double>(curves_[static_cast<std::size_t>(p.curve)].points.size() - 1);
    };
    if (pa && pb)
        for (const Place& x : *pa)
            for (const Place& y : *pb)
                if (x.curve == y.curve && std::abs(x.index - y.index) == 1) return {x.curve, param(x), param(y)};
    // One end is a vertex of the curve, the other a cut through a chord beside it.
    auto partial = [&](const std::vector<Place>* known, SheetPoint other, bool knownFirst) -> OnCurve {
        if (!known) return {};
        for (const Place& x : *known) {
            const Curve& c = curves_[static_cast<std::size_t>(x.curve)];
            const int n = static_cast<int>(c.points.size()) - 1;
            for (int j : {x.index - 1, x.index + 1}) {
                if (j < 0 || j > n) continue;
                double t = 0;
                const SheetPoint from = c.points[static_cast<std::size_t>(x.index)], to = c.points[static_cast<std::size_t>(j)];
                if (ChordDistance(other, from, to, t) > kOnChord || t <= 0) continue;
                const double tk = static_cast<double>(x.index) / n, to_t = (x.index + t * (j - x.index)) / n;
                return knownFirst ? OnCurve{x.curve, tk, to_t} : OnCurve{x.curve, to_t, tk};
            }
        }
        return {};
    };
    if (!pa || !pb) {
        const OnCurve found = pa ? partial(pa, b, true) : partial(pb, a, false);
        if (found.curve >= 0) return found;
    }
    return {};
}

double CurveBook::Refine(const Curve& c, double guess, double target, Keep keep) const {
    const double chord = 1.0 / static_cast<double>(c.points.size() - 1);
    auto f = [&](double t) {
        const SheetPoint p = PointOnSegment(c.from, c.segment, t);
        return (keep == Keep::S ? p.s : p.x) - target;
    };
    double lo = std::max(0.0, guess - chord), hi = std::min(1.0, guess + chord);
    double flo = f(lo), fhi = f(hi);
    if (flo * fhi > 0) return guess;
    for (int i = 0; i < 60; ++i) {
        const double mid = (lo + hi) / 2, fm = f(mid);
        if ((fm < 0) == (flo < 0)) {
            lo = mid;
            flo = fm;
        } else {
            hi = mid;
        }
    }
    return (lo + hi) / 2;
}

SheetPoint CurveBook::Snap(SheetPoint p, Keep keep) const {
    if (PlacesOf(p)) return p;
    for (const Curve& c : curves_) {
        if (p.x < c.x0 - kOnChord || p.x > c.x1 + kOnChord || p.s < c.s0 - kOnChord || p.s > c.s1 + kOnChord) continue;
        const std::size_t n = c.points.size() - 1;
        for (std::size_t i = 0; i < n; ++i) {
            double t = 0;
            if (ChordDistance(p, c.points[i], c.points[i + 1], t) > kOnChord) continue;
            const double guess = (static_cast<double>(i) + t) / static_cast<double>(n);
            SheetPoint q = PointOnSegment(c.from, c.segment, Refine(c, guess, keep == Keep::S ? p.s : p.x, keep));
            (keep == Keep::S ? q.s : q.x) = keep == Keep::S ? p.s : p.x;
            return q;
        }
    }
    return p;
}

void CurveBook::Add(const CurveBook& other) {
    for (const Curve& curve : other.curves_) {
        const int id = static_cast<int>(curves_.size());
        for (std::size_t i = 0; i < curve.points.size(); ++i) places_[KeyOf(curve.points[i])].push_back({id, static_cast<int>(i)});
        curves_.push_back(curve);
    }
}

SheetPath CurveBook::Recover(const std::vector<SheetPoint>& in, bool closed) const {
    std::vector<SheetPoint> pts = in;
    if (closed && pts.size() > 1 && pts.front() == pts.back()) pts.pop_back();
    const std::size_t n = pts.size();
    SheetPath out;
    if (n == 0) return out;
    const std::size_t edges = closed ? n : n - 1;
    std::vector<OnCurve> on(edges);
    for (std::size_t k = 0; k < edges; ++k) on[k] = EdgeOnCurve(pts[k], pts[(k + 1) % n]);
    // Two edges in a row belong to one stretch of a curve when they lie on it
    // the same way round and meet inside it.
    auto continues = [&](std::size_t k) {  // edge k goes on into edge k + 1
        const OnCurve &a = on[k], &b = on[(k + 1) % edges];
        // (a vertex an operation put on a chord has its parameter worked out from either side)
        if (a.curve < 0 || a.curve != b.curve || std::fabs(a.tb - b.ta) > 1e-9) return false;
        return (a.tb > a.ta) == (b.tb > b.ta) && a.tb > 0 && a.tb < 1;
    };
    std::size_t first = 0;
    if (closed) {
        while (first < edges && continues((first + edges - 1) % edges)) ++first;
        if (first == edges) first = 0;  // one curve all round: start anywhere
    }
    // The runs: edge count and where each starts; a curve's stretch starts
    // and ends on the curve itself, not on a chord an operation cut.
    std::vector<std::pair<std::size_t, std::size_t>> runs;
    std::vector<SheetPoint> pos = pts;
    for (std::size_t done = 0; done < edges;) {
        const std::size_t k = (first + done) % edges;
        std::size_t len = 1;
        while (done + len < edges && continues((k + len - 1) % edges)) ++len;
        runs.emplace_back(k, len);
        if (on[k].curve >= 0) {
            const Curve& c = curves_[static_cast<std::size_t>(on[k].curve)];
            OnCurve& head = on[k];
            OnCurve& tail = on[(k + len - 1) % edges];
            // A run that an operation cut ends where the line beside it
            // meets the curve itself.
            auto refine = [&](std::size_t vertex, std::size_t beside, double& t) {
                if (PlacesOf(pts[vertex])) return;
                const SheetPoint v = pts[vertex], w = pts[beside];
                if (v.s == w.s) t = Refine(c, t, v.s, Keep::S);
                else if (v.x == w.x) t = Refine(c, t, v.x, Keep::X);
            };
            const std::size_t a = k, b = (k + len) % n;
            if (closed || a > 0) refine(a, (a + n - 1) % n, head.ta);
            if (closed || b + 1 < n) refine(b, (b + 1) % n, tail.tb);
            pos[a] = PointOnSegment(c.from, c.segment, head.ta);
            pos[b] = PointOnSegment(c.from, c.segment, tail.tb);
        }
        done += len;
    }
    out.start = pos[first];
    out.closed = closed;
    for (const auto& [k, len] : runs) {
        const OnCurve& e = on[k];
        const SheetPoint to = pos[(k + len) % n];
        if (e.curve < 0) {
            out.LineTo(to);
            continue;
        }
        const Curve& c = curves_[static_cast<std::size_t>(e.curve)];
        const double t0 = e.ta, t1 = on[(k + len - 1) % edges].tb;
        if (c.segment.shape == SegmentShape::Arc)
            out.ArcAround(c.segment.centre, c.segment.sweep * (t1 - t0));
        else
            out.segments.push_back(SubCubic(c.from, c.segment, t0, t1));
        out.segments.back().end = to;
    }
    // A closed path's last line back to its start goes without saying.
    if (closed && out.segments.size() > 1 && out.segments.back().shape == SegmentShape::Line && out.segments.back().end == out.start)
        out.segments.pop_back();
    return out;
}

}  // namespace pw
