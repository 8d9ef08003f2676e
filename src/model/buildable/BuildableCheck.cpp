#include "model/buildable/BuildableCheck.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>
#include <utility>

#include "model/buildable/ClosedStack.h"
#include "model/freeform/Geos.h"

namespace pw {

namespace {

// Joins sets of indices; the card's cuts and pieces fall into connected groups.
class Groups {
public:
    explicit Groups(std::size_t n) : parent_(n) { std::iota(parent_.begin(), parent_.end(), std::size_t{0}); }
    std::size_t Find(std::size_t i) {
        while (parent_[i] != i) i = parent_[i] = parent_[parent_[i]];
        return i;
    }
    void Join(std::size_t a, std::size_t b) { parent_[Find(a)] = Find(b); }

private:
    std::vector<std::size_t> parent_;
};

std::vector<SheetPoint> InMm(const SheetPath& path, double unitMm) {
    std::vector<SheetPoint> points = FlattenPath(path, kFlatteningToleranceMm / unitMm);
    for (SheetPoint& p : points) p = {p.x * unitMm, p.s * unitMm};
    if (path.closed && !points.empty()) points.push_back(points.front());
    return points;
}

struct Box {
    double x0 = 0, s0 = 0, x1 = 0, s1 = 0;
    bool Near(const Box& o, double margin) const {
        return x0 - margin <= o.x1 && o.x0 - margin <= x1 && s0 - margin <= o.s1 && o.s0 - margin <= s1;
    }
};

// One connected run of cuts: what the knife cuts without the paper between
// its lines staying whole.
struct CutGroup {
    std::vector<geos::Geometry> lines;
    geos::Geometry joined;
    Box box;
    double length = 0;
    bool outline = false;  // holds the sheet's own edge
};

// The cuts, noded where they meet or cross, in connected groups.
std::vector<CutGroup> GroupCuts(geos::Context& c, const Sheet& sheet, double unitMm) {
    std::vector<geos::Geometry> lines;
    std::vector<geos::Geometry> outlineLines;
    for (const SheetEdge& edge : sheet.edges) {
        if (!IsCut(edge.kind)) continue;
        const auto points = InMm(edge.path, unitMm);
        if (points.size() < 2) continue;
        (edge.kind == SheetEdgeKind::OutlineCut ? outlineLines : lines).push_back(geos::LineString(c, points));
    }
    const std::size_t outlineCount = outlineLines.size();
    for (auto& l : outlineLines) lines.push_back(std::move(l));
    // Their union splits them where they meet, so that meeting lines share an end.
    const geos::Geometry noded = geos::UnionAll(c, std::move(lines));
    geos::Geometry outline = outlineCount ? geos::UnionAll(c, [&] {
        std::vector<geos::Geometry> o;
        for (const SheetEdge& e : sheet.edges)
            if (e.kind == SheetEdgeKind::OutlineCut) o.push_back(geos::LineString(c, InMm(e.path, unitMm)));
        return o;
    }()) : geos::Empty(c);
    std::vector<geos::Geometry> parts = geos::Parts(noded);
    Groups groups(parts.size());
    std::map<std::pair<long long, long long>, std::size_t> ends;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const auto points = geos::LinePoints(parts[i]);
        if (points.empty()) continue;
        for (const SheetPoint& p : {points.front(), points.back()}) {
            // Ends a micrometre apart are one point.
            const std::pair<long long, long long> key{std::llround(p.x * 1000), std::llround(p.s * 1000)};
            const auto [it, fresh] = ends.emplace(key, i);
            if (!fresh) groups.Join(i, it->second);
        }
    }
    std::map<std::size_t, CutGroup> byRoot;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        CutGroup& g = byRoot[groups.Find(i)];
        double x0, s0, x1, s1;
        geos::Bounds(parts[i], x0, s0, x1, s1);
        if (g.lines.empty()) g.box = {x0, s0, x1, s1};
        g.box = {std::min(g.box.x0, x0), std::min(g.box.s0, s0), std::max(g.box.x1, x1), std::max(g.box.s1, s1)};
        g.length += geos::Length(parts[i]);
        if (!outline.IsEmpty() && !g.outline) {
            const auto points = geos::LinePoints(parts[i]);
            const SheetPoint mid{(points.front().x + points.back().x) / 2, (points.front().s + points.back().s) / 2};
            g.outline = geos::Distance(outline, points.front()) < 1e-6 && geos::Distance(outline, mid) < 1e-6;
        }
        g.lines.push_back(std::move(parts[i]));
    }
    std::vector<CutGroup> out;
    for (auto& [root, g] : byRoot) {
        std::vector<geos::Geometry> copies;
        for (const auto& l : g.lines) copies.push_back(l.Clone());
        g.joined = geos::MultiLine(c, std::move(copies));
        out.push_back(std::move(g));
    }
    return out;
}

