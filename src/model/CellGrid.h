#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/ChangeStamps.h"

namespace pw {

// The relief of one card: gridWidth x gridHeight x gridHeight cells addressed
// (x, y, z) = (column, depth, height). Columns 0 and gridWidth-1 are empty
// borders. The solid cells are the user's shape; the face flags are derived
// from them by RebuildColumn. No operation checks its bounds: callers keep to
// 0 <= x < gridWidth and 0 <= y, z < gridHeight.
class CellGrid {
public:
    int gridWidth = 0;   // W: card columns plus two border columns
    int gridHeight = 0;  // H: extent of the depth and of the height axis
    bool gridChanged = true;         // some column is dirty; the next frame rebuilds
    bool cursorResetPending = true;  // the edit cursor must return to (1, 1)

    // Replaces the grid with a flat card of W columns and extent H, every
    // card column dirty. The undo history is the owner's business.
    void NewCard(int W, int H);

    std::uint8_t GetCell(int x, int y, int z) const { return cells_[Index(x, y, z)]; }
    void PutCell(int x, int y, int z, std::uint8_t value) { cells_[Index(x, y, z)] = value; }
    void ChangeCellFlag(int x, int y, int z, std::uint8_t flag, bool set);
    bool IsSolid(int x, int y, int z) const { return (GetCell(x, y, z) & kSolidBit) != 0; }
    // Makes the cell part of the user's shape or not; the faces follow at
    // the column's next rebuild.
    void SetSolid(int x, int y, int z, bool solid) { ChangeCellFlag(x, y, z, kSolidBit, solid); }
    bool HasFlag(int x, int y, int z, std::uint8_t flag) const { return (GetCell(x, y, z) & flag) != 0; }

    // Highest solid z at depth y (0 when none), highest solid y at height z.
    int HeightAt(int x, int y) const;
    int DepthAt(int x, int z) const;
    // Largest HeightAt / DepthAt over the square of side cursorSize at (x, y)
    // or (x, z); -1 when cursorSize < 1.
    int MaxHeightUnder(int x, int y, int cursorSize) const;
    int MaxDepthUnder(int x, int z, int cursorSize) const;

    // Recomputes the face flags and COLUMN_SAME_AS_LEFT of card column x
    // from the solid cells of columns x and x-1.
    void RebuildColumn(int x);

    // Sets COLUMN_DIRTY on columns first .. first+count that are card columns
    // (the border column gridWidth-1 is never marked).
    void MarkColumnsDirty(int first, int count);
    bool IsColumnDirty(int x) const;

    bool Empty() const { return cells_.empty(); }
    std::size_t CellCount() const { return cells_.size(); }
    const std::uint8_t* Data() const { return cells_.data(); }

    // Stamps for caches of what is drawn from the faces (see ChangeStamps):
    // RebuildColumn gives its column a new stamp, NewCard gives one to every
    // column, and whoever rewrites the anchoring marks calls StampMarks.
    std::uint64_t ColumnStamp(int x) const { return stamps_.Column(x); }
    std::uint64_t MarksStamp() const { return stamps_.Marks(); }
    void StampMarks() { stamps_.StampMarks(); }

    // Two grids hold the same card when their sizes and solid cells agree.
    bool SameShape(const CellGrid& other) const;

private:
    // The solid bit of a cell byte (CELL_SOLID); the other bits are the
    // faces and marks the model derives, which nothing outside it reads.
    static constexpr std::uint8_t kSolidBit = 1;
    std::size_t Index(int x, int y, int z) const {
        return (static_cast<std::size_t>(x) * gridHeight + y) * gridHeight + z;
    }
    std::vector<std::uint8_t> cells_;
    ChangeStamps stamps_;
};

}  // namespace pw
