#include "model/freeform/FreeformSheet.h"

#include <algorithm>
#include <cmath>

#include "model/freeform/CurveBook.h"
#include "model/freeform/FlatGeometry.h"
#include "model/freeform/FlatParts.h"
#include "model/freeform/Geos.h"

namespace pw {

namespace {

// A flat behind a roof holds it where its paper goes on above the roof's
// height: looked for a hair above it, so a flat whose top is at that very
// height does not count.
constexpr double kAbove = 1e-6;
// How near a point must be to count as on a piece's boundary.
constexpr double kTouch = 1e-7;
// Pieces thinner than this are rounding, not paper.
constexpr double kLeastArea = 1e-9;

using Span = std::pair<double, double>;

// `from` without `cut`.
std::vector<Span> Without(const std::vector<Span>& from, Span cut) {
    std::vector<Span> out;
    for (const Span& s : from) {
        if (cut.second <= s.first || cut.first >= s.second) {
            out.push_back(s);
            continue;
        }
        if (cut.first > s.first) out.emplace_back(s.first, cut.first);
        if (cut.second < s.second) out.emplace_back(cut.second, s.second);
    }
    return out;
}

SheetPoint Middle(const geos::Geometry& line) {
    const std::vector<SheetPoint> p = geos::LinePoints(line);
    if (p.empty()) return {};
    return {(p.front().x + p.back().x) / 2, (p.front().s + p.back().s) / 2};
}

class Builder {
public:
    Builder(const FreeformCard& card, FlatPartsStore& parts) : card_(card), parts_(parts), context_(parts.Context()) {}
    FreeformSheet Build();

private:
    // A part of the sheet that goes on to a flat behind a roof, at the roof's height.
    struct Landing {
        double x0 = 0, x1 = 0, h = 0;
        int roof = -1;
    };
    struct Fold {
        SheetEdgeKind kind = SheetEdgeKind::Valley;
        geos::Geometry line;
        int a = -1, b = -1;  // the pieces it joins; b -1: a remnant of `remnant`, found once they exist
        FreeformPieceRole remnant = FreeformPieceRole::Floor;
    };

    void BuildFlat(int i);
    void BuildRoof(int i, int face, const HorizontalRun& run);
    int AddPiece(const geos::Geometry& polygon, PiecePlane plane, double level, FreeformPieceInfo info, bool curved);
    // The lines of `line` along piece p's boundary, as folds to `other`.
    bool FoldAlong(int p, const geos::Geometry& line, SheetEdgeKind kind, int other, FreeformPieceRole remnant);
    int PieceTouching(FreeformPieceRole role, SheetPoint p) const;
    void BuildBase();
    // Where two raised pieces in one plane at one level meet edge to edge:
    // the lines between them, and a seam join for each such pair.
    geos::Geometry BuildSeams();
    void BuildEdges();

