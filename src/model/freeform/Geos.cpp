#include "model/freeform/Geos.h"

#include <algorithm>

namespace pw::geos {

namespace {

void Quiet(const char*, void*) {}

Geometry Wrap(Context& c, GEOSGeometry* g) {
    if (!g) {
        c.MarkFailed();
        g = GEOSGeom_createEmptyCollection_r(c.Handle(), GEOS_GEOMETRYCOLLECTION);
    }
    return Geometry(c, g);
}

GEOSCoordSequence* Sequence(Context& c, const std::vector<SheetPoint>& points, bool close) {
    const unsigned n = static_cast<unsigned>(points.size() + (close ? 1 : 0));
    GEOSCoordSequence* seq = GEOSCoordSeq_create_r(c.Handle(), n, 2);
    for (unsigned i = 0; i < points.size(); ++i) GEOSCoordSeq_setXY_r(c.Handle(), seq, i, points[i].x, points[i].s);
    if (close) GEOSCoordSeq_setXY_r(c.Handle(), seq, n - 1, points[0].x, points[0].s);
    return seq;
}

GEOSGeometry* LinearRing(Context& c, const Ring& ring) { return GEOSGeom_createLinearRing_r(c.Handle(), Sequence(c, ring, true)); }

std::vector<SheetPoint> Points(GEOSContextHandle_t h, const GEOSGeometry* g, bool dropLast) {
    const GEOSCoordSequence* seq = GEOSGeom_getCoordSeq_r(h, g);
    unsigned n = 0;
    if (!seq || !GEOSCoordSeq_getSize_r(h, seq, &n)) return {};
    std::vector<SheetPoint> out(n);
    for (unsigned i = 0; i < n; ++i) GEOSCoordSeq_getXY_r(h, seq, i, &out[i].x, &out[i].s);
    if (dropLast && !out.empty()) out.pop_back();
    return out;
}

}  // namespace

Context::Context() : handle_(GEOS_init_r()) {
    GEOSContext_setNoticeMessageHandler_r(handle_, Quiet, nullptr);
    GEOSContext_setErrorMessageHandler_r(handle_, Quiet, nullptr);
}

Context::~Context() { GEOS_finish_r(handle_); }

Geometry::Geometry(Context& context, GEOSGeometry* g) : context_(&context), g_(g, GeometryDeleter{context.Handle()}) {}

Geometry Geometry::Clone() const { return Wrap(*context_, GEOSGeom_clone_r(context_->Handle(), g_.get())); }

bool Geometry::IsEmpty() const { return !g_ || GEOSisEmpty_r(context_->Handle(), g_.get()) == 1; }

Geometry Empty(Context& c) { return Wrap(c, GEOSGeom_createEmptyCollection_r(c.Handle(), GEOS_GEOMETRYCOLLECTION)); }

Geometry LineString(Context& c, const std::vector<SheetPoint>& points) {
    return Wrap(c, GEOSGeom_createLineString_r(c.Handle(), Sequence(c, points, false)));
}

Geometry Polygon(Context& c, const Ring& shell, const std::vector<Ring>& holes) {
    std::vector<GEOSGeometry*> inner;
    for (const Ring& hole : holes) inner.push_back(LinearRing(c, hole));
    return Wrap(c, GEOSGeom_createPolygon_r(c.Handle(), LinearRing(c, shell), inner.data(), static_cast<unsigned>(inner.size())));
}

Geometry Rectangle(Context& c, double x0, double s0, double x1, double s1) {
    return Polygon(c, {{x0, s0}, {x1, s0}, {x1, s1}, {x0, s1}}, {});
}

namespace {

Geometry Gather(Context& c, int type, std::vector<Geometry> parts) {
    std::vector<GEOSGeometry*> raw;
    for (Geometry& part : parts)
        if (!part.IsEmpty()) raw.push_back(part.Release());
    return Wrap(c, GEOSGeom_createCollection_r(c.Handle(), type, raw.data(), static_cast<unsigned>(raw.size())));
}

}  // namespace

Geometry Collection(Context& c, std::vector<Geometry> parts) { return Gather(c, GEOS_GEOMETRYCOLLECTION, std::move(parts)); }

Geometry MultiLine(Context& c, std::vector<Geometry> lines) { return Gather(c, GEOS_MULTILINESTRING, std::move(lines)); }

Geometry Union(const Geometry& a, const Geometry& b) { return Wrap(*a.Owner(), GEOSUnion_r(a.Owner()->Handle(), a.Get(), b.Get())); }

Geometry UnionAll(Context& c, std::vector<Geometry> parts) {
    const Geometry all = Collection(c, std::move(parts));
    return Wrap(c, GEOSUnaryUnion_r(c.Handle(), all.Get()));
}

Geometry Difference(const Geometry& a, const Geometry& b) {
    return Wrap(*a.Owner(), GEOSDifference_r(a.Owner()->Handle(), a.Get(), b.Get()));
}

Geometry Intersection(const Geometry& a, const Geometry& b) {
    return Wrap(*a.Owner(), GEOSIntersection_r(a.Owner()->Handle(), a.Get(), b.Get()));
}

Geometry SymDifference(const Geometry& a, const Geometry& b) {
    return Wrap(*a.Owner(), GEOSSymDifference_r(a.Owner()->Handle(), a.Get(), b.Get()));
}

Geometry Boundary(const Geometry& a) { return Wrap(*a.Owner(), GEOSBoundary_r(a.Owner()->Handle(), a.Get())); }

Geometry MergeLines(const Geometry& a) { return Wrap(*a.Owner(), GEOSLineMerge_r(a.Owner()->Handle(), a.Get())); }

double Area(const Geometry& a) {
    double v = 0;
    return GEOSArea_r(a.Owner()->Handle(), a.Get(), &v) ? v : 0;
}

double Length(const Geometry& a) {
    double v = 0;
    return GEOSLength_r(a.Owner()->Handle(), a.Get(), &v) ? v : 0;
}

double Distance(const Geometry& a, SheetPoint p) {
    Context& c = *a.Owner();
    const Geometry point = Wrap(c, GEOSGeom_createPointFromXY_r(c.Handle(), p.x, p.s));
    double v = 1e300;
    return GEOSDistance_r(c.Handle(), a.Get(), point.Get(), &v) ? v : 1e300;
}

bool Intersects(const Geometry& a, const Geometry& b) { return GEOSIntersects_r(a.Owner()->Handle(), a.Get(), b.Get()) == 1; }

bool ContainsPoint(const Geometry& a, SheetPoint p) {
    Context& c = *a.Owner();
    const Geometry point = Wrap(c, GEOSGeom_createPointFromXY_r(c.Handle(), p.x, p.s));
    return GEOSContains_r(c.Handle(), a.Get(), point.Get()) == 1;
}

bool IsSimple(const Geometry& a) { return GEOSisSimple_r(a.Owner()->Handle(), a.Get()) == 1; }

void Bounds(const Geometry& a, double& x0, double& s0, double& x1, double& s1) {
    x0 = s0 = 1e300;
    x1 = s1 = -1e300;
    if (a.IsEmpty()) return;
    GEOSGeom_getXMin_r(a.Owner()->Handle(), a.Get(), &x0);
    GEOSGeom_getYMin_r(a.Owner()->Handle(), a.Get(), &s0);
    GEOSGeom_getXMax_r(a.Owner()->Handle(), a.Get(), &x1);
    GEOSGeom_getYMax_r(a.Owner()->Handle(), a.Get(), &s1);
}

std::vector<Geometry> Parts(const Geometry& a) {
    std::vector<Geometry> out;
    if (a.IsEmpty()) return out;
    Context& c = *a.Owner();
    const int type = GEOSGeomTypeId_r(c.Handle(), a.Get());
    if (type == GEOS_POLYGON || type == GEOS_LINESTRING || type == GEOS_LINEARRING) {
        out.push_back(a.Clone());
        return out;
    }
    if (type == GEOS_POINT || type == GEOS_MULTIPOINT) return out;
    const int n = GEOSGetNumGeometries_r(c.Handle(), a.Get());
    for (int i = 0; i < n; ++i) {
        const Geometry part = Wrap(c, GEOSGeom_clone_r(c.Handle(), GEOSGetGeometryN_r(c.Handle(), a.Get(), i)));
        for (Geometry& inner : Parts(part)) out.push_back(std::move(inner));
    }
    return out;
}

std::vector<Ring> PolygonRings(const Geometry& polygon) {
    GEOSContextHandle_t h = polygon.Owner()->Handle();
    std::vector<Ring> rings;
    rings.push_back(Points(h, GEOSGetExteriorRing_r(h, polygon.Get()), true));
    const int n = GEOSGetNumInteriorRings_r(h, polygon.Get());
    for (int i = 0; i < n; ++i) rings.push_back(Points(h, GEOSGetInteriorRingN_r(h, polygon.Get(), i), true));
    return rings;
}

std::vector<SheetPoint> LinePoints(const Geometry& line) { return Points(line.Owner()->Handle(), line.Get(), false); }

bool IsPolygon(const Geometry& a) { return !a.IsEmpty() && GEOSGeomTypeId_r(a.Owner()->Handle(), a.Get()) == GEOS_POLYGON; }

bool IsLine(const Geometry& a) {
    if (a.IsEmpty()) return false;
    const int type = GEOSGeomTypeId_r(a.Owner()->Handle(), a.Get());
    return type == GEOS_LINESTRING || type == GEOS_LINEARRING;
}

}  // namespace pw::geos
