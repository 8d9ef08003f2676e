#include "output/UnfoldedPattern.h"

#include <algorithm>
#include <cmath>

#include "model/GridSheet.h"
#include "model/GridSheetCells.h"
#include "output/LineSurface.h"

namespace pw {

int ToDeviceUnits(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return 2147483647;
    if (value <= -2147483648.0) return -2147483647 - 1;
    return static_cast<int>(value);  // the conversion truncates toward zero
}

int SheetGridWidth(const Sheet& sheet) { return static_cast<int>(std::lround(sheet.maxX)) + 1; }
int SheetGridHeight(const Sheet& sheet) { return static_cast<int>(std::lround(sheet.half)) + 1; }

namespace {

// A face or a line's end by the grid cell it is in.
struct CellAt {
    int y = 0, z = 0;
    PatternInk ink = PatternInk::Cut;
};
bool InCellOrder(const CellAt& a, const CellAt& b) { return a.y != b.y ? a.y < b.y : a.z < b.z; }

// Column x's vertical and horizontal faces, each list in cell order. A
// column's sheet holds at most one face per unit, so this is linear in the
// card's height where a walk over the column's cells is quadratic.
void ColumnFaces(const GridSheetCells& cells, int x, std::vector<CellAt>& vertical, std::vector<CellAt>& horizontal) {
    vertical.clear();
    horizontal.clear();
    const int H = cells.GridHeight();
    for (int k = 1 - H; k <= H - 2; ++k) {
        const GridSheetCells::Cell& c = cells.At(x, k);
        if (c.present) (c.vertical ? vertical : horizontal).push_back({c.y, c.z, PatternInk::Cut});
    }
    std::sort(vertical.begin(), vertical.end(), InCellOrder);
    std::sort(horizontal.begin(), horizontal.end(), InCellOrder);
}

// The cells, in cell order, that hold a face in one of the two columns and
// not in the other: where a cut runs between them.
void Differing(const std::vector<CellAt>& left, const std::vector<CellAt>& right, std::vector<CellAt>& out) {
    out.clear();
    std::size_t i = 0, j = 0;
    while (i < left.size() || j < right.size()) {
        if (j == right.size() || (i < left.size() && InCellOrder(left[i], right[j])))
            out.push_back(left[i++]);
        else if (i == left.size() || InCellOrder(right[j], left[i]))
            out.push_back(right[j++]);
        else
            ++i, ++j;
    }
}

// Works the pattern's lines out of a grid card's sheet and hands them, in
// drawing order, to a sink called as sink(ink, u0, s0, u1, s1): drawing
// straight from here keeps a large card's thousands of lines out of memory.
class PatternBuilder {
public:
    explicit PatternBuilder(const Sheet& sheet) : cells_(sheet) {}

    int GridWidth() const { return cells_.GridWidth(); }
    int GridHeight() const { return cells_.GridHeight(); }

    template <class Sink>
    void Lines(Sink& sink) {
        const int W = cells_.GridWidth();
        int e = 1;
        while (e < W - 1) {
            int n = 1;
            while (e + n <= W - 1 && cells_.SameAsLeft(e + n)) ++n;
            Group(sink, e, n);
            e += n;
        }
    }

    void Outline(PatternLine (&outline)[4]) const {
        const int W = cells_.GridWidth(), H = cells_.GridHeight();
        const auto at = [](int u, int s) { return SheetPoint{static_cast<double>(u), static_cast<double>(s)}; };
        outline[0] = {PatternInk::Cut, at(1, H - 1), at(W - 1, H - 1)};
        outline[1] = {PatternInk::Cut, at(1, 1 - H), at(W - 1, 1 - H)};
        outline[2] = {PatternInk::Cut, at(1, H - 1), at(1, 1 - H)};
        outline[3] = {PatternInk::Cut, at(W - 1, H - 1), at(W - 1, 1 - H)};
    }

private:
    bool V(int x, int y, int z) const { return cells_.HasVerticalFace(x, y, z); }
    bool Hz(int x, int y, int z) const { return cells_.HasHorizontalFace(x, y, z); }

