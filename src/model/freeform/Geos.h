#pragma once
#include <memory>
#include <vector>

#include <geos_c.h>

#include "model/SheetPath.h"

namespace pw::geos {

// The free-form card's polygon operations go through GEOS, by its
// reentrant C API (its C++ API is not stable between versions). GEOS rather
// than Clipper: it works in floating point, so the flattened curves keep
// their exact vertices through an operation (which lets CurveBook put the
// curves back), and it answers validity, overlay of lines with polygons and
// the predicates the checks need, where Clipper rounds to integers and
// offers polygon clipping alone.

// One GEOS context: each thread and each builder has its own, so nothing is
// shared. An operation GEOS refuses (it reports a topology fault instead
// of a result) leaves an empty geometry and marks the context failed.
class Context {
public:
    Context();
    ~Context();
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;
    GEOSContextHandle_t Handle() const { return handle_; }
    bool Failed() const { return failed_; }
    void MarkFailed() { failed_ = true; }

private:
    GEOSContextHandle_t handle_;
    bool failed_ = false;
};

struct GeometryDeleter {
    GEOSContextHandle_t handle = nullptr;
    void operator()(GEOSGeometry* g) const { GEOSGeom_destroy_r(handle, g); }
};

class Geometry {
public:
    Geometry() = default;
    Geometry(Context& context, GEOSGeometry* g);
    Geometry(Geometry&&) noexcept = default;
    Geometry& operator=(Geometry&&) noexcept = default;
    Geometry Clone() const;
    const GEOSGeometry* Get() const { return g_.get(); }
    GEOSGeometry* Release() { return g_.release(); }
    bool IsEmpty() const;
    Context* Owner() const { return context_; }

private:
    Context* context_ = nullptr;
    std::unique_ptr<GEOSGeometry, GeometryDeleter> g_;
};

using Ring = std::vector<SheetPoint>;  // not repeating its first point

Geometry Empty(Context& c);
Geometry LineString(Context& c, const std::vector<SheetPoint>& points);
// A polygon from a shell and holes, each a ring of at least three points.
Geometry Polygon(Context& c, const Ring& shell, const std::vector<Ring>& holes);
Geometry Rectangle(Context& c, double x0, double s0, double x1, double s1);
Geometry Collection(Context& c, std::vector<Geometry> parts);
// Lines as one geometry, whose simplicity says whether any of them cross or touch.
Geometry MultiLine(Context& c, std::vector<Geometry> lines);

Geometry Union(const Geometry& a, const Geometry& b);
Geometry UnionAll(Context& c, std::vector<Geometry> parts);
Geometry Difference(const Geometry& a, const Geometry& b);
Geometry Intersection(const Geometry& a, const Geometry& b);
Geometry SymDifference(const Geometry& a, const Geometry& b);
Geometry Boundary(const Geometry& a);
// Touching lines joined into the longest lines they make.
Geometry MergeLines(const Geometry& a);

double Area(const Geometry& a);
double Length(const Geometry& a);
double Distance(const Geometry& a, SheetPoint p);
bool Intersects(const Geometry& a, const Geometry& b);
bool ContainsPoint(const Geometry& a, SheetPoint p);
bool IsSimple(const Geometry& a);
void Bounds(const Geometry& a, double& x0, double& s0, double& x1, double& s1);

// The parts of a (multi-)geometry or collection, each a polygon or a line.
std::vector<Geometry> Parts(const Geometry& a);
// A polygon's rings: the shell first, then the holes.
std::vector<Ring> PolygonRings(const Geometry& polygon);
// A line's points.
std::vector<SheetPoint> LinePoints(const Geometry& line);
bool IsPolygon(const Geometry& a);
bool IsLine(const Geometry& a);

}  // namespace pw::geos
