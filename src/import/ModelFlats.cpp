#include "import/ModelFlats.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <utility>

#include "import/ImportMessages.h"
#include "import/ModelFile.h"

namespace pw {

namespace {

using Corner = std::array<double, 3>;  // x across, z height, y depth

constexpr double kInf = std::numeric_limits<double>::infinity();
// Depths closer than this (a micron) are one depth: a face the user names
// as 20 mm may come out of the model's floats at 19.99999 mm.
constexpr double kSameDepthMm = 1e-3;
// Triangles of a slab are joined this many at a time, so that the polygons
// GEOS holds at once stay few whatever the model's size.
constexpr std::size_t kUnionBatch = 8192;

// The model's coordinates turned as the grid card's import turns them:
// across, depth toward the viewer (larger is nearer), up.
void Turn(const std::array<float, 3>& p, ModelUp up, double& across, double& toward, double& height) {
    across = p[0];
    if (up == ModelUp::Z) {
        toward = -static_cast<double>(p[1]);
        height = p[2];
    } else {
        toward = p[2];
        height = p[1];
    }
}

// Twice the signed area of the triangle seen from the front.
double FrontArea2(const Corner& a, const Corner& b, const Corner& c) {
    return (b[0] - a[0]) * (c[1] - a[1]) - (c[0] - a[0]) * (b[1] - a[1]);
}

SheetPoint Front(const Corner& p) { return {p[0], p[1]}; }

// The part of a triangle seen from the front whose depth lies between `lo`
// and `hi`. Across a triangle that is not seen edge-on the depth is a linear
// function of the front view's (x, z), so that part is the triangle cut by a
// band between two parallel lines; GEOS cuts it.
geos::Geometry CutToDepths(geos::Context& c, const Corner& a, const Corner& b, const Corner& d, double area2, double lo,
                           double hi) {
    const double e1x = b[0] - a[0], e1z = b[1] - a[1], e2x = d[0] - a[0], e2z = d[1] - a[1];
    const double db = b[2] - a[2], dd = d[2] - a[2];
    const double gx = (db * e2z - dd * e1z) / area2, gz = (e1x * dd - e2x * db) / area2;
    const double slope = std::hypot(gx, gz);
    const double ux = gx / slope, uz = gz / slope, vx = -uz, vz = ux;
    const auto along = [&](const Corner& p) { return p[0] * ux + p[1] * uz; };
    const auto aside = [&](const Corner& p) { return p[0] * vx + p[1] * vz; };
    const double s0 = std::min({along(a), along(b), along(d)}), s1 = std::max({along(a), along(b), along(d)});
    const double w0 = std::min({aside(a), aside(b), aside(d)}), w1 = std::max({aside(a), aside(b), aside(d)});
    const double margin = 1.0 + (s1 - s0) + (w1 - w0);
    const double from = std::max(s0 - margin, along(a) + (lo - a[2]) / slope);
    const double to = std::min(s1 + margin, along(a) + (hi - a[2]) / slope);
    if (!(to > from)) return geos::Empty(c);
    const auto point = [&](double s, double w) { return SheetPoint{s * ux + w * vx, s * uz + w * vz}; };
    const geos::Geometry band = geos::Polygon(
        c, {point(from, w0 - margin), point(to, w0 - margin), point(to, w1 + margin), point(from, w1 + margin)}, {});
    return geos::Intersection(geos::Polygon(c, {Front(a), Front(b), Front(d)}, {}), band);
}

// Joins polygons a batch at a time: what is held at once is one batch and
// the joined batches.
class BatchedUnion {
public:
    explicit BatchedUnion(geos::Context& c) : c_(c) {}
    void Add(geos::Geometry g) {
        batch_.push_back(std::move(g));
        if (batch_.size() >= kUnionBatch) Flush();
    }
    geos::Geometry Result() {
        Flush();
        return joined_.empty() ? geos::Empty(c_) : geos::UnionAll(c_, std::move(joined_));
    }

private:
    void Flush() {
        if (batch_.empty()) return;
        double area = 0;
        for (const geos::Geometry& g : batch_) area += geos::Area(g);
        const geos::Geometry all = geos::Collection(c_, std::move(batch_));
        batch_.clear();
        joined_.push_back(Joined(all, area));
    }

