#include "model/PieceLines.h"

#include <algorithm>
#include <cmath>

namespace pw {

namespace {

struct Chord {
    SheetPoint a, b;
};

std::vector<Chord> Chords(const SheetPath& path) {
    std::vector<Chord> chords;
    SheetPoint at = path.start;
    for (const PathSegment& seg : path.segments) {
        chords.push_back({at, seg.end});
        at = seg.end;
    }
    if (path.closed && at != path.start) chords.push_back({at, path.start});
    return chords;
}

double Distance(SheetPoint p, const Chord& c) {
    const double dx = c.b.x - c.a.x, ds = c.b.s - c.a.s;
    const double len2 = dx * dx + ds * ds;
    double t = len2 > 0 ? ((p.x - c.a.x) * dx + (p.s - c.a.s) * ds) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (c.a.x + t * dx), p.s - (c.a.s + t * ds));
}

// The grid's coordinates are whole or half cells; a free-form card's
// millimetres are far coarser than this.
constexpr double kOnLine = 1e-6;

// Whether chord `c` and the boundary chord `side` run together for some
// length: on one line, their stretches overlapping. An outline edge spans
// many pieces, and a piece's side may span several short edges.
bool Along(const Chord& c, const Chord& side) {
    const double dx = c.b.x - c.a.x, ds = c.b.s - c.a.s;
    const double len = std::hypot(dx, ds);
    auto across = [&](SheetPoint p) { return ((p.x - c.a.x) * ds - (p.s - c.a.s) * dx) / len; };
    if (std::abs(across(side.a)) > kOnLine || std::abs(across(side.b)) > kOnLine) return false;
    auto along = [&](SheetPoint p) { return ((p.x - c.a.x) * dx + (p.s - c.a.s) * ds) / len; };
    const double lo = std::min(along(side.a), along(side.b)), hi = std::max(along(side.a), along(side.b));
    return std::min(hi, len) - std::max(lo, 0.0) > kOnLine;
}

bool EdgeAlongPiece(const SheetEdge& edge, const SheetPiece& piece) {
    for (const Chord& c : Chords(edge.path)) {
        // A zero-length chord says nothing of where the line runs.
        if (c.a == c.b) continue;
        for (const SheetPath& loop : piece.loops)
            for (const Chord& side : Chords(loop))
                if (Along(c, side)) return true;
    }
    return false;
}

bool InsideLoop(const SheetPath& loop, SheetPoint p) {
    bool inside = false;
    for (const Chord& c : Chords(loop))
        if ((c.a.s > p.s) != (c.b.s > p.s) && p.x < c.a.x + (p.s - c.a.s) * (c.b.x - c.a.x) / (c.b.s - c.a.s))
            inside = !inside;
    return inside;
}

}  // namespace

int PieceAt(const Sheet& sheet, SheetPoint p) {
    for (std::size_t i = 0; i < sheet.pieces.size(); ++i) {
        const auto& loops = sheet.pieces[i].loops;
        if (loops.empty() || !InsideLoop(loops[0], p)) continue;
        if (std::none_of(loops.begin() + 1, loops.end(), [&](const SheetPath& hole) { return InsideLoop(hole, p); }))
            return static_cast<int>(i);
    }
    return -1;
}

std::vector<int> PiecesAlongEdge(const Sheet& sheet, int edge) {
    std::vector<int> pieces;
    for (std::size_t i = 0; i < sheet.pieces.size(); ++i)
        if (EdgeAlongPiece(sheet.edges[static_cast<std::size_t>(edge)], sheet.pieces[i]))
            pieces.push_back(static_cast<int>(i));
    return pieces;
}

std::vector<int> EdgesOfPiece(const Sheet& sheet, int piece) {
    std::vector<int> edges;
    for (std::size_t i = 0; i < sheet.edges.size(); ++i)
        if (EdgeAlongPiece(sheet.edges[i], sheet.pieces[static_cast<std::size_t>(piece)]))
            edges.push_back(static_cast<int>(i));
    return edges;
}

int EdgeNear(const Sheet& sheet, SheetPoint p, double reach) {
    int best = -1;
    double bestDistance = reach;
    for (std::size_t i = 0; i < sheet.edges.size(); ++i)
        for (const Chord& c : Chords(sheet.edges[i].path)) {
            const double d = Distance(p, c);
            if (d <= bestDistance) {
                bestDistance = d;
                best = static_cast<int>(i);
            }
        }
    return best;
}

int PiecePointedAt(const Sheet& sheet, SheetPoint p, double reach) {
    const int under = PieceAt(sheet, p);
    const int edge = EdgeNear(sheet, p, reach);
    if (edge < 0) return under;
    const std::vector<int> along = PiecesAlongEdge(sheet, edge);
    if (along.empty()) return under;
    return std::find(along.begin(), along.end(), under) != along.end() ? under : along.front();
}

}  // namespace pw
