#include "model/freeform/GridConversion.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include "model/CellGrid.h"
#include "model/freeform/FlatGeometry.h"
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

// Where a tunnel leaves a plain hole in the riser that held its folded-back
// floor: the hole's bottom, in front-view millimetres, and the height just
// above the tunnel where the riser's paper goes on.
struct TunnelHole {
    double x0 = 0, x1 = 0, bottom = 0, above = 0;
};

std::vector<TunnelHole> TunnelHoles(const CellGrid& g, const Sheet& sheet, double cellMm) {
    std::vector<TunnelHole> holes;
    for (int x = 1; x <= g.gridWidth - 2; ++x)
        for (int z = 2, top = g.HeightAt(x, 1); z < top; ++z) {
            if (g.IsSolid(x, 1, z) || !g.IsSolid(x, 1, z - 1)) continue;
            int above = z + 1;
            while (above < top && !g.IsSolid(x, 1, above)) ++above;
            holes.push_back({(x - sheet.minX) * cellMm, (x + 1 - sheet.minX) * cellMm, (z - 1) * cellMm, (above - 0.5) * cellMm});
        }
    return holes;
}

// A roof from a tunnel's bottom would take the paper of the riser above the
// tunnel, the paper the grid card folds back as the tunnel's floor: the
// plain hole has none, its paper falls out.
void LeaveTunnelsRoofless(geos::Context& context, const geos::Geometry& region, const std::vector<TunnelHole>& holes,
                          FreeformFlat& flat) {
    for (const HorizontalRun& run : HorizontalRuns(context, flat)) {
        if (!run.top) continue;
        for (const TunnelHole& hole : holes) {
            const double x0 = std::max(run.x0, hole.x0), x1 = std::min(run.x1, hole.x1);
            if (x1 - x0 < 1e-6 || std::fabs(run.z - hole.bottom) > 1e-6) continue;
            if (!geos::ContainsPoint(region, {(x0 + x1) / 2, hole.above})) continue;
            flat.roofless.push_back({(x0 + x1) / 2, run.z});
            break;
        }
    }
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
    const std::vector<TunnelHole> holes = TunnelHoles(grid, sheet, cellMm);
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
        if (!holes.empty()) LeaveTunnelsRoofless(context, merged, holes, flat);
        if (!flat.loops.empty()) out.card.flats.push_back(std::move(flat));
    }
    return out;
}

}  // namespace pw
