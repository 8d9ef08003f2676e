#pragma once
#include <cstddef>
#include <vector>

#include "model/Sheet.h"

namespace pw {

// A grid card's sheet read back cell by cell, in the grid's own coordinates:
// for what must draw or write a grid card face by face in the order it
// always has (the 3D view's faces and grid lines, the 3D DXF, the pattern's
// pen calls). Built from the sheet's pieces alone: a piece of a grid card's
// sheet is a rectangle of whole cells, horizontal at height h (its faces in
// cells (x, y, h + 1)) or vertical at depth d (cells (x, d + 1, z)), and
// unit k of column x is the sheet from s = k to k + 1.
class GridSheetCells {
public:
    struct Cell {
        bool present = false;
        bool vertical = false;
        int y = 0, z = 0;  // the grid cell holding the face
        int piece = -1;    // index into the sheet's pieces
    };

    GridSheetCells() = default;
    explicit GridSheetCells(const Sheet& sheet);
    // Reads again columns firstColumn .. lastColumn of the sheet after a
    // change that put only their pieces together anew, at firstPiece ..
    // firstPiece + pieceCount, and moved the pieces after them by
    // laterShift (what GridSheetBuilder::LastChange tells): costs what those
    // columns cost, not the card.
    void Renew(const Sheet& sheet, int firstColumn, int lastColumn, std::size_t firstPiece, std::size_t pieceCount,
               std::ptrdiff_t laterShift);

    // W and H of the grid the sheet was derived from.
    int GridWidth() const { return width_; }
    int GridHeight() const { return height_; }

    // The face over unit k (1 - H <= k <= H - 2) of card column x.
    Cell At(int x, int k) const {
        if (x < 0 || x >= width_ || k < 1 - height_ || k > height_ - 2) return Cell{};
        Cell c = cells_[static_cast<std::size_t>(x) * static_cast<std::size_t>(2 * height_ - 2) +
                        static_cast<std::size_t>(k + height_ - 1)];
        if (c.piece >= 0) c.piece += pieceShift_[static_cast<std::size_t>(x)];
        return c;
    }
    // Whether cell (x, y, z) holds a vertical or a horizontal face: what
    // the grid's face flags say, read from the sheet.
    bool HasVerticalFace(int x, int y, int z) const {
        const Cell& c = At(x, y - z - 1);
        return c.present && c.vertical && c.y == y;
    }
    bool HasHorizontalFace(int x, int y, int z) const {
        const Cell& c = At(x, y - z);
        return c.present && !c.vertical && c.z == z;
    }
    // Whether card column x has the shape of column x - 1, so that the two
    // are drawn as one group (the first column of a group is not).
    bool SameAsLeft(int x) const;

private:
    void Place(const SheetPiece& piece, int index);

    int width_ = 0, height_ = 0;
    std::vector<Cell> cells_;        // (x, k) at x * (2H - 2) + k + H - 1
    std::vector<char> groupStarts_;  // per grid column
    // Per grid column, what the pieces of the column moved by since its
    // cells were placed: a change moves the pieces of every column after
    // it, and one number per column follows that instead of every cell.
    std::vector<int> pieceShift_;
};

}  // namespace pw