    // The triangles of a detailed surface seldom overlap one another, and
    // GEOS joins polygons that only share edges (a coverage) many times
    // faster than it overlays them. Whether they did overlap shows in the
    // result: overlapping triangles leave crossing or nested rings, or an
    // area less than their sum. Then they are overlaid after all.
    geos::Geometry Joined(const geos::Geometry& all, double area) {
        GEOSContextHandle_t h = c_.Handle();
        if (GEOSGeometry* quick = GEOSCoverageUnion_r(h, all.Get())) {
            geos::Geometry joined(c_, quick);
            if (GEOSisValid_r(h, quick) == 1 && std::fabs(geos::Area(joined) - area) <= 1e-9 * area) return joined;
        }
        if (GEOSGeometry* overlaid = GEOSUnaryUnion_r(h, all.Get())) return geos::Geometry(c_, overlaid);
        c_.MarkFailed();
        return geos::Empty(c_);
    }

    geos::Context& c_;
    std::vector<geos::Geometry> batch_, joined_;
};

double RingArea(const geos::Ring& ring) {
    double twice = 0;
    for (std::size_t k = 0; k < ring.size(); ++k) {
        const SheetPoint &p = ring[k], &q = ring[(k + 1) % ring.size()];
        twice += p.x * q.s - q.x * p.s;
    }
    return std::fabs(twice) / 2;
}

// Rings smaller than the tolerance squared are the slivers rounding leaves
// between a model's triangles: nothing a blade could cut.
std::vector<FrontLoop> LoopsOf(const geos::Geometry& outline, double tolerance) {
    std::vector<FrontLoop> loops;
    for (const geos::Geometry& part : geos::Parts(outline)) {
        if (!geos::IsPolygon(part)) continue;
        for (const geos::Ring& ring : geos::PolygonRings(part)) {
            if (ring.size() < 3 || RingArea(ring) < tolerance * tolerance) continue;
            FrontLoop loop(ring.front());
            for (std::size_t k = 1; k < ring.size(); ++k) loop.LineTo(ring[k]);
            loops.push_back(loop.Close());
        }
    }
    return loops;
}

geos::Geometry Simplified(const geos::Geometry& g, double tolerance) {
    geos::Context& c = *g.Owner();
    GEOSGeometry* simple = GEOSTopologyPreserveSimplify_r(c.Handle(), g.Get(), tolerance);
    return simple ? geos::Geometry(c, simple) : g.Clone();
}

// The outline with everything below it down to the floor: the union of the
// areas under each of its edges.
geos::Geometry SweptDown(const geos::Geometry& outline) {
    geos::Context& c = *outline.Owner();
    std::vector<geos::Geometry> under;
    under.push_back(outline.Clone());
    for (const geos::Geometry& part : geos::Parts(outline)) {
        if (!geos::IsPolygon(part)) continue;
        for (const geos::Ring& ring : geos::PolygonRings(part))
            for (std::size_t k = 0; k < ring.size(); ++k) {
                const SheetPoint p = ring[k], q = ring[(k + 1) % ring.size()];
                if (p.x != q.x) under.push_back(geos::Polygon(c, {p, q, {q.x, 0}, {p.x, 0}}, {}));
            }
    }
    return geos::UnionAll(c, std::move(under));
}

// The columns of `outline` where it rises above what stands in front of it
// (`shadow`), whole from the floor up. A slab wholly hidden behind nearer
// flats (a house's back wall behind its front) would need paper the nearer
// flats' roofs already use; where it rises above them, its hidden foot is
// left to the card, as with any flat standing behind another.
geos::Geometry SeenAbove(const geos::Geometry& outline, const geos::Geometry& shadow, double tolerance) {
    geos::Context& c = *outline.Owner();
    if (shadow.IsEmpty()) return outline.Clone();
    std::vector<geos::Geometry> columns;
    double x0 = 0, z0 = 0, x1 = 0, z1 = 0;
    geos::Bounds(outline, x0, z0, x1, z1);
    for (const geos::Geometry& seen : geos::Parts(geos::Difference(outline, shadow))) {
        if (!geos::IsPolygon(seen) || geos::Area(seen) < tolerance * tolerance) continue;
        double sx0 = 0, sz0 = 0, sx1 = 0, sz1 = 0;
        geos::Bounds(seen, sx0, sz0, sx1, sz1);
        if (sx1 - sx0 > tolerance) columns.push_back(geos::Rectangle(c, sx0, z0 - 1, sx1, z1 + 1));
    }
    if (columns.empty()) return geos::Empty(c);
    return geos::Intersection(outline, geos::UnionAll(c, std::move(columns)));
}

}  // namespace

PlacedModel PlaceModel(const Mesh& mesh, ModelUp up, double heightMm, std::string& error) {
    PlacedModel placed;
    if (!(heightMm > 0) || !std::isfinite(heightMm)) {
        error = msg::kModelFlatsHeight;
        return placed;
    }
    if (mesh.Triangles() == 0) {
        error = msg::kModelNoTriangles;
        return placed;
    }
    if (mesh.Triangles() > kMaxModelTriangles) {
        error = msg::kModelTooLarge;
        return placed;
    }
    double lo[3] = {kInf, kInf, kInf}, hi[3] = {-kInf, -kInf, -kInf};
    const std::size_t corners = mesh.Triangles() * 3;
    for (std::size_t k = 0; k < corners; ++k) {
        double v[3];
        Turn(mesh.corners[k], up, v[0], v[2], v[1]);
        for (int i = 0; i < 3; ++i) {
            if (!std::isfinite(v[i])) {
                error = msg::kModelNotFinite;
                return placed;
            }
            lo[i] = std::min(lo[i], v[i]), hi[i] = std::max(hi[i], v[i]);
        }
    }
    const double wide = hi[0] - lo[0], high = hi[1] - lo[1];
    // An extent lost in the float precision of the model's position is none.
    const double size = std::max({std::fabs(lo[0]), std::fabs(hi[0]), std::fabs(lo[1]), std::fabs(hi[1])});
    if (!(wide > size * 1e-6) || !(high > size * 1e-6) || !std::isfinite(wide) || !std::isfinite(high) ||
        !std::isfinite(hi[2] - lo[2])) {
        error = msg::kModelFlat;
        return placed;
    }
    const double scale = heightMm / high;
    placed.corners.resize(corners);
    for (std::size_t k = 0; k < corners; ++k) {
        double v[3];
        Turn(mesh.corners[k], up, v[0], v[2], v[1]);
        for (int i = 0; i < 3; ++i) placed.corners[k][static_cast<std::size_t>(i)] = (v[i] - lo[i]) * scale;
    }
    placed.width = wide * scale, placed.height = heightMm, placed.depth = (hi[2] - lo[2]) * scale;
    return placed;
}

std::vector<double> AutomaticDepths(const PlacedModel& model, int count) {
    count = std::clamp(count, 1, kMaxModelFlats);
    // The front area of faces square to the viewer, by their depth.
    std::map<double, double> areaAt;
    for (std::size_t k = 0; k + 2 < model.corners.size(); k += 3) {
        const Corner &a = model.corners[k], &b = model.corners[k + 1], &c = model.corners[k + 2];
        const double t0 = std::min({a[2], b[2], c[2]}), t1 = std::max({a[2], b[2], c[2]});
        if (t1 - t0 > kSameDepthMm || t1 <= kSameDepthMm) continue;
        areaAt[t1] += std::fabs(FrontArea2(a, b, c)) / 2;
    }
    // Depths a hair apart are one.
    std::vector<std::pair<double, double>> steps;  // area, depth
    for (const auto& [depth, area] : areaAt) {
        if (!steps.empty() && depth - steps.back().second <= kSameDepthMm)
            steps.back().first += area;
        else
            steps.push_back({area, depth});
    }
    std::sort(steps.begin(), steps.end(), std::greater<>());
    constexpr double kApartMm = 1.0;
    std::vector<double> depths;
    for (const auto& step : steps) {
        const double area = step.first, depth = step.second;
        if (static_cast<int>(depths.size()) >= count || area < steps.front().first * 0.01) break;
        const bool apart = std::all_of(depths.begin(), depths.end(), [&](double d) { return std::fabs(d - depth) >= kApartMm; });
        if (apart) depths.push_back(depth);
    }
    // A model without depth (a single sheet) still stands in front of the
    // back sheet: its flat comes at 1 mm.
    const double span = std::max(model.depth, kApartMm * count);
    if (depths.empty())
        for (int k = 0; k < count; ++k) depths.push_back(span * (count - k) / count);
    std::sort(depths.begin(), depths.end(), std::greater<>());
    return depths;
}

geos::Geometry SlabSilhouette(geos::Context& context, const PlacedModel& model, double behind, double front) {
    // Triangles facing the viewer and those facing away are joined apart:
    // of a closed surface each side alone covers the outline without
    // overlapping itself, which lets GEOS join them the quick way.
    BatchedUnion facing(context), away(context);
    for (std::size_t k = 0; k + 2 < model.corners.size(); k += 3) {
        const Corner &a = model.corners[k], &b = model.corners[k + 1], &c = model.corners[k + 2];
        const double area2 = FrontArea2(a, b, c);
        // Seen edge-on, a triangle covers nothing.
        if (std::fabs(area2) < 1e-12) continue;
        const double t0 = std::min({a[2], b[2], c[2]}), t1 = std::max({a[2], b[2], c[2]});
        // A face lying on the slab's back belongs to the slab behind.
        if (t1 <= behind + kSameDepthMm || t0 > front + kSameDepthMm) continue;
        BatchedUnion& side = area2 > 0 ? facing : away;
        if (t0 >= behind - kSameDepthMm && t1 <= front + kSameDepthMm)
            side.Add(geos::Polygon(context, {Front(a), Front(b), Front(c)}, {}));
        else
            side.Add(CutToDepths(context, a, b, c, area2, behind, front));
    }
    return geos::Union(facing.Result(), away.Result());
}

FlatsFromSource ModelFlats(const Mesh& mesh, const ModelSlicing& how) {
    FlatsFromSource made;
    if (static_cast<int>(how.depthsMm.size()) > kMaxModelFlats) {
        made.error = msg::kModelFlatsTooMany;
        return made;
    }
    for (double d : how.depthsMm)
        if (!(d > 0) || !std::isfinite(d)) {
            made.error = msg::kModelFlatsDepthBehind;
            return made;
        }
    const PlacedModel model = PlaceModel(mesh, how.up, how.heightMm, made.error);
    if (!made.error.empty()) return made;
    std::vector<double> depths = how.depthsMm;
    if (depths.empty()) depths = AutomaticDepths(model, how.automaticCount);
    std::sort(depths.begin(), depths.end(), std::greater<>());
    depths.erase(std::unique(depths.begin(), depths.end(), [](double a, double b) { return a - b <= kSameDepthMm; }),
                 depths.end());

    geos::Context context;
    geos::Geometry shadow = geos::Empty(context);  // what the flats made so far hide behind them
    for (std::size_t i = 0; i < depths.size(); ++i) {
        const double front = i == 0 ? kInf : depths[i];
        const double behind = i + 1 < depths.size() ? depths[i + 1] : -kInf;
        const geos::Geometry kept =
            SeenAbove(Simplified(SlabSilhouette(context, model, behind, front), how.toleranceMm), shadow, how.toleranceMm);
        FreeformFlat flat;
        flat.depth = depths[i];
        flat.loops = LoopsOf(Simplified(kept, how.toleranceMm), how.toleranceMm);
        if (flat.loops.empty()) continue;
        shadow = geos::Union(shadow, SweptDown(kept));
        made.flats.push_back(std::move(flat));
    }
    if (made.flats.empty()) made.error = context.Failed() ? msg::kModelUnreadable : msg::kModelFlatsNone;
    return made;
}

}  // namespace pw