    // The lines of the column group of n columns from e.
    template <class Sink>
    void Group(Sink& sink, int e, int n) {
        const int H = cells_.GridHeight();
        ColumnFaces(cells_, e - 1, leftV_, leftH_);
        ColumnFaces(cells_, e, v_, h_);

        // Side cuts where the group's first column and its left neighbour differ.
        Differing(leftV_, v_, ends_);
        for (const CellAt& c : ends_) sink(PatternInk::Cut, e, c.y - c.z, e, c.y - c.z - 1);
        Differing(leftH_, h_, ends_);
        for (const CellAt& c : ends_) sink(PatternInk::Cut, e, c.y - c.z + 1, e, c.y - c.z);

        // Ends of vertical faces: a fold where a horizontal face meets them.
        // A face begins in its own cell and ends in the cell above it.
        ends_.clear();
        for (const CellAt& f : v_) {
            if (f.y < 1) continue;
            if (f.z >= 1 && !V(e, f.y, f.z - 1))
                ends_.push_back({f.y, f.z, Hz(e, f.y, f.z) ? PatternInk::Valley : PatternInk::Cut});
            const int above = f.z + 1;
            if (above <= H - 1 && !V(e, f.y, above))
                ends_.push_back({f.y, above, Hz(e, f.y - 1, above) ? PatternInk::Mountain : PatternInk::Cut});
        }
        AcrossGroup(sink, e, n);

        // Ends of horizontal faces: a fold where a vertical face meets them.
        // A face begins in its own cell and ends in the cell in front of it.
        ends_.clear();
        for (const CellAt& f : h_) {
            if (f.z < 1) continue;
            if (f.y >= 1 && !Hz(e, f.y - 1, f.z))
                ends_.push_back({f.y, f.z, V(e, f.y, f.z) ? PatternInk::Valley : PatternInk::Cut});
            const int front = f.y + 1;
            if (front <= H - 1 && !Hz(e, front, f.z))
                ends_.push_back({front, f.z, V(e, front, f.z - 1) ? PatternInk::Mountain : PatternInk::Cut});
        }
        AcrossGroup(sink, e, n);
    }

    // The collected ends as lines across the group, in cell order.
    template <class Sink>
    void AcrossGroup(Sink& sink, int e, int n) {
        std::sort(ends_.begin(), ends_.end(), InCellOrder);
        for (const CellAt& c : ends_) sink(c.ink, e, c.y - c.z, e + n, c.y - c.z);
    }

    GridSheetCells cells_;
    std::vector<CellAt> leftV_, leftH_, v_, h_, ends_;
};

class PatternDrawer {
public:
    PatternDrawer(LineSurface& surface, double ox, double oy, double cw, double ch)
        : surface_(surface), ox_(ox), oy_(oy), cw_(cw), ch_(ch) {}

