#include "model/freeform/PieceTriangles.h"

#include "model/freeform/Geos.h"

namespace pw {

std::vector<std::array<SheetPoint, 3>> TrianglesOfPiece(const SheetPiece& piece, double tolerance) {
    std::vector<std::array<SheetPoint, 3>> out;
    if (piece.loops.empty()) return out;
    geos::Context context;
    const auto ring = [tolerance](const SheetPath& loop) { return FlattenPath(loop, tolerance); };
    std::vector<geos::Ring> holes;
    for (std::size_t k = 1; k < piece.loops.size(); ++k) holes.push_back(ring(piece.loops[k]));
    const geos::Geometry polygon = geos::Polygon(context, ring(piece.loops[0]), holes);
    if (polygon.IsEmpty()) return out;
    // The constrained triangulation keeps to the outline and the holes'
    // edges and covers exactly the polygon.
    GEOSGeometry* raw = GEOSConstrainedDelaunayTriangulation_r(context.Handle(), polygon.Get());
    if (raw == nullptr) return out;
    const geos::Geometry triangles(context, raw);
    for (const geos::Geometry& t : geos::Parts(triangles)) {
        const std::vector<geos::Ring> rings = geos::PolygonRings(t);
        if (rings.empty() || rings[0].size() < 3) continue;
        out.push_back({rings[0][0], rings[0][1], rings[0][2]});
    }
    return out;
}

}  // namespace pw
