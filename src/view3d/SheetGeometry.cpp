#include "view3d/SheetGeometry.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "model/freeform/SheetTriangulation.h"
#include "view3d/CardGeometry.h"

namespace pw {

namespace {

using Segment = std::pair<SheetPoint, SheetPoint>;
using Span = std::pair<double, double>;  // of a segment, from 0 at its start to 1 at its end

// Lines nearer to each other than this (in sheet units) are one line.
constexpr double kSameLine = 1e-7;

std::vector<Segment> Boundary(const SheetPiece& piece) {
    std::vector<Segment> out;
    for (const SheetPath& loop : piece.loops) {
        const std::vector<SheetPoint> p = FlattenPath(loop, kViewFlattening);
        for (std::size_t i = 1; i < p.size(); ++i) out.emplace_back(p[i - 1], p[i]);
        if (loop.closed && p.size() > 2) out.emplace_back(p.back(), p.front());
    }
    return out;
}

// `spans` less the stretch of `seg` that `other` runs along, if they lie on one line.
void Subtract(const Segment& seg, const Segment& other, std::vector<Span>& spans) {
    const double dx = seg.second.x - seg.first.x, ds = seg.second.s - seg.first.s;
    const double length2 = dx * dx + ds * ds;
    if (length2 == 0) return;
    const double length = std::sqrt(length2);
    auto offLine = [&](SheetPoint p) { return std::fabs(dx * (p.s - seg.first.s) - ds * (p.x - seg.first.x)) / length; };
    if (offLine(other.first) > kSameLine || offLine(other.second) > kSameLine) return;
    auto along = [&](SheetPoint p) { return (dx * (p.x - seg.first.x) + ds * (p.s - seg.first.s)) / length2; };
    const double a = std::min(along(other.first), along(other.second)), b = std::max(along(other.first), along(other.second));
    std::vector<Span> kept;
    for (const Span& s : spans) {
        if (b <= s.first || a >= s.second) {
            kept.push_back(s);
            continue;
        }
        if (a > s.first) kept.emplace_back(s.first, a);
        if (b < s.second) kept.emplace_back(b, s.second);
    }
    spans.swap(kept);
}

SheetPoint Lerp(const Segment& seg, double t) {
    return {seg.first.x + t * (seg.second.x - seg.first.x), seg.first.s + t * (seg.second.s - seg.first.s)};
}

void PushVertex(std::vector<float>& to, const Vertex& v) {
    to.push_back(static_cast<float>(v.x));
    to.push_back(static_cast<float>(v.y));
    to.push_back(static_cast<float>(v.z));
}

class Deriver {
public:
    Deriver(const Sheet& sheet, GeometryBlock& block) : sheet_(sheet), block_(block) {}

    void Faces(const SheetPiece& piece, FaceColorRole role, SheetBand band = {}) {
        for (const SheetTriangle& t : TriangulatePiece(piece, kViewFlattening, band)) {
            for (const SheetPoint& p : {t.a, t.b, t.c, t.c}) PushVertex(block_.facePositions, At(piece, p));
            block_.faceRoles.push_back(role);
        }
    }

    void Line(const SheetPiece& piece, SheetPoint a, SheetPoint b) {
        PushVertex(block_.linePositions, At(piece, a));
        PushVertex(block_.linePositions, At(piece, b));
    }

private:
    Vertex At(const SheetPiece& piece, SheetPoint p) const { return SheetViewPoint(sheet_, PlacePoint(piece, p)); }

    const Sheet& sheet_;
    GeometryBlock& block_;
};

bool Beyond(const ClosedEdgeOnPiece& edge, SheetPoint p) {
    constexpr double kHair = 1e-9;
    return edge.beyondIsAbove ? p.s > edge.s + kHair : p.s < edge.s - kHair;
}

}  // namespace

ClosedEdgeOnPiece ClosedEdge(const SheetPiece& piece, double half) {
    if (piece.plane == PiecePlane::Horizontal) return {half - 2 * piece.level, true};
    return {2 * piece.level - half, false};
}

void DeriveSheetGeometry(const ShownSheet& shown, bool closingCheck, GeometryBlock& block) {
    block.facePositions.clear();
    block.faceColors.clear();
    block.faceRoles.clear();
    block.linePositions.clear();
    block.outlineEachFace = false;
    if (!shown.sheet) return;
    const Sheet& sheet = *shown.sheet;
    Deriver out(sheet, block);

    for (std::size_t k = 0; k < sheet.pieces.size(); ++k) {
        const SheetPiece& piece = sheet.pieces[k];
        const bool invalid = k < shown.invalidPieces.size() && shown.invalidPieces[k];
        const FaceColorRole role = invalid                                ? FaceColorRole::InvalidFace
                                   : piece.plane == PiecePlane::Vertical ? FaceColorRole::VerticalFace
                                                                          : FaceColorRole::HorizontalFace;
        // The validity check's red wins over the closing check's amber, as on a grid card.
        if (!closingCheck || invalid) {
            out.Faces(piece, role);
            continue;
        }
        const ClosedEdgeOnPiece edge = ClosedEdge(piece, sheet.half);
        bool sticksOut = false;
        for (const SheetPath& loop : piece.loops)
            for (const SheetPoint& p : FlattenPath(loop, kViewFlattening)) sticksOut = sticksOut || Beyond(edge, p);
        if (!sticksOut) {
            out.Faces(piece, role);
            continue;
        }
        SheetBand inside, beyond;
        (edge.beyondIsAbove ? inside.hi : inside.lo) = edge.s;
        (edge.beyondIsAbove ? beyond.lo : beyond.hi) = edge.s;
        out.Faces(piece, role, inside);
        out.Faces(piece, FaceColorRole::SticksOut, beyond);
    }

    // Outlines: every piece's boundary, where a seam does not carry the paper on.
    std::vector<std::vector<int>> seamed(sheet.pieces.size());
    for (const PieceJoin& join : sheet.joins) {
        if (join.kind != PieceJoin::Kind::Seam) continue;
        const auto n = static_cast<int>(sheet.pieces.size());
        if (join.first < 0 || join.second < 0 || join.first >= n || join.second >= n) continue;
        seamed[static_cast<std::size_t>(join.first)].push_back(join.second);
        seamed[static_cast<std::size_t>(join.second)].push_back(join.first);
    }
    std::vector<std::vector<Segment>> boundaries;
    for (const SheetPiece& piece : sheet.pieces) boundaries.push_back(Boundary(piece));
    std::vector<Span> spans;
    for (std::size_t k = 0; k < sheet.pieces.size(); ++k) {
        for (const Segment& seg : boundaries[k]) {
            spans.assign(1, {0.0, 1.0});
            for (int other : seamed[k])
                for (const Segment& o : boundaries[static_cast<std::size_t>(other)]) Subtract(seg, o, spans);
            for (const Span& s : spans)
                if (s.second - s.first > 1e-9) out.Line(sheet.pieces[k], Lerp(seg, s.first), Lerp(seg, s.second));
        }
    }
}

}  // namespace pw
