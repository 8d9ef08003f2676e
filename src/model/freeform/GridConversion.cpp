#include "model/freeform/GridConversion.h"

#include <map>
#include <utility>

#include "model/CellGrid.h"
#include "model/freeform/Geos.h"

namespace pw {

namespace {

// A grid tunnel, as the card file lists it: an empty cell at depth 1 below
// the column's top.
int CountTunnels(const CellGrid& g) {
    int tunnels = 0;
    for (int x = 1; x <= g.gridWidth - 2; ++x)
        for (int z = 1, top = g.HeightAt(x, 1); z < top; ++z)
            if (!g.IsSolid(x, 1, z)) ++tunnels;
    return tunnels;
}

SheetPath LoopOf(const geos::Ring& ring) {
    SheetPath loop(ring.front());
    for (std::size_t k = 1; k < ring.size(); ++k) loop.LineTo(ring[k]);
    return loop.Close();
}

}  // namespace

GridConversion ConvertGridCard(const CellGrid& grid, const Sheet& sheet, double cellMm) {
    GridConversion out;
    out.tunnels = CountTunnels(grid);
    out.card.width = (sheet.maxX - sheet.minX) * cellMm;
    out.card.half = sheet.half * cellMm;
    geos::Context context;
    // The upright faces by depth, in the front view: x from the sheet's
    // left edge, the height z = depth - s.
    std::map<double, std::vector<geos::Geometry>> byDepth;
    for (const SheetPiece& piece : sheet.pieces) {
        if (piece.plane != PiecePlane::Vertical || piece.level <= 0 || piece.loops.empty()) continue;
        const auto front = [&](const SheetPath& loop) {
            geos::Ring ring;
            for (const SheetPoint& p : FlattenPath(loop, kFlatteningToleranceMm))
                ring.push_back({(p.x - sheet.minX) * cellMm, (piece.level - p.s) * cellMm});
            return ring;
        };
        std::vector<geos::Ring> holes;
        for (std::size_t k = 1; k < piece.loops.size(); ++k) holes.push_back(front(piece.loops[k]));
        byDepth[piece.level].push_back(geos::Polygon(context, front(piece.loops[0]), holes));
    }
    // From the back forward would do as well; the front first reads as the
    // card is seen.
    for (auto it = byDepth.rbegin(); it != byDepth.rend(); ++it) {
        FreeformFlat flat;
        flat.depth = it->first * cellMm;
        const geos::Geometry merged = geos::UnionAll(context, std::move(it->second));
        for (const geos::Geometry& part : geos::Parts(merged)) {
            if (!geos::IsPolygon(part)) continue;
            for (const geos::Ring& ring : geos::PolygonRings(part))
                if (ring.size() >= 3) flat.loops.push_back(LoopOf(ring));
        }
        if (!flat.loops.empty()) out.card.flats.push_back(std::move(flat));
    }
    return out;
}

}  // namespace pw