    void Select(PenHandle pen) {
        const PenHandle before = surface_.SelectPen(pen);
        if (!restoreKnown_) {
            restore_ = before;
            restoreKnown_ = true;
        }
    }
    void Segment(const PatternLine& l) {
        surface_.MoveTo(ToDeviceUnits(ox_ + l.from.x * cw_), ToDeviceUnits(oy_ + l.from.s * ch_));
        surface_.LineTo(ToDeviceUnits(ox_ + l.to.x * cw_), ToDeviceUnits(oy_ + l.to.s * ch_));
    }
    void RestorePen() {
        if (restoreKnown_) surface_.SelectPen(restore_);
    }

private:
    LineSurface& surface_;
    double ox_, oy_, cw_, ch_;
    PenHandle restore_ = kStockPen;
    bool restoreKnown_ = false;
};

}  // namespace

UnfoldedPattern UnfoldPattern(const Sheet& sheet) {
    PatternBuilder builder(sheet);
    UnfoldedPattern p;
    p.gridWidth = builder.GridWidth();
    p.gridHeight = builder.GridHeight();
    auto keep = [&p](PatternInk ink, int u0, int s0, int u1, int s1) {
        p.lines.push_back({ink, {static_cast<double>(u0), static_cast<double>(s0)},
                           {static_cast<double>(u1), static_cast<double>(s1)}});
    };
    builder.Lines(keep);
    builder.Outline(p.outline);
    return p;
}

UnfoldedPattern FlattenedPattern(const Sheet& sheet) {
    UnfoldedPattern p;
    const double left = sheet.minX - 1;
    p.gridWidth = static_cast<int>(std::ceil(sheet.maxX - sheet.minX)) + 2;
    p.gridHeight = static_cast<int>(std::ceil(sheet.half)) + 1;
    for (const SheetEdge& edge : sheet.edges) {
        if (edge.kind == SheetEdgeKind::OutlineCut) continue;
        const PatternInk ink = IsCut(edge.kind)                        ? PatternInk::Cut
                               : edge.kind == SheetEdgeKind::Mountain ? PatternInk::Mountain
                                                                      : PatternInk::Valley;
        const std::vector<SheetPoint> points = FlattenPath(edge.path, kFlatteningToleranceMm);
        const std::size_t n = points.size();
        for (std::size_t i = 0; i + 1 < n || (edge.path.closed && i < n && n > 1); ++i) {
            const SheetPoint a = points[i], b = points[(i + 1) % n];
            p.lines.push_back({ink, {a.x - left, a.s}, {b.x - left, b.s}});
        }
    }
    const double x0 = 1, x1 = sheet.maxX - left, h = sheet.half;
    p.outline[0] = {PatternInk::Cut, {x0, h}, {x1, h}};
    p.outline[1] = {PatternInk::Cut, {x1, h}, {x1, -h}};
    p.outline[2] = {PatternInk::Cut, {x1, -h}, {x0, -h}};
    p.outline[3] = {PatternInk::Cut, {x0, -h}, {x0, h}};
    return p;
}

namespace {

// The pens made, the lines drawn by `lines(draw)`, the outline, the pens
// released: the calls every pattern drawing makes.
template <class Lines>
void DrawWithPens(LineSurface& surface, int gridWidth, const PatternLine (&outline)[4], int reverseMode, double ox,
                  double oy, double cw, double ch, Lines&& lines) {
    if (reverseMode != 0) {
        ox = ox + gridWidth * cw;
        cw = -cw;
    }
    PatternDrawer d(surface, ox, oy, cw, ch);
    const PenHandle cut = surface.CreatePen(kCutPen);
    const PenHandle mountain = surface.CreatePen(kMountainPen);
    const PenHandle valley = surface.CreatePen(kValleyPen);
    auto draw = [&](const PatternLine& l) {
        d.Select(l.ink == PatternInk::Cut ? cut : l.ink == PatternInk::Mountain ? mountain : valley);
        d.Segment(l);
    };
    lines(draw);
    d.Select(cut);
    for (const PatternLine& l : outline) d.Segment(l);
    d.RestorePen();
    surface.DeletePen(cut);
    surface.DeletePen(mountain);
    surface.DeletePen(valley);
}

}  // namespace

bool DrawUnfoldedPattern(LineSurface& surface, const UnfoldedPattern& pattern, int reverseMode, double ox,
                         double oy, double cw, double ch) {
    DrawWithPens(surface, pattern.gridWidth, pattern.outline, reverseMode, ox, oy, cw, ch, [&](auto& draw) {
        for (const PatternLine& l : pattern.lines) draw(l);
    });
    return true;
}

bool DrawUnfoldedPattern(LineSurface& surface, const Sheet& sheet, int reverseMode, double ox, double oy,
                         double cw, double ch) {
    PatternBuilder builder(sheet);
    PatternLine outline[4];
    builder.Outline(outline);
    DrawWithPens(surface, builder.GridWidth(), outline, reverseMode, ox, oy, cw, ch, [&](auto& draw) {
        auto line = [&draw](PatternInk ink, int u0, int s0, int u1, int s1) {
            draw(PatternLine{ink, {static_cast<double>(u0), static_cast<double>(s0)},
                             {static_cast<double>(u1), static_cast<double>(s1)}});
        };
        builder.Lines(line);
    });
    return true;
}

bool DrawUnfoldedPattern(LineSurface& surface, const CellGrid& grid, int reverseMode, double ox, double oy,
                         double cw, double ch) {
    return DrawUnfoldedPattern(surface, DeriveGridSheet(grid), reverseMode, ox, oy, cw, ch);
}

}  // namespace pw
