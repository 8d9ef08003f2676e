#include "model/ClosingCheck.h"

#include <algorithm>

#include "model/CellGrid.h"

namespace pw {

int ColumnOverhang(const CellGrid& g, int x) {
    const int H = g.gridHeight;
    int worst = 0;
    // Row by row from the front, each row's cells beyond the diagonal
    // y + z = H + 1 from the top down: the first face met is the row's
    // farthest, the cells of a row lie side by side in memory, and a row
    // that cannot reach farther than what was found ends the search.
    for (int y = H - 1; y >= 2 && y - 1 > worst; --y) {
        for (int z = H - 1; z >= H + 1 - y; --z)
            if (g.GetCell(x, y, z) & (CELL_VERTICAL_FACE | CELL_HORIZONTAL_FACE)) {
                worst = std::max(worst, y + z - H);
                break;
            }
    }
    return worst;
}

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

ClosingReport CheckClosing(const CellGrid& g) {
    std::vector<int> overhang(static_cast<std::size_t>(std::max(g.gridWidth, 0)), 0);
    for (int x = 1; x <= g.gridWidth - 2; ++x) overhang[static_cast<std::size_t>(x)] = ColumnOverhang(g, x);
    return ReportOf(overhang, g.gridWidth);
}

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

void ClosingCheck::NoteDirtyColumns(const CellGrid& g) {
    if (!g.gridChanged) return;
    for (int x = 1; x <= g.gridWidth - 2; ++x)
        if (g.IsColumnDirty(x)) dirty_.push_back(x);
}

void ClosingCheck::Update(const CellGrid& g) {
    const int W = g.gridWidth;
    if (W != width_ || g.gridHeight != height_ || overhang_.size() != static_cast<std::size_t>(std::max(W, 0))) {
        width_ = W;
        height_ = g.gridHeight;
        overhang_.assign(static_cast<std::size_t>(std::max(W, 0)), 0);
        for (int x = 1; x <= W - 2; ++x) overhang_[static_cast<std::size_t>(x)] = ColumnOverhang(g, x);
    } else {
        for (int x : dirty_)
            if (x >= 1 && x <= W - 2) overhang_[static_cast<std::size_t>(x)] = ColumnOverhang(g, x);
    }
    dirty_.clear();
    report_ = ReportOf(overhang_, W);
}

void ClosingCheck::Forget() {
    overhang_.clear();
    dirty_.clear();
    width_ = height_ = 0;
    report_ = ClosingReport{};
}

}  // namespace pw