    const FreeformCard& card_;
    FlatPartsStore& parts_;
    geos::Context& context_;
    CurveBook book_;
    FreeformSheet out_;
    std::vector<geos::Geometry> polygons_;  // each piece's, flattened
    std::vector<geos::Geometry> regions_;   // each flat's paper before anything took part of it
    // Their boxes: a probe that misses a box misses the region, without an overlay.
    struct Box {
        double x0 = 0, s0 = 0, x1 = 0, s1 = 0;
    };
    std::vector<Box> regionBoxes_;
    std::vector<std::vector<HorizontalRun>> runs_;  // each flat's
    std::vector<std::vector<Landing>> landings_;
    std::vector<int> order_;  // the flats from the front
    std::vector<Fold> folds_;
    std::size_t raised_ = 0;  // faces and roofs come first
};

FreeformSheet Builder::Build() {
    const std::size_t n = card_.flats.size();
    out_.sheet.minX = 0;
    out_.sheet.maxX = card_.width;
    out_.sheet.half = card_.half;
    landings_.resize(n);
    for (const FreeformFlat& flat : card_.flats) {
        if (flat.hidden) {
            regions_.push_back(geos::Empty(context_));
            regionBoxes_.emplace_back();
            runs_.emplace_back();
            continue;
        }
        const FlatParts& parts = parts_.PartsOf(flat);
        book_.Add(parts.book);
        regions_.push_back(parts.region.Clone());
        regionBoxes_.push_back({parts.x0, parts.s0, parts.x1, parts.s1});
        runs_.push_back(parts.runs);
    }
    for (std::size_t i = 0; i < n; ++i)
        if (!card_.flats[i].hidden) order_.push_back(static_cast<int>(i));
    std::stable_sort(order_.begin(), order_.end(),
                     [&](int a, int b) { return card_.flats[static_cast<std::size_t>(a)].depth > card_.flats[static_cast<std::size_t>(b)].depth; });
    for (int i : order_) BuildFlat(i);
    raised_ = out_.sheet.pieces.size();
    BuildBase();
    BuildEdges();
    out_.geometryFailed = context_.Failed();
    // The pieces' geometry belongs to the store's context: gone before it may be renewed.
    polygons_.clear();
    regions_.clear();
    folds_.clear();
    parts_.FinishBuild();
    return std::move(out_);
}

int Builder::AddPiece(const geos::Geometry& polygon, PiecePlane plane, double level, FreeformPieceInfo info, bool curved) {
    SheetPiece piece;
    piece.plane = plane;
    piece.level = level;
    for (const geos::Ring& ring : geos::PolygonRings(polygon)) {
        if (curved) {
            piece.loops.push_back(book_.Recover(ring, true));
        } else {
            SheetPath path(ring.front());
            for (std::size_t k = 1; k < ring.size(); ++k) path.LineTo(ring[k]);
            piece.loops.push_back(path.Close());
        }
    }
    out_.sheet.pieces.push_back(std::move(piece));
    out_.pieces.push_back(info);
    polygons_.push_back(polygon.Clone());
    return static_cast<int>(out_.sheet.pieces.size()) - 1;
}

bool Builder::FoldAlong(int p, const geos::Geometry& line, SheetEdgeKind kind, int other, FreeformPieceRole remnant) {
    const geos::Geometry along = geos::MergeLines(geos::Intersection(geos::Boundary(polygons_[static_cast<std::size_t>(p)]), line));
    bool any = false;
    for (geos::Geometry& part : geos::Parts(along)) {
        if (!geos::IsLine(part) || geos::Length(part) < kTouch) continue;
        folds_.push_back({kind, std::move(part), p, other, remnant});
        any = true;
    }
    return any;
}

void Builder::BuildFlat(int i) {
    const FreeformFlat& flat = card_.flats[static_cast<std::size_t>(i)];
    const double d = flat.depth, W = card_.width;
    // Below a roof that reaches this flat its paper is the roof's.
    geos::Geometry paper = regions_[static_cast<std::size_t>(i)].Clone();
    for (const Landing& l : landings_[static_cast<std::size_t>(i)])
        paper = geos::Difference(paper, geos::Rectangle(context_, l.x0, d - l.h, l.x1, d + 1));
    std::vector<int> faces;
    for (const geos::Geometry& part : geos::Parts(paper))
        if (geos::IsPolygon(part) && geos::Area(part) > kLeastArea)
            faces.push_back(AddPiece(part, PiecePlane::Vertical, d, {FreeformPieceRole::Face, i}, true));

    const geos::Geometry floorLine = geos::LineString(context_, {{-1, d}, {W + 1, d}});
    for (int f : faces) {
        FreeformPieceInfo& info = out_.pieces[static_cast<std::size_t>(f)];
        if (FoldAlong(f, floorLine, SheetEdgeKind::Valley, -1, FreeformPieceRole::Floor)) info.heldBelow = true;
        for (const Landing& l : landings_[static_cast<std::size_t>(i)]) {
            const geos::Geometry line = geos::LineString(context_, {{l.x0, d - l.h}, {l.x1, d - l.h}});
            if (FoldAlong(f, line, SheetEdgeKind::Valley, l.roof, FreeformPieceRole::Roof)) info.heldBelow = true;
        }
    }
    for (const HorizontalRun& run : runs_[static_cast<std::size_t>(i)]) {
        if (!run.top) continue;
        const bool off = std::any_of(flat.roofless.begin(), flat.roofless.end(), [&](const FrontPoint& p) {
            return std::fabs(p.z - run.z) <= 1e-6 && p.x >= run.x0 - 1e-6 && p.x <= run.x1 + 1e-6;
        });
        if (off) continue;
        const SheetPoint middle{(run.x0 + run.x1) / 2, d - run.z};
        for (int f : faces)
            if (geos::Distance(geos::Boundary(polygons_[static_cast<std::size_t>(f)]), middle) < kTouch) {
                BuildRoof(i, f, run);
                break;
            }
    }
}

// The roof from a top run back to whatever stands behind it at the run's
// height, span by span along the run: the nearest flat whose paper goes on
// above that height there, or the back. Where a flat in between (or this
// flat itself, above a notch) has paper higher up that the roof would take
// on the sheet, the roof ends under that flat instead, its back edge cut, as
// a grid tunnel's folded-back floor does; under its own flat it is none.
void Builder::BuildRoof(int i, int face, const HorizontalRun& run) {
    const double d = card_.flats[static_cast<std::size_t>(i)].depth, h = run.z;
    const auto here = std::find(order_.begin(), order_.end(), i);
    // Where flat j's paper lies on the sheet between s0 and s1, along the run's spans `open`.
    const auto claim = [&](int j, double s0, double s1, std::vector<Span>& open, std::vector<std::pair<Span, int>>& spans) {
        const Box& box = regionBoxes_[static_cast<std::size_t>(j)];
        if (s0 > s1 || box.x1 <= run.x0 || box.x0 >= run.x1 || s1 < box.s0 || s0 > box.s1) return;
        const geos::Geometry probe = s1 - s0 < 2 * kAbove ? geos::LineString(context_, {{run.x0, s1}, {run.x1, s1}})
                                                          : geos::Rectangle(context_, run.x0, s0, run.x1, s1);
        for (const geos::Geometry& part : geos::Parts(geos::Intersection(regions_[static_cast<std::size_t>(j)], probe))) {
            if (!geos::IsLine(part) && !geos::IsPolygon(part)) continue;
            double x0, ps0, x1, ps1;
            geos::Bounds(part, x0, ps0, x1, ps1);
            for (const Span& o : open) {
                const Span both{std::max(o.first, x0), std::min(o.second, x1)};
                if (both.second > both.first) spans.push_back({both, j});
            }
            open = Without(open, {x0, x1});
        }
    };
    std::vector<Span> open{{run.x0, run.x1}};
    std::vector<std::pair<Span, int>> reached;  // and the flat there, -1 the back
    for (auto it = here + 1; it != order_.end() && !open.empty(); ++it) {
        const double dj = card_.flats[static_cast<std::size_t>(*it)].depth;
        if (dj < d) claim(*it, dj - h - kAbove, dj - h - kAbove, open, reached);
    }
    for (const Span& o : open) reached.push_back({o, -1});
    std::vector<std::pair<Span, int>> spans;
    for (const auto& [span, j] : reached) {
        const double back = j < 0 ? 0 : card_.flats[static_cast<std::size_t>(j)].depth;
        std::vector<Span> rest{span};
        for (auto it = here; it != order_.end() && !rest.empty(); ++it) {
            const double dk = card_.flats[static_cast<std::size_t>(*it)].depth;
            if (*it != i && (dk >= d || dk <= back)) continue;
            std::vector<std::pair<Span, int>> under;
            claim(*it, back - h + kAbove, dk - h - kAbove, rest, under);
            if (*it != i) spans.insert(spans.end(), under.begin(), under.end());
        }
        for (const Span& r : rest) spans.push_back({r, j});
    }

    std::vector<geos::Geometry> rects;
    for (const auto& [span, j] : spans) {
        const double back = j < 0 ? 0 : card_.flats[static_cast<std::size_t>(j)].depth;
        rects.push_back(geos::Rectangle(context_, span.first, back - h, span.second, d - h));
    }
    const geos::Geometry roof = geos::UnionAll(context_, std::move(rects));
    int piece = -1;
    for (const geos::Geometry& part : geos::Parts(roof))
        if (geos::IsPolygon(part) && geos::Area(part) > kLeastArea) {
            const int made = AddPiece(part, PiecePlane::Horizontal, h, {FreeformPieceRole::Roof, i}, false);
            if (piece < 0) piece = made;
        }
    if (piece < 0) return;
    std::vector<geos::Geometry> fronts;
    for (const auto& [span, j] : spans) fronts.push_back(geos::LineString(context_, {{span.first, d - h}, {span.second, d - h}}));
    const geos::Geometry front = geos::MergeLines(geos::UnionAll(context_, std::move(fronts)));
    if (FoldAlong(face, front, SheetEdgeKind::Mountain, piece, FreeformPieceRole::Roof)) out_.pieces[static_cast<std::size_t>(face)].heldAbove = true;
    for (const auto& [span, j] : spans) {
        if (j >= 0) {
            landings_[static_cast<std::size_t>(j)].push_back({span.first, span.second, h, piece});
        } else {
            const geos::Geometry back = geos::LineString(context_, {{span.first, -h}, {span.second, -h}});
            FoldAlong(piece, back, SheetEdgeKind::Valley, -1, FreeformPieceRole::Back);
        }
    }
}

int Builder::PieceTouching(FreeformPieceRole role, SheetPoint p) const {
    for (std::size_t k = raised_; k < out_.pieces.size(); ++k)
        if (out_.pieces[k].role == role && geos::Distance(polygons_[k], p) < kTouch) return static_cast<int>(k);
    return -1;
}

// What the raised paper leaves of the two halves, and the crease between them.
void Builder::BuildBase() {
    const double W = card_.width, L = card_.half;
    std::vector<geos::Geometry> shells;
    for (std::size_t k = 0; k < raised_; ++k) {
        const std::vector<geos::Ring> rings = geos::PolygonRings(polygons_[k]);
        if (!rings.empty() && rings.front().size() >= 3) shells.push_back(geos::Polygon(context_, rings.front(), {}));
    }
    const geos::Geometry raised = geos::UnionAll(context_, std::move(shells));
    for (const geos::Geometry& part : geos::Parts(geos::Difference(geos::Rectangle(context_, 0, 0, W, L), raised)))
        if (geos::IsPolygon(part) && geos::Area(part) > kLeastArea) AddPiece(part, PiecePlane::Horizontal, 0, {FreeformPieceRole::Floor, -1}, true);
    for (const geos::Geometry& part : geos::Parts(geos::Difference(geos::Rectangle(context_, 0, -L, W, 0), raised)))
        if (geos::IsPolygon(part) && geos::Area(part) > kLeastArea) AddPiece(part, PiecePlane::Vertical, 0, {FreeformPieceRole::Back, -1}, true);
    const geos::Geometry crease = geos::MergeLines(geos::Difference(geos::LineString(context_, {{0, 0}, {W, 0}}), raised));
    for (geos::Geometry& part : geos::Parts(crease)) {
        if (!geos::IsLine(part) || geos::Length(part) < kTouch) continue;
        const SheetPoint m = Middle(part);
        folds_.push_back({SheetEdgeKind::Crease, std::move(part), PieceTouching(FreeformPieceRole::Floor, m),
                          PieceTouching(FreeformPieceRole::Back, m), FreeformPieceRole::Back});
    }
    for (Fold& fold : folds_)
        if (fold.b < 0) fold.b = PieceTouching(fold.remnant, Middle(fold.line));
}

// Neighbouring flats' roofs at one height (or faces at one depth) are one
// paper where they meet side by side: a cut there would only part what
// moves together, and a grid card converted to flats has none.
geos::Geometry Builder::BuildSeams() {
    std::vector<Box> boxes(raised_);
    for (std::size_t k = 0; k < raised_; ++k) geos::Bounds(polygons_[k], boxes[k].x0, boxes[k].s0, boxes[k].x1, boxes[k].s1);
    std::vector<geos::Geometry> seams;
    for (std::size_t a = 0; a < raised_; ++a)
        for (std::size_t b = a + 1; b < raised_; ++b) {
            const SheetPiece &pa = out_.sheet.pieces[a], &pb = out_.sheet.pieces[b];
            if (pa.plane != pb.plane || std::fabs(pa.level - pb.level) > kTouch) continue;
            const Box &ba = boxes[a], &bb = boxes[b];
            if (ba.x1 < bb.x0 - kTouch || bb.x1 < ba.x0 - kTouch || ba.s1 < bb.s0 - kTouch || bb.s1 < ba.s0 - kTouch) continue;
            const geos::Geometry shared = geos::Intersection(geos::Boundary(polygons_[a]), geos::Boundary(polygons_[b]));
            bool joined = false;
            for (geos::Geometry& part : geos::Parts(geos::MergeLines(shared))) {
                if (!geos::IsLine(part) || geos::Length(part) < kTouch) continue;
                seams.push_back(std::move(part));
                joined = true;
            }
            if (joined) out_.sheet.joins.push_back({static_cast<int>(a), static_cast<int>(b), PieceJoin::Kind::Seam});
        }
    return geos::UnionAll(context_, std::move(seams));
}

void Builder::BuildEdges() {
    const double W = card_.width, L = card_.half;
    std::vector<geos::Geometry> foldLines;
    foldLines.push_back(BuildSeams());
    for (const Fold& fold : folds_) {
        const std::vector<SheetPoint> p = geos::LinePoints(fold.line);
        // A fold that ends on a curved cut ends on the curve.
        SheetPath path(book_.Snap(p.front(), CurveBook::Keep::S));
        path.LineTo(book_.Snap(p.back(), CurveBook::Keep::S));
        out_.sheet.edges.push_back({fold.kind, path});
        if (fold.a >= 0 && fold.b >= 0) out_.sheet.joins.push_back({fold.a, fold.b, PieceJoin::Kind::Fold});
        // The crease lies on no raised paper's boundary.
        if (fold.kind != SheetEdgeKind::Crease) foldLines.push_back(fold.line.Clone());
    }
    // Every other boundary of raised paper is a cut, each once.
    std::vector<geos::Geometry> boundaries;
    for (std::size_t k = 0; k < raised_; ++k) boundaries.push_back(geos::Boundary(polygons_[k]));
    geos::Geometry cuts = geos::UnionAll(context_, std::move(boundaries));
    cuts = geos::Difference(cuts, geos::UnionAll(context_, std::move(foldLines)));
    // Raised paper seldom reaches the sheet's edge: only then is the edge
    // taken off (it is the outline, cut last).
    double x0 = 0, s0 = 0, x1 = 0, s1 = 0;
    if (!cuts.IsEmpty()) geos::Bounds(cuts, x0, s0, x1, s1);
    if (!cuts.IsEmpty() && (x0 <= 0 || x1 >= W || s0 <= -L || s1 >= L))
        cuts = geos::Difference(cuts, geos::Boundary(geos::Rectangle(context_, 0, -L, W, L)));
    for (const geos::Geometry& part : geos::Parts(geos::MergeLines(cuts))) {
        if (!geos::IsLine(part) || geos::Length(part) < kTouch) continue;
        const std::vector<SheetPoint> p = geos::LinePoints(part);
        out_.sheet.edges.push_back({SheetEdgeKind::InnerCut, book_.Recover(p, p.size() > 2 && p.front() == p.back())});
    }
    SheetPath outline({0, L});
    outline.LineTo({W, L}).LineTo({W, -L}).LineTo({0, -L}).Close();
    out_.sheet.edges.push_back({SheetEdgeKind::OutlineCut, outline});
}

}  // namespace

FreeformSheet BuildFreeformSheet(const FreeformCard& card) {
    FlatPartsStore parts;
    return Builder(card, parts).Build();
}

KeptFlatParts::KeptFlatParts() : store_(std::make_unique<FlatPartsStore>()) {}
KeptFlatParts::~KeptFlatParts() = default;
KeptFlatParts::KeptFlatParts(KeptFlatParts&&) noexcept = default;
KeptFlatParts& KeptFlatParts::operator=(KeptFlatParts&&) noexcept = default;
std::size_t KeptFlatParts::MadeInLastBuild() const { return store_->MadeInLastBuild(); }

FreeformSheet BuildFreeformSheet(const FreeformCard& card, KeptFlatParts& kept) { return Builder(card, kept.Store()).Build(); }

}  // namespace pw
