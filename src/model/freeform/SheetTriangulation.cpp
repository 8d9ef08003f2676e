#include "model/freeform/SheetTriangulation.h"

#include <algorithm>
#include <cmath>

#include "model/freeform/Geos.h"

namespace pw {

namespace {

// Corners nearer than this (in sheet units) are one: where a curve meets
// the next piece of a loop, rounding can leave two corners a hair apart,
// and GEOS's ear clipping gives up on such an edge.
constexpr double kSameCorner = 1e-7;

bool Near(SheetPoint a, SheetPoint b) { return std::hypot(a.x - b.x, a.s - b.s) <= kSameCorner; }

geos::Ring Corners(const SheetPath& loop, double tolerance) {
    geos::Ring ring;
    for (const SheetPoint& p : FlattenPath(loop, tolerance))
        if (ring.empty() || !Near(ring.back(), p)) ring.push_back(p);
    while (ring.size() > 1 && Near(ring.back(), ring.front())) ring.pop_back();
    return ring;
}

// GEOS (already the free-form core's polygon library) triangulates a
// polygon with holes since 3.10: it joins the holes to the outline, clips
// ears and improves the result to a constrained Delaunay triangulation, so
// the triangles follow every flattened curve and never cross a hole.
void Triangulate(geos::Context& c, const geos::Geometry& polygon, std::vector<SheetTriangle>& out) {
    const GEOSContextHandle_t h = c.Handle();
    GEOSGeometry* made = GEOSConstrainedDelaunayTriangulation_r(h, polygon.Get());
    if (!made) return;
    const geos::Geometry triangles(c, made);
    const int n = GEOSGetNumGeometries_r(h, triangles.Get());
    for (int i = 0; i < n; ++i) {
        const GEOSGeometry* ring = GEOSGetExteriorRing_r(h, GEOSGetGeometryN_r(h, triangles.Get(), i));
        const GEOSCoordSequence* seq = ring ? GEOSGeom_getCoordSeq_r(h, ring) : nullptr;
        unsigned size = 0;
        if (!seq || !GEOSCoordSeq_getSize_r(h, seq, &size) || size < 3) continue;
        SheetPoint p[3];
        for (unsigned k = 0; k < 3; ++k) GEOSCoordSeq_getXY_r(h, seq, k, &p[k].x, &p[k].s);
        out.push_back({p[0], p[1], p[2]});
    }
}

}  // namespace

std::vector<SheetTriangle> TriangulatePiece(const SheetPiece& piece, double tolerance, SheetBand band) {
    std::vector<SheetTriangle> out;
    if (piece.loops.empty() || !(band.lo < band.hi)) return out;
    geos::Context c;
    const geos::Ring shell = Corners(piece.loops.front(), tolerance);
    if (shell.size() < 3) return out;
    std::vector<geos::Ring> holes;
    for (std::size_t k = 1; k < piece.loops.size(); ++k) {
        geos::Ring hole = Corners(piece.loops[k], tolerance);
        if (hole.size() >= 3) holes.push_back(std::move(hole));
    }
    geos::Geometry paper = geos::Polygon(c, shell, holes);
    if (GEOSisValid_r(c.Handle(), paper.Get()) != 1) {
        GEOSGeometry* repaired = GEOSMakeValid_r(c.Handle(), paper.Get());
        if (!repaired) return out;
        paper = geos::Geometry(c, repaired);
    }
    if (std::isfinite(band.lo) || std::isfinite(band.hi)) {
        double x0, s0, x1, s1;
        geos::Bounds(paper, x0, s0, x1, s1);
        const double lo = std::max(band.lo, s0 - 1), hi = std::min(band.hi, s1 + 1);
        if (!(lo < hi)) return out;
        paper = geos::Intersection(paper, geos::Rectangle(c, x0 - 1, lo, x1 + 1, hi));
    }
    // A repaired or cut piece may come apart, and with lines or points
    // beside its polygons, which the triangulation would refuse together.
    for (const geos::Geometry& part : geos::Parts(paper))
        if (geos::IsPolygon(part)) Triangulate(c, part, out);
    return out;
}

}  // namespace pw
