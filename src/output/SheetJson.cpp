#include "output/SheetJson.h"

#include <cmath>
#include <nlohmann/json.hpp>

#include "model/Sheet.h"

namespace pw {

namespace {

using Json = nlohmann::ordered_json;

// Numbers stay in the sheet's units, so a grid card's are small whole
// numbers and the largest card's page stays small; a thousandth of a unit
// (a micrometre of a free-form card) is below anything a screen shows.
double Unit(double units) { return std::round(units * 1000) / 1000; }

Json Points(const SheetPath& path, double mmPerUnit, double toleranceMm) {
    Json flat = Json::array();
    for (const SheetPoint& p : FlattenPath(path, toleranceMm / mmPerUnit)) {
        flat.push_back(Unit(p.x));
        flat.push_back(Unit(p.s));
    }
    return flat;
}

}  // namespace

const char* SheetEdgeKindName(int kind) {
    switch (static_cast<SheetEdgeKind>(kind)) {
        case SheetEdgeKind::OutlineCut: return "outline";
        case SheetEdgeKind::InnerCut: return "cut";
        case SheetEdgeKind::Mountain: return "mountain";
        case SheetEdgeKind::Valley: return "valley";
        case SheetEdgeKind::Crease: return "crease";
    }
    return "cut";
}

std::string SheetJsonText(const Sheet& sheet, double mmPerUnit, double toleranceMm) {
    Json pieces = Json::array();
    for (const SheetPiece& piece : sheet.pieces) {
        Json loops = Json::array();
        for (const SheetPath& loop : piece.loops) loops.push_back(Points(loop, mmPerUnit, toleranceMm));
        pieces.push_back({{"plane", piece.plane == PiecePlane::Horizontal ? "h" : "v"},
                          {"level", Unit(piece.level)},
                          {"loops", std::move(loops)}});
    }
    Json edges = Json::array();
    for (const SheetEdge& edge : sheet.edges)
        edges.push_back({{"kind", SheetEdgeKindName(static_cast<int>(edge.kind))},
                         {"closed", edge.path.closed},
                         {"points", Points(edge.path, mmPerUnit, toleranceMm)}});
    const Json card = {{"mmPerUnit", mmPerUnit},
                       {"minX", Unit(sheet.minX)},
                       {"maxX", Unit(sheet.maxX)},
                       {"half", Unit(sheet.half)},
                       {"pieces", std::move(pieces)},
                       {"edges", std::move(edges)}};
    return card.dump();
}

}  // namespace pw