SheetPoint Middle(const Box& b) { return {(b.x0 + b.x1) / 2, (b.s0 + b.s1) / 2}; }

// Paper between cut groups that do not meet; cuts too short to make.
void CheckCuts(geos::Context& c, const Sheet& sheet, double unitMm, double minMm, std::vector<BuildFinding>& out) {
    const std::vector<CutGroup> groups = GroupCuts(c, sheet, unitMm);
    for (const CutGroup& g : groups)
        if (!g.outline && g.length < minMm) {
            const SheetPoint at = Middle(g.box);
            out.push_back({BuildFault::ShortCut, at.x, at.s, g.length});
        }
    for (std::size_t i = 0; i < groups.size(); ++i)
        for (std::size_t j = i + 1; j < groups.size(); ++j) {
            if (!groups[i].box.Near(groups[j].box, minMm)) continue;
            double d = 0;
            if (!GEOSDistance_r(c.Handle(), groups[i].joined.Get(), groups[j].joined.Get(), &d) || d >= minMm || d <= 0)
                continue;
            GEOSCoordSequence* nearest =
                GEOSNearestPoints_r(c.Handle(), groups[i].joined.Get(), groups[j].joined.Get());
            double ax = 0, as = 0, bx = 0, bs = 0;
            if (nearest) {
                GEOSCoordSeq_getXY_r(c.Handle(), nearest, 0, &ax, &as);
                GEOSCoordSeq_getXY_r(c.Handle(), nearest, 1, &bx, &bs);
                GEOSCoordSeq_destroy_r(c.Handle(), nearest);
            }
            out.push_back({BuildFault::NarrowBridge, (ax + bx) / 2, (as + bs) / 2, d});
        }
}

// Holes narrower than the machine's minimum: the widest circle inside them.
void CheckHoles(geos::Context& c, const Sheet& sheet, double unitMm, double minMm, std::vector<BuildFinding>& out) {
    for (const SheetPiece& piece : sheet.pieces)
        for (std::size_t k = 1; k < piece.loops.size(); ++k) {
            auto ring = InMm(piece.loops[k], unitMm);
            if (ring.size() < 4) continue;
            ring.pop_back();
            const geos::Geometry hole = geos::Polygon(c, ring, {});
            GEOSGeometry* radius = GEOSMaximumInscribedCircle_r(c.Handle(), hole.Get(), kFlatteningToleranceMm);
            if (!radius) continue;
            const geos::Geometry line(c, radius);
            const auto ends = geos::LinePoints(line);
            const double width = 2 * geos::Length(line);
            if (width < minMm && !ends.empty()) out.push_back({BuildFault::NarrowSlit, ends[0].x, ends[0].s, width});
        }
}

double ShellArea(const SheetPiece& piece) {
    if (piece.loops.empty()) return 0;
    const auto ring = FlattenPath(piece.loops[0], kFlatteningToleranceMm);
    double twice = 0;
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const SheetPoint a = ring[i], b = ring[(i + 1) % ring.size()];
        twice += a.x * b.s - b.x * a.s;
    }
    return std::abs(twice) / 2;
}

// Pieces that no fold or paper joins to the largest group: they fall out.
void CheckLoosePieces(const Sheet& sheet, double unitMm, std::vector<BuildFinding>& out) {
    if (sheet.pieces.empty()) return;
    Groups groups(sheet.pieces.size());
    for (const PieceJoin& join : sheet.joins)
        if (join.first >= 0 && join.second >= 0 && static_cast<std::size_t>(join.first) < sheet.pieces.size() &&
            static_cast<std::size_t>(join.second) < sheet.pieces.size())
            groups.Join(static_cast<std::size_t>(join.first), static_cast<std::size_t>(join.second));
    std::map<std::size_t, double> area;
    for (std::size_t i = 0; i < sheet.pieces.size(); ++i) area[groups.Find(i)] += ShellArea(sheet.pieces[i]);
    const std::size_t rest =
        std::max_element(area.begin(), area.end(), [](const auto& a, const auto& b) { return a.second < b.second; })
            ->first;
    std::map<std::size_t, Box> loose;
    for (std::size_t i = 0; i < sheet.pieces.size(); ++i) {
        const std::size_t root = groups.Find(i);
        if (root == rest || sheet.pieces[i].loops.empty()) continue;
        for (const SheetPoint& p : FlattenPath(sheet.pieces[i].loops[0], kFlatteningToleranceMm)) {
            const SheetPoint q{p.x * unitMm, p.s * unitMm};
            auto [it, fresh] = loose.emplace(root, Box{q.x, q.s, q.x, q.s});
            Box& b = it->second;
            if (!fresh) b = {std::min(b.x0, q.x), std::min(b.s0, q.s), std::max(b.x1, q.x), std::max(b.s1, q.s)};
        }
    }
    for (const auto& [root, b] : loose) {
        const SheetPoint at = Middle(b);
        out.push_back({BuildFault::LoosePiece, at.x, at.s, std::max(b.x1 - b.x0, b.s1 - b.s0)});
    }
}

