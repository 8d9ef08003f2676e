#include "model/GridSheetCells.h"

#include <algorithm>
#include <cmath>

namespace pw {

namespace {

// The nearest whole number: a grid sheet's coordinates are whole already,
// and this keeps the rounding off the library call a frame pays for.
int Whole(double v) { return v >= 0 ? static_cast<int>(v + 0.5) : -static_cast<int>(-v + 0.5); }

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
    return {Whole(x0), Whole(x1), Whole(s0), Whole(s1)};
}

}  // namespace

GridSheetCells::GridSheetCells(const Sheet& sheet)
    : width_(Whole(sheet.maxX) + 1), height_(Whole(sheet.half) + 1) {
    const int units = std::max(2 * height_ - 2, 0);
    cells_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(units), Cell{});
    groupStarts_.assign(static_cast<std::size_t>(width_), 0);
    pieceShift_.assign(static_cast<std::size_t>(width_), 0);
    for (std::size_t i = 0; i < sheet.pieces.size(); ++i) Place(sheet.pieces[i], static_cast<int>(i));
}

void GridSheetCells::Renew(const Sheet& sheet, int firstColumn, int lastColumn, std::size_t firstPiece,
                           std::size_t pieceCount, std::ptrdiff_t laterShift) {
    const std::size_t units = static_cast<std::size_t>(std::max(2 * height_ - 2, 0));
    const int from = std::max(firstColumn, 0), to = std::min(lastColumn, width_ - 1);
    if (laterShift != 0)
        for (int x = std::max(to + 1, 0); x < width_; ++x) pieceShift_[static_cast<std::size_t>(x)] += static_cast<int>(laterShift);
    for (int x = from; x <= to; ++x) {
        std::fill_n(cells_.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(x) * units),
                    static_cast<std::ptrdiff_t>(units), Cell{});
        groupStarts_[static_cast<std::size_t>(x)] = 0;
        pieceShift_[static_cast<std::size_t>(x)] = 0;
    }
    for (std::size_t i = firstPiece; i < firstPiece + pieceCount && i < sheet.pieces.size(); ++i)
        Place(sheet.pieces[i], static_cast<int>(i));
}

void GridSheetCells::Place(const SheetPiece& piece, int index) {
    if (piece.loops.empty()) return;
    const int units = std::max(2 * height_ - 2, 0);
    const Extent e = ExtentOf(piece);
    const int level = Whole(piece.level);
    const bool vertical = piece.plane == PiecePlane::Vertical;
    if (e.x0 >= 1 && e.x0 < width_) groupStarts_[static_cast<std::size_t>(e.x0)] = 1;
    for (int x = std::max(e.x0, 1); x < std::min(e.x1, width_ - 1); ++x)
        for (int k = std::max(e.s0, 1 - height_); k < std::min(e.s1, height_ - 1); ++k) {
            Cell& c = cells_[static_cast<std::size_t>(x) * units + static_cast<std::size_t>(k + height_ - 1)];
            c.present = true;
            c.vertical = vertical;
            c.piece = index;
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

bool GridSheetCells::SameAsLeft(int x) const {
    return x > 1 && x < width_ - 1 && groupStarts_[static_cast<std::size_t>(x)] == 0;
}

}  // namespace pw
