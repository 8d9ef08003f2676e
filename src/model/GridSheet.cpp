#include "model/GridSheet.h"

#include <algorithm>
#include <map>

#include "model/CellGrid.h"

namespace pw {

namespace {

using Column = GridSheetBuilder::Column;

struct UnitFace {
    bool present = false;
    PiecePlane plane = PiecePlane::Horizontal;
    int level = 0;
};

// The faces of column x by the unit of sheet they cover: unit k is
// s = k .. k+1, stored at k + H - 1.
std::vector<UnitFace> UnitFaces(const CellGrid& g, int x) {
    const int H = g.gridHeight;
    std::vector<UnitFace> units(static_cast<std::size_t>(std::max(2 * H - 2, 0)));
    auto put = [&](int k, PiecePlane plane, int level) {
        const int i = k + H - 1;
        if (i >= 0 && i < static_cast<int>(units.size())) units[static_cast<std::size_t>(i)] = {true, plane, level};
    };
    for (int y = 1; y < H; ++y)
        for (int z = 0; z < H; ++z) {
            if (g.HasFlag(x, y, z, CELL_VERTICAL_FACE)) put(y - z - 1, PiecePlane::Vertical, y - 1);
            if (g.HasFlag(x, y, z, CELL_HORIZONTAL_FACE)) put(y - z, PiecePlane::Horizontal, z - 1);
        }
    return units;
}

std::vector<GridSheetBuilder::FaceRun> RunsOf(const std::vector<UnitFace>& units, int H) {
    std::vector<GridSheetBuilder::FaceRun> runs;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const UnitFace& u = units[i];
        if (!u.present) continue;
        const int k = static_cast<int>(i) - (H - 1);
        if (!runs.empty() && runs.back().s1 == k && runs.back().plane == u.plane && runs.back().level == u.level)
            runs.back().s1 = k + 1;
        else
            runs.push_back({u.plane, u.level, k, k + 1});
    }
    return runs;
}

// The lines across the column where a face ends: a fold where the paper
// turns from one plane into the other, a cut where it ends with nothing
// beside it. The crease is the fold between the base floor and the base back.
std::vector<GridSheetBuilder::CrossLine> CrossLinesOf(const CellGrid& g, int x) {
    const int H = g.gridHeight;
    std::vector<GridSheetBuilder::CrossLine> lines;
    auto add = [&](int s, SheetEdgeKind kind) {
        for (const auto& l : lines)
            if (l.s == s && l.kind == kind) return;
        lines.push_back({s, kind});
    };
    auto fold = [](bool folded, SheetEdgeKind kind) { return folded ? kind : SheetEdgeKind::InnerCut; };
    for (int y = 1; y < H; ++y)
        for (int z = 1; z < H; ++z) {
            const bool here = g.HasFlag(x, y, z, CELL_VERTICAL_FACE);
            const bool below = g.HasFlag(x, y, z - 1, CELL_VERTICAL_FACE);
            if (here && !below) {
                const bool folded = g.HasFlag(x, y, z, CELL_HORIZONTAL_FACE);
                add(y - z, y == 1 && z == 1 && folded ? SheetEdgeKind::Crease : fold(folded, SheetEdgeKind::Valley));
            } else if (!here && below) {
                add(y - z, fold(g.HasFlag(x, y - 1, z, CELL_HORIZONTAL_FACE), SheetEdgeKind::Mountain));
            }
        }
    for (int y = 1; y < H; ++y)
        for (int z = 1; z < H; ++z) {
            const bool here = g.HasFlag(x, y, z, CELL_HORIZONTAL_FACE);
            const bool behind = g.HasFlag(x, y - 1, z, CELL_HORIZONTAL_FACE);
            if (here && !behind) {
                const bool folded = g.HasFlag(x, y, z, CELL_VERTICAL_FACE);
                add(y - z, y == 1 && z == 1 && folded ? SheetEdgeKind::Crease : fold(folded, SheetEdgeKind::Valley));
            } else if (!here && behind) {
                add(y - z, fold(g.HasFlag(x, y, z - 1, CELL_VERTICAL_FACE), SheetEdgeKind::Mountain));
            }
        }
    return lines;
}

// Cuts along the boundary between columns x-1 and x: wherever one of them
// has a face the other lacks. Empty for a column shaped as its neighbour.
std::vector<std::pair<int, int>> SideCutsOf(const CellGrid& g, int x) {
    const int H = g.gridHeight;
    std::vector<bool> cut(static_cast<std::size_t>(std::max(2 * H - 2, 0)), false);
    auto mark = [&](int k) {
        const int i = k + H - 1;
        if (i >= 0 && i < static_cast<int>(cut.size())) cut[static_cast<std::size_t>(i)] = true;
    };
    for (int y = 0; y < H; ++y)
        for (int z = 0; z < H; ++z) {
            if (g.HasFlag(x - 1, y, z, CELL_VERTICAL_FACE) != g.HasFlag(x, y, z, CELL_VERTICAL_FACE)) mark(y - z - 1);
            if (g.HasFlag(x - 1, y, z, CELL_HORIZONTAL_FACE) != g.HasFlag(x, y, z, CELL_HORIZONTAL_FACE)) mark(y - z);
        }
    std::vector<std::pair<int, int>> runs;
    for (std::size_t i = 0; i < cut.size(); ++i) {
        if (!cut[i]) continue;
        const int k = static_cast<int>(i) - (H - 1);
        if (!runs.empty() && runs.back().second == k)
            runs.back().second = k + 1;
        else
            runs.emplace_back(k, k + 1);
    }
    return runs;
}

Column ReadColumn(const CellGrid& g, int x) {
    Column c;
    c.runs = RunsOf(UnitFaces(g, x), g.gridHeight);
    c.crossLines = CrossLinesOf(g, x);
    if (x > 1) c.sideCuts = SideCutsOf(g, x);  // column 1's left side is the outline
    return c;
}

SheetPath Segment(double x0, double s0, double x1, double s1) { return SheetPath({x0, s0}).LineTo({x1, s1}); }

SheetPath Rectangle(double x0, double s0, double x1, double s1) {
    return SheetPath({x0, s0}).LineTo({x1, s0}).LineTo({x1, s1}).LineTo({x0, s1}).Close();
}

bool IsFold(SheetEdgeKind kind) { return !IsCut(kind); }

}  // namespace

