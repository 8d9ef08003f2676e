#include "model/ClosingCheck.h"

#include <algorithm>
#include <cmath>

#include "model/CellGrid.h"
#include "model/GridSheet.h"
#include "model/GridSheetCells.h"

namespace pw {

double PieceReach(const SheetPiece& piece) {
    if (piece.loops.empty()) return 0;
    double reach = -1e300;
    auto corner = [&](SheetPoint p) {
        const CardPoint c = PlacePoint(piece, p);
        reach = std::max(reach, c.y + c.z);
    };
    const SheetPath& outline = piece.loops.front();
    if (outline.AllStraight()) {
        corner(outline.start);
        for (const PathSegment& seg : outline.segments) corner(seg.end);
    } else {
        for (SheetPoint p : FlattenPath(outline, kFlatteningToleranceMm)) corner(p);
    }
    return reach;
}

int PieceOverhang(const SheetPiece& piece, double half) {
    // A hair of slack, so that a reach computed in floating point right at
    // the edge does not count as a unit beyond it.
    return std::max(0, static_cast<int>(std::ceil(PieceReach(piece) - half - 1e-9)));
}

std::vector<int> ColumnOverhangs(const Sheet& sheet) {
    const int W = static_cast<int>(std::lround(sheet.maxX)) + 1;
    std::vector<int> overhang(static_cast<std::size_t>(std::max(W, 0)), 0);
    for (const SheetPiece& piece : sheet.pieces) {
        if (piece.loops.empty()) continue;
        const int o = PieceOverhang(piece, sheet.half);
        if (o == 0) continue;
        double x0 = piece.loops.front().start.x, x1 = x0;
        for (SheetPoint p : FlattenPath(piece.loops.front(), kFlatteningToleranceMm))
            x0 = std::min(x0, p.x), x1 = std::max(x1, p.x);
        for (int x = std::max(static_cast<int>(std::floor(x0)), 1); x < std::min(static_cast<int>(std::ceil(x1)), W - 1); ++x)
            overhang[static_cast<std::size_t>(x)] = std::max(overhang[static_cast<std::size_t>(x)], o);
    }
    return overhang;
}

int ColumnOverhang(const CellGrid& g, int x) { return ColumnOverhangs(DeriveGridSheet(g))[static_cast<std::size_t>(x)]; }

namespace {

ClosingReport ReportOf(const std::vector<int>& overhang, int W) {
    ClosingReport r;
    for (int x = 1; x <= W - 2; ++x) {
        const int o = overhang[static_cast<std::size_t>(x)];
        if (o <= 0) continue;
        r.overhang = std::max(r.overhang, o);
        if (!r.columnRuns.empty() && r.columnRuns.back().second == x - 1)
            r.columnRuns.back().second = x;
        else
            r.columnRuns.emplace_back(x, x);
    }
    return r;
}

std::string Cells(int n) { return std::to_string(n) + (n == 1 ? " cell" : " cells"); }

bool OneColumn(const std::vector<std::pair<int, int>>& runs) {
    return runs.size() == 1 && runs[0].first == runs[0].second;
}

}  // namespace

ClosingReport ReportOfOverhangs(const std::vector<int>& cardColumnOverhangs) {
    std::vector<int> byGridColumn(cardColumnOverhangs.size() + 2, 0);
    std::copy(cardColumnOverhangs.begin(), cardColumnOverhangs.end(), byGridColumn.begin() + 1);
    return ReportOf(byGridColumn, static_cast<int>(byGridColumn.size()));
}

ClosingReport CheckClosing(const Sheet& sheet) {
    const std::vector<int> overhang = ColumnOverhangs(sheet);
    return ReportOf(overhang, static_cast<int>(overhang.size()));
}

ClosingReport CheckClosing(const CellGrid& g) { return CheckClosing(DeriveGridSheet(g)); }

std::string ColumnRunsText(const std::vector<std::pair<int, int>>& runs) {
    std::string text;
    for (const auto& run : runs) {
        if (!text.empty()) text += ", ";
        text += std::to_string(run.first);
        if (run.second != run.first) text += "-" + std::to_string(run.second);
    }
    return text;
}

std::string ClosingStatusText(const ClosingReport& r) {
    if (r.ClosesInside()) return "The card closes inside its cover.";
    return "Sticks out of the closed card by " + Cells(r.overhang) + (OneColumn(r.columnRuns) ? " in column " : " in columns ") +
           ColumnRunsText(r.columnRuns) + ".";
}

std::string ClosingInfoLine(const ClosingReport& r) {
    if (r.ClosesInside()) return "closes inside: yes";
    return "closes inside: no, sticks out by " + Cells(r.overhang) + (OneColumn(r.columnRuns) ? " (column " : " (columns ") +
           ColumnRunsText(r.columnRuns) + ")";
}

void ClosingCheck::Update(const CellGrid& g, const Sheet& sheet, const GridSheetCells& cells) {
    const int W = g.gridWidth;
    if (W != width_ || g.gridHeight != height_ || overhang_.size() != static_cast<std::size_t>(std::max(W, 0))) {
        width_ = W;
        height_ = g.gridHeight;
        overhang_.assign(static_cast<std::size_t>(std::max(W, 0)), 0);
        stamps_.assign(overhang_.size(), 0);
    }
    const int H = cells.GridHeight();
    for (int x = 1; x <= W - 2; ++x) {
        std::uint64_t& stamp = stamps_[static_cast<std::size_t>(x)];
        if (stamp == g.ColumnStamp(x) && stamp != 0) continue;
        stamp = g.ColumnStamp(x);
        // The column's pieces, each met over a run of its units.
        int worst = 0, last = -1;
        for (int k = 1 - H; k <= H - 2; ++k) {
            const int piece = cells.At(x, k).piece;
            if (piece < 0 || piece == last) continue;
            last = piece;
            worst = std::max(worst, PieceOverhang(sheet.pieces[static_cast<std::size_t>(piece)], sheet.half));
        }
        overhang_[static_cast<std::size_t>(x)] = worst;
    }
    report_ = ReportOf(overhang_, W);
}

void ClosingCheck::Forget() {
    overhang_.clear();
    stamps_.clear();
    width_ = height_ = 0;
    report_ = ClosingReport{};
}

}  // namespace pw
