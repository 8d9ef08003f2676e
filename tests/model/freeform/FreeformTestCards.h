#pragma once
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/freeform/FreeformCard.h"
#include "model/freeform/FreeformSheet.h"
#include "model/freeform/SvgPathData.h"

namespace pw::test {

inline FreeformFlat Flat(double depth, const std::string& outline, const std::string& name = "") {
    FreeformFlat flat;
    flat.name = name;
    flat.depth = depth;
    PathDataResult parsed = ParsePathData(outline, 10000, 10000);
    EXPECT_EQ(parsed.error, "") << outline;
    flat.loops = parsed.loops;
    return flat;
}

inline FreeformCard Card(std::vector<FreeformFlat> flats) {
    FreeformCard card;
    card.width = 160;
    card.half = 100;
    card.flats = std::move(flats);
    return card;
}

// Even-odd over a piece's flattened loops, by a ray along +x.
inline bool PieceHolds(const SheetPiece& piece, SheetPoint p) {
    bool inside = false;
    for (const SheetPath& loop : piece.loops) {
        const std::vector<SheetPoint> q = FlattenPath(loop, 1e-4);
        for (std::size_t i = 0, j = q.size() - 1; i < q.size(); j = i++)
            if ((q[i].s > p.s) != (q[j].s > p.s) && p.x < q[j].x + (p.s - q[j].s) * (q[i].x - q[j].x) / (q[i].s - q[j].s))
                inside = !inside;
    }
    return inside;
}

inline int PieceAt(const Sheet& sheet, SheetPoint p) {
    for (std::size_t k = 0; k < sheet.pieces.size(); ++k)
        if (PieceHolds(sheet.pieces[k], p)) return static_cast<int>(k);
    return -1;
}

// The sheet's lines across the slice x = const: where each crosses it, and its kind.
struct Crossing {
    double s;
    SheetEdgeKind kind;
    bool operator==(const Crossing& o) const { return std::fabs(s - o.s) < 1e-3 && kind == o.kind; }
};
inline std::vector<Crossing> LinesAcross(const Sheet& sheet, double x) {
    std::vector<Crossing> out;
    for (const SheetEdge& e : sheet.edges) {
        std::vector<SheetPoint> q = FlattenPath(e.path, 1e-4);
        if (e.path.closed) q.push_back(q.front());
        for (std::size_t i = 1; i < q.size(); ++i)
            if ((q[i - 1].x < x) != (q[i].x < x))
                out.push_back({q[i - 1].s + (x - q[i - 1].x) * (q[i].s - q[i - 1].s) / (q[i].x - q[i - 1].x), e.kind});
    }
    std::sort(out.begin(), out.end(), [](const Crossing& a, const Crossing& b) { return a.s > b.s; });
    return out;
}

inline std::ostream& operator<<(std::ostream& o, const Crossing& c) { return o << c.s << "/" << static_cast<int>(c.kind); }

}  // namespace pw::test