Sheet DeriveGridSheet(const CellGrid& grid) {
    GridSheetBuilder builder;
    return builder.Update(grid);
}

const Sheet& GridSheetBuilder::Update(const CellGrid& g) {
    const int W = g.gridWidth;
    if (W != width_ || g.gridHeight != height_) {
        width_ = W;
        height_ = g.gridHeight;
        columns_.assign(static_cast<std::size_t>(std::max(W, 0)), Column{});
        keys_.assign(columns_.size(), {0, 0});
    }
    columnsRead_ = 0;
    for (int x = 1; x <= W - 2; ++x) {
        const std::pair<std::uint64_t, std::uint64_t> key{g.ColumnStamp(x - 1), g.ColumnStamp(x)};
        auto& kept = keys_[static_cast<std::size_t>(x)];
        if (kept == key && key.second != 0) continue;
        columns_[static_cast<std::size_t>(x)] = ReadColumn(g, x);
        kept = key;
        ++columnsRead_;
    }
    Assemble(g);
    return sheet_;
}

void GridSheetBuilder::Assemble(const CellGrid& g) {
    const int W = g.gridWidth, H = g.gridHeight;
    Sheet sheet;
    sheet.minX = 1;
    sheet.maxX = std::max(W - 1, 1);
    sheet.half = std::max(H - 1, 0);

    // Lines across the groups, kept open while the next group continues them.
    std::map<std::pair<int, SheetEdgeKind>, std::size_t> open;
    std::vector<int> previousPieces;
    const std::vector<FaceRun>* previousRuns = nullptr;

    int e = 1;
    while (e <= W - 2) {
        int n = 1;
        while (e + n <= W - 2 && g.HasFlag(e + n, 0, 0, COLUMN_SAME_AS_LEFT)) ++n;
        const Column& c = columns_[static_cast<std::size_t>(e)];

        for (const auto& cut : c.sideCuts)
            sheet.edges.push_back({SheetEdgeKind::InnerCut, Segment(e, cut.first, e, cut.second)});

        std::map<std::pair<int, SheetEdgeKind>, std::size_t> stillOpen;
        for (const CrossLine& line : c.crossLines) {
            const auto key = std::make_pair(line.s, line.kind);
            auto it = open.find(key);
            if (it != open.end()) {
                sheet.edges[it->second].path.segments.back().end.x = e + n;
                stillOpen[key] = it->second;
            } else {
                stillOpen[key] = sheet.edges.size();
                sheet.edges.push_back({line.kind, Segment(e, line.s, e + n, line.s)});
            }
        }
        open.swap(stillOpen);

        std::vector<int> pieces;
        for (std::size_t i = 0; i < c.runs.size(); ++i) {
            const FaceRun& run = c.runs[i];
            pieces.push_back(static_cast<int>(sheet.pieces.size()));
            SheetPiece piece;
            piece.plane = run.plane;
            piece.level = run.level;
            piece.loops.push_back(Rectangle(e, run.s0, e + n, run.s1));
            sheet.pieces.push_back(std::move(piece));
            if (i > 0 && c.runs[i - 1].s1 == run.s0 &&
                std::any_of(c.crossLines.begin(), c.crossLines.end(),
                            [&](const CrossLine& l) { return l.s == run.s0 && IsFold(l.kind); }))
                sheet.joins.push_back({pieces[i - 1], pieces[i], PieceJoin::Kind::Fold});
        }
        // Paper that goes on from the group before without a cut between.
        if (previousRuns) {
            for (std::size_t i = 0, j = 0; i < previousRuns->size() && j < c.runs.size();) {
                const FaceRun& a = (*previousRuns)[i];
                const FaceRun& b = c.runs[j];
                if (std::min(a.s1, b.s1) > std::max(a.s0, b.s0) && a.plane == b.plane && a.level == b.level)
                    sheet.joins.push_back({previousPieces[i], pieces[j], PieceJoin::Kind::Seam});
                if (a.s1 < b.s1)
                    ++i;
                else
                    ++j;
            }
        }
        previousPieces.swap(pieces);
        previousRuns = &c.runs;
        e += n;
    }

    if (W >= 3 && H >= 2)
        sheet.edges.push_back({SheetEdgeKind::OutlineCut, Rectangle(1, H - 1, W - 1, 1 - H)});
    sheet_ = std::move(sheet);
}

}  // namespace pw