struct FoldLine {
    double s = 0, x0 = 0, x1 = 0;
};

// Every fold runs parallel to the crease, so folds are lines of one s each.
std::vector<FoldLine> FoldLines(const Sheet& sheet, double unitMm) {
    std::vector<FoldLine> folds;
    for (const SheetEdge& edge : sheet.edges) {
        if (IsCut(edge.kind)) continue;
        const auto points = InMm(edge.path, unitMm);
        for (std::size_t i = 0; i + 1 < points.size(); ++i) {
            const SheetPoint a = points[i], b = points[i + 1];
            if (std::abs(a.s - b.s) > 1e-6 || a.x == b.x) continue;
            folds.push_back({a.s, std::min(a.x, b.x), std::max(a.x, b.x)});
        }
    }
    std::sort(folds.begin(), folds.end(), [](const FoldLine& a, const FoldLine& b) { return a.s < b.s; });
    return folds;
}

// Parallel folds nearer than twice the paper: the paper between cannot turn
// twice. Returns the narrowest spacing of overlapping folds (infinity: none).
double CheckFoldSpacing(const std::vector<FoldLine>& folds, double paperMm, std::vector<BuildFinding>& out) {
    double narrowest = INFINITY;
    for (std::size_t i = 0; i < folds.size(); ++i)
        for (std::size_t j = i + 1; j < folds.size(); ++j) {
            const double gap = folds[j].s - folds[i].s;
            if (gap >= 2 * paperMm && gap >= narrowest) break;
            const double x0 = std::max(folds[i].x0, folds[j].x0), x1 = std::min(folds[i].x1, folds[j].x1);
            if (gap <= 1e-9 || x1 - x0 <= 1e-9) continue;
            narrowest = std::min(narrowest, gap);
            if (gap < 2 * paperMm) out.push_back({BuildFault::FoldsTooClose, (x0 + x1) / 2, folds[i].s + gap / 2, gap});
        }
    return narrowest;
}

}  // namespace

BuildableReport CheckBuildable(const Sheet& sheet, double unitMm, const BuildableLimits& limits) {
    BuildableReport report;
    geos::Context c;
    CheckCuts(c, sheet, unitMm, limits.minFeatureMm, report.findings);
    CheckHoles(c, sheet, unitMm, limits.minFeatureMm, report.findings);
    CheckLoosePieces(sheet, unitMm, report.findings);
    const double narrowestFolds = CheckFoldSpacing(FoldLines(sheet, unitMm), limits.paperMm, report.findings);
    if (limits.closedThickness) {
        const ClosedStack stack = StackClosedCard(sheet);
        report.closedLayers = stack.layers;
        report.closedThicknessMm = stack.layers * limits.paperMm;
        // The paper between two folds wraps the stack it closes over; a stack
        // thicker than the narrowest such paper keeps the card from closing flat.
        if (report.closedThicknessMm > narrowestFolds)
            report.findings.push_back(
                {BuildFault::ClosesThick, stack.x * unitMm, stack.s * unitMm, report.closedThicknessMm});
    }
    return report;
}

const char* BuildFaultName(BuildFault fault) {
    switch (fault) {
        case BuildFault::NarrowBridge: return "narrow bridge";
        case BuildFault::LoosePiece: return "loose piece";
        case BuildFault::ShortCut: return "cut too short";
        case BuildFault::NarrowSlit: return "slit too narrow";
        case BuildFault::FoldsTooClose: return "folds too close";
        case BuildFault::ClosesThick: return "does not close flat";
    }
    return "";
}

std::vector<MarkedSpot> FindingSpots(const BuildableReport& report, double unitMm) {
    std::vector<MarkedSpot> spots;
    if (!(unitMm > 0)) return spots;
    for (const BuildFinding& f : report.findings)
        // A closed card's thickness is no place's size: it marks where the stack is deepest.
        spots.push_back({{f.xMm / unitMm, f.sMm / unitMm}, f.fault == BuildFault::ClosesThick ? 0 : f.sizeMm / unitMm / 2});
    return spots;
}

}  // namespace pw
