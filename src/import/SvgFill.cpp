#include "import/SvgFill.h"

#include <cmath>
#include <utility>

#include "model/freeform/CurveBook.h"
#include "model/freeform/Geos.h"

namespace pw {

namespace {

double SignedArea(const geos::Ring& ring) {
    double twice = 0;
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const SheetPoint& a = ring[i];
        const SheetPoint& b = ring[(i + 1) % ring.size()];
        twice += a.x * b.s - b.x * a.s;
    }
    return twice / 2;
}

// A shape's region. Nonzero: loops turning the way the largest one turns
// fill, loops turning the other way cut holes, which is what nonzero does
// for outlines that do not cross each other (holes drawn against the
// outline, overlapping parts drawn alike).
geos::Geometry ShapeRegion(geos::Context& c, CurveBook& book, const SvgShape& shape) {
    std::vector<geos::Ring> rings;
    double largest = 0, fillSign = 1;
    for (const FrontLoop& loop : shape.loops) {
        rings.push_back(book.Flatten(loop));
        const double area = SignedArea(rings.back());
        if (std::fabs(area) > largest) largest = std::fabs(area), fillSign = area < 0 ? -1 : 1;
    }
    geos::Geometry filled = geos::Empty(c), holes = geos::Empty(c);
    for (const geos::Ring& ring : rings) {
        if (ring.size() < 3) continue;
        geos::Geometry polygon = geos::Polygon(c, ring, {});
        if (shape.evenOdd)
            filled = geos::SymDifference(filled, polygon);
        else if (SignedArea(ring) * fillSign > 0)
            filled = geos::Union(filled, polygon);
        else
            holes = geos::Union(holes, polygon);
    }
    return shape.evenOdd ? std::move(filled) : geos::Difference(filled, holes);
}

}  // namespace

std::vector<FrontLoop> FilledOutline(const std::vector<SvgShape>& shapes, bool& merged) {
    merged = false;
    std::vector<FrontLoop> all;
    for (const SvgShape& shape : shapes) all.insert(all.end(), shape.loops.begin(), shape.loops.end());
    if (shapes.size() == 1 && (shapes[0].evenOdd || shapes[0].loops.size() == 1)) return all;

    geos::Context c;
    CurveBook book;
    std::vector<geos::Geometry> regions;
    for (const SvgShape& shape : shapes) regions.push_back(ShapeRegion(c, book, shape));
    const geos::Geometry painted = geos::UnionAll(c, std::move(regions));
    const geos::Geometry asIs = ShapeRegion(c, book, SvgShape{all, true});
    const double difference = geos::Area(geos::SymDifference(painted, asIs));
    // Outlines GEOS cannot take (a loop crossing itself) stay as drawn.
    if (c.Failed() || difference <= 1e-9 * std::max(1.0, geos::Area(painted))) return all;

    std::vector<FrontLoop> outline;
    for (const geos::Geometry& part : geos::Parts(painted)) {
        if (!geos::IsPolygon(part)) continue;
        for (const geos::Ring& ring : geos::PolygonRings(part)) outline.push_back(book.Recover(ring, true));
    }
    merged = true;
    return outline;
}

}  // namespace pw
