#include "output/KerfOffset.h"

#include <algorithm>
#include <cmath>

#include "model/freeform/Geos.h"

namespace pw {

namespace {

geos::Ring RingOf(const MmPath& path) {
    geos::Ring ring;
    for (const MmPoint& p : path.points) ring.push_back({p.x, p.y});
    if (ring.size() > 1 && ring.front() == ring.back()) ring.pop_back();
    return ring;
}

MmPath PathOf(const geos::Ring& ring) {
    MmPath path;
    path.closed = true;
    for (const SheetPoint& p : ring) path.points.push_back({p.x, p.s});
    if (!ring.empty()) path.points.push_back({ring.front().x, ring.front().s});
    return path;
}

}  // namespace

std::vector<MmPath> OffsetForKerf(const std::vector<MmPath>& cuts, double kerfMm) {
    std::vector<MmPath> out;
    std::vector<geos::Ring> loops;
    for (const MmPath& path : cuts) {
        if (path.closed && path.points.size() >= 4)
            loops.push_back(RingOf(path));
        else
            out.push_back(path);
    }
    if (loops.empty() || kerfMm <= 0) {
        for (const MmPath& path : cuts)
            if (path.closed && path.points.size() >= 4) out.push_back(path);
        return out;
    }
    geos::Context c;
    std::vector<geos::Geometry> polygons;
    std::vector<double> areas;
    for (const geos::Ring& ring : loops) {
        polygons.push_back(geos::Polygon(c, ring, {}));
        areas.push_back(geos::Area(polygons.back()));
    }
    const std::size_t sheet = static_cast<std::size_t>(std::max_element(areas.begin(), areas.end()) - areas.begin());
    std::vector<geos::Ring> holes;
    for (std::size_t k = 0; k < loops.size(); ++k) {
        if (k == sheet) continue;
        if (geos::ContainsPoint(polygons[sheet], loops[k].front()))
            holes.push_back(loops[k]);
        else
            out.push_back(PathOf(loops[k]));  // a loop outside the sheet is nothing the sheet bounds
    }
    const geos::Geometry paper = geos::Polygon(c, loops[sheet], holes);
    // Mitred corners keep a square a square; the limit stops a needle-sharp
    // corner from growing a spike.
    const geos::Geometry grown(
        c, GEOSBufferWithStyle_r(c.Handle(), paper.Get(), kerfMm / 2, 8, GEOSBUF_CAP_FLAT, GEOSBUF_JOIN_MITRE, 4.0));
    if (grown.Get() == nullptr) return cuts;
    // The holes first and the sheet's own edge last, as the cut was
    // ordered: cut free early, the sheet could shift under the beam.
    std::vector<MmPath> edges;
    for (const geos::Geometry& part : geos::Parts(grown))
        if (geos::IsPolygon(part)) {
            const std::vector<geos::Ring> rings = geos::PolygonRings(part);
            for (std::size_t k = 0; k < rings.size(); ++k) (k == 0 ? edges : out).push_back(PathOf(rings[k]));
        }
    out.insert(out.end(), edges.begin(), edges.end());
    return out;
}

}  // namespace pw
