#include "model/GridSheetCells.h"

#include <algorithm>
#include <cmath>

namespace pw {

namespace {

struct Extent {
    int x0 = 0, x1 = 0, s0 = 0, s1 = 0;
};

// A grid piece's rectangle, from its outline's corners.
Extent ExtentOf(const SheetPiece& piece) {
    const SheetPath& loop = piece.loops.front();
    double x0 = loop.start.x, x1 = x0, s0 = loop.start.s, s1 = s0;
    for (const PathSegment& seg : loop.segments) {
        x0 = std::min(x0, seg.end.x), x1 = std::max(x1, seg.end.x);
        s0 = std::min(s0, seg.end.s), s1 = std::max(s1, seg.end.s);
    }
    return {static_cast<int>(std::lround(x0)), static_cast<int>(std::lround(x1)), static_cast<int>(std::lround(s0)),
            static_cast<int>(std::lround(s1))};
}

}  // namespace

GridSheetCells::GridSheetCells(const Sheet& sheet)
    : width_(static_cast<int>(std::lround(sheet.maxX)) + 1), height_(static_cast<int>(std::lround(sheet.half)) + 1) {
    const int units = std::max(2 * height_ - 2, 0);
    cells_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(units), Cell{});
    groupStarts_.assign(static_cast<std::size_t>(width_), 0);
    for (std::size_t i = 0; i < sheet.pieces.size(); ++i) {
        const SheetPiece& piece = sheet.pieces[i];
        if (piece.loops.empty()) continue;
        const Extent e = ExtentOf(piece);
        const int level = static_cast<int>(std::lround(piece.level));
        const bool vertical = piece.plane == PiecePlane::Vertical;
        if (e.x0 >= 1 && e.x0 < width_) groupStarts_[static_cast<std::size_t>(e.x0)] = 1;
        for (int x = std::max(e.x0, 1); x < std::min(e.x1, width_ - 1); ++x)
            for (int k = std::max(e.s0, 1 - height_); k < std::min(e.s1, height_ - 1); ++k) {
                Cell& c = cells_[static_cast<std::size_t>(x) * units + static_cast<std::size_t>(k + height_ - 1)];
                c.present = true;
                c.vertical = vertical;
                c.piece = static_cast<int>(i);
                // The face of cell (x, y, z) lies over unit y - z - 1 when
                // vertical (at depth y - 1), over unit y - z when horizontal
                // (at height z - 1).
                if (vertical) {
                    c.y = level + 1;
                    c.z = c.y - k - 1;
                } else {
                    c.z = level + 1;
                    c.y = k + c.z;
                }
            }
    }
}

const GridSheetCells::Cell& GridSheetCells::At(int x, int k) const {
    const int units = 2 * height_ - 2;
    if (x < 0 || x >= width_ || k < 1 - height_ || k > height_ - 2) return none_;
    return cells_[static_cast<std::size_t>(x) * static_cast<std::size_t>(units) + static_cast<std::size_t>(k + height_ - 1)];
}

bool GridSheetCells::HasVerticalFace(int x, int y, int z) const {
    const Cell& c = At(x, y - z - 1);
    return c.present && c.vertical && c.y == y;
}

bool GridSheetCells::HasHorizontalFace(int x, int y, int z) const {
    const Cell& c = At(x, y - z);
    return c.present && !c.vertical && c.z == z;
}

bool GridSheetCells::SameAsLeft(int x) const {
    return x > 1 && x < width_ - 1 && groupStarts_[static_cast<std::size_t>(x)] == 0;
}

}  // namespace pw
