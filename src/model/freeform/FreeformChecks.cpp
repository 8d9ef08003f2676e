#include "model/freeform/FreeformChecks.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "model/freeform/FlatGeometry.h"
#include "model/freeform/Geos.h"
#include "model/freeform/PathBounds.h"

namespace pw {

namespace {

// The pieces' curves are flattened finely here, so that where pieces meet
// along a curve their chords stay within a micrometre or so of each other;
// overlaps and crossings smaller than these are that, not paper used twice.
constexpr double kCheckTolerance = 1e-4;
constexpr double kLeastOverlapArea = 1e-3;
constexpr double kLeastCrossing = 1e-2;

// A piece as a polygon: its first loop the shell, the others holes.
geos::Geometry PiecePolygon(geos::Context& c, const SheetPiece& piece) {
    std::vector<geos::Ring> rings;
    for (const SheetPath& loop : piece.loops) {
        geos::Ring ring = FlattenPath(loop, kCheckTolerance);
        if (ring.size() >= 3) rings.push_back(std::move(ring));
    }
    if (rings.empty()) return geos::Empty(c);
    geos::Ring shell = std::move(rings.front());
    rings.erase(rings.begin());
    return geos::Polygon(c, shell, rings);
}

// The inside of a piece along the sheet line s = at (its boundary left out).
geos::Geometry InsideAlong(geos::Context& c, const geos::Geometry& polygon, double x0, double x1, double at) {
    const geos::Geometry line = geos::LineString(c, {{x0, at}, {x1, at}});
    return geos::Difference(geos::Intersection(polygon, line), geos::Boundary(polygon));
}

// Two pieces meet in the opened card only on the line where the vertical
// one's depth and the horizontal one's height put them both: s = depth - height.
bool Cross(geos::Context& c, const SheetPiece& a, const geos::Geometry& pa, const SheetPiece& b, const geos::Geometry& pb) {
    if (a.plane == b.plane) return false;
    const SheetPiece& vertical = a.plane == PiecePlane::Vertical ? a : b;
    const SheetPiece& horizontal = a.plane == PiecePlane::Vertical ? b : a;
    const double at = vertical.level - horizontal.level;
    double x0, s0, x1, s1;
    geos::Bounds(pa, x0, s0, x1, s1);
    const geos::Geometry both = geos::Intersection(InsideAlong(c, pa, x0 - 1, x1 + 1, at), InsideAlong(c, pb, x0 - 1, x1 + 1, at));
    return geos::Length(both) > kLeastCrossing;
}

bool Raised(const FreeformPieceInfo& info) { return info.role == FreeformPieceRole::Face || info.role == FreeformPieceRole::Roof; }

}  // namespace

std::vector<FlatProblem> CheckFreeformCard(const FreeformCard& card, const FreeformSheet& built) {
    std::vector<FlatProblem> problems;
    if (built.geometryFailed) problems.push_back({FlatProblemKind::GeometryFailed, -1, -1, {}});
    // One problem per rule and flat (or pair), gathering its pieces.
    std::map<std::tuple<FlatProblemKind, int, int>, std::size_t> seen;
    auto report = [&](FlatProblemKind kind, int flat, int other, int piece) {
        const auto key = std::make_tuple(kind, std::min(flat, other < 0 ? flat : other), std::max(flat, other));
        auto it = seen.find(key);
        if (it == seen.end()) {
            it = seen.emplace(key, problems.size()).first;
            problems.push_back({kind, flat, other, {}});
        }
        std::vector<int>& pieces = problems[it->second].pieces;
        if (piece >= 0 && std::find(pieces.begin(), pieces.end(), piece) == pieces.end()) pieces.push_back(piece);
    };

    geos::Context context;
    // A flat that stands on the top of a flat behind it: higher and in front,
    // its paper would have to come from under the other's roof.
    std::vector<std::vector<HorizontalRun>> runs;
    // A hidden flat is no paper: nothing stands on it.
    for (const FreeformFlat& flat : card.flats)
        runs.push_back(flat.hidden ? std::vector<HorizontalRun>{} : HorizontalRuns(context, flat));
    std::vector<int> overhanging(card.flats.size(), -1);
    for (std::size_t i = 0; i < card.flats.size(); ++i)
        for (const HorizontalRun& bottom : runs[i]) {
            if (bottom.top || bottom.z <= 0) continue;
            for (std::size_t k = 0; k < card.flats.size() && overhanging[i] < 0; ++k) {
                if (card.flats[k].depth >= card.flats[i].depth) continue;
                for (const HorizontalRun& top : runs[k])
                    if (top.top && std::fabs(top.z - bottom.z) <= 1e-6 && std::min(top.x1, bottom.x1) - std::max(top.x0, bottom.x0) > 1e-6)
                        overhanging[i] = static_cast<int>(k);
            }
        }

    const std::vector<SheetPiece>& pieces = built.sheet.pieces;
    for (std::size_t p = 0; p < pieces.size(); ++p) {
        const FreeformPieceInfo& info = built.pieces[p];
        if (info.role != FreeformPieceRole::Face) continue;
        const int flat = info.flat;
        if (!info.heldBelow) {
            const int below = overhanging[static_cast<std::size_t>(flat)];
            if (below >= 0) report(FlatProblemKind::Overhang, flat, below, static_cast<int>(p));
            else report(FlatProblemKind::Floats, flat, -1, static_cast<int>(p));
        }
        if (!info.heldAbove) report(FlatProblemKind::NoTopRun, flat, -1, static_cast<int>(p));
    }

    // Paper used twice: raised pieces whose places on the sheet overlap,
    // which, where one is upright and the other level, is where they pass
    // through each other in the opened card.
    std::vector<geos::Geometry> polygons;
    std::vector<double> box;
    for (const SheetPiece& piece : pieces) {
        polygons.push_back(PiecePolygon(context, piece));
        double x0, s0, x1, s1;
        geos::Bounds(polygons.back(), x0, s0, x1, s1);
        box.insert(box.end(), {x0, s0, x1, s1});
    }
    for (std::size_t a = 0; a < pieces.size(); ++a) {
        if (!Raised(built.pieces[a])) continue;
        for (std::size_t b = a + 1; b < pieces.size(); ++b) {
            if (!Raised(built.pieces[b])) continue;
            if (box[4 * a] >= box[4 * b + 2] || box[4 * b] >= box[4 * a + 2] || box[4 * a + 1] >= box[4 * b + 3] ||
                box[4 * b + 1] >= box[4 * a + 3])
                continue;
            if (geos::Area(geos::Intersection(polygons[a], polygons[b])) <= kLeastOverlapArea) continue;
            const FlatProblemKind kind = Cross(context, pieces[a], polygons[a], pieces[b], polygons[b]) ? FlatProblemKind::PiecesCross
                                                                                                       : FlatProblemKind::PaperOverlaps;
            report(kind, built.pieces[a].flat, built.pieces[b].flat, static_cast<int>(a));
            report(kind, built.pieces[a].flat, built.pieces[b].flat, static_cast<int>(b));
        }
    }
    if (context.Failed() && !built.geometryFailed) problems.push_back({FlatProblemKind::GeometryFailed, -1, -1, {}});
    return problems;
}

std::string FlatProblemText(const FreeformCard& card, const FlatProblem& p) {
    const std::string who = p.flat >= 0 ? FlatLabel(card, p.flat) : std::string();
    const std::string other = p.other >= 0 ? FlatLabel(card, p.other) : std::string();
    switch (p.kind) {
        case FlatProblemKind::Floats: return who + " floats with nothing to stand on";
        case FlatProblemKind::NoTopRun: return who + " has no horizontal run along its top to hang a roof from";
        case FlatProblemKind::Overhang: return who + " overhangs " + other + " below it";
        case FlatProblemKind::PaperOverlaps:
            return p.other == p.flat ? "the paper of " + who + " overlaps itself on the sheet"
                                     : "the paper of " + who + " and " + other + " overlaps on the sheet";
        case FlatProblemKind::PiecesCross:
            return p.other == p.flat ? who + " crosses itself in the opened card" : who + " and " + other + " cross in the opened card";
        case FlatProblemKind::GeometryFailed: return "the card's shapes could not be worked out";
    }
    return {};
}

FreeformClosing CheckFreeformClosing(const FreeformCard& card, const FreeformSheet& built) {
    FreeformClosing closing;
    std::vector<bool> out(card.flats.size(), false);
    double worst = 0;
    for (std::size_t p = 0; p < built.sheet.pieces.size(); ++p) {
        const SheetPiece& piece = built.sheet.pieces[p];
        const int flat = built.pieces[p].flat;
        if (flat < 0 || piece.loops.empty()) continue;  // the base stays within the cover
        // y + z is 2 depth - s on an upright piece and s + 2 height on a level
        // one: the reach is at the piece's extreme s, curves included.
        const PathBox b = BoundsOf(piece.loops.front());
        const double reach = piece.plane == PiecePlane::Vertical ? 2 * piece.level - b.s0 : b.s1 + 2 * piece.level;
        const double over = std::round((reach - card.half) * 100) / 100;
        if (over <= 0) continue;
        worst = std::max(worst, over);
        out[static_cast<std::size_t>(flat)] = true;
    }
    closing.overhangMm = worst;
    for (std::size_t i = 0; i < out.size(); ++i)
        if (out[i]) closing.flats.push_back(static_cast<int>(i));
    return closing;
}

std::string FreeformClosingInfoLine(const FreeformCard& card, const FreeformClosing& closing) {
    if (closing.ClosesInside()) return "closes inside: yes";
    // Written by hand: printf's decimal point follows the locale.
    const long long hundredths = std::llround(closing.overhangMm * 100);
    const std::string fraction = std::to_string(hundredths % 100);
    std::string names;
    for (int f : closing.flats) {
        const std::string& name = card.flats[static_cast<std::size_t>(f)].name;
        names += (names.empty() ? "" : ", ") + (name.empty() ? std::to_string(f + 1) : name);
    }
    return "closes inside: no, sticks out by " + std::to_string(hundredths / 100) + "." + (fraction.size() < 2 ? "0" : "") + fraction +
           " mm (" + (closing.flats.size() == 1 ? "flat " : "flats ") + names + ")";
}

}  // namespace pw
