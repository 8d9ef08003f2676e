#include "model/CellGrid.h"

#include <algorithm>
#include <cstring>

#include "model/CellFlags.h"

namespace pw {

static_assert(CELL_SOLID == 1, "CellGrid::kSolidBit is the solid flag");

void CellGrid::NewCard(int W, int H) {
    std::vector<std::uint8_t>().swap(cells_);
    gridWidth = W;
    gridHeight = H;
    cells_.assign(static_cast<std::size_t>(W) * H * H, 0);
    for (int x = 1; x <= W - 2; ++x) {
        for (int j = 0; j < H; ++j) {
            ChangeCellFlag(x, j, 0, CELL_SOLID, true);
            ChangeCellFlag(x, 0, j, CELL_SOLID, true);
        }
        ChangeCellFlag(x, 0, 0, COLUMN_DIRTY, true);
    }
    stamps_.Reset(W);
    gridChanged = true;
}

void CellGrid::ChangeCellFlag(int x, int y, int z, std::uint8_t flag, bool set) {
    std::uint8_t& cell = cells_[Index(x, y, z)];
    if (set)
        cell |= flag;
    else if (cell & flag)
        cell ^= flag;
}

int CellGrid::HeightAt(int x, int y) const {
    // The heights of one depth are neighbours in memory: eight at a time
    // down to the word that holds the top, then cell by cell.
    const std::uint8_t* row = cells_.data() + Index(x, y, 0);
    constexpr std::uint64_t kSolidEveryByte = 0x0101010101010101ull * kSolidBit;
    int z = gridHeight;
    for (; z >= 8; z -= 8) {
        std::uint64_t word;
        std::memcpy(&word, row + z - 8, sizeof word);
        if (word & kSolidEveryByte) break;
    }
    for (--z; z >= 0; --z)
        if (row[z] & kSolidBit) return z;
    return 0;
}

int CellGrid::DepthAt(int x, int z) const {
    for (int y = gridHeight - 1; y >= 0; --y)
        if (IsSolid(x, y, z)) return y;
    return 0;
}

int CellGrid::MaxHeightUnder(int x, int y, int cursorSize) const {
    int best = -1;
    for (int i = 0; i < cursorSize; ++i)
        for (int j = 0; j < cursorSize; ++j) best = std::max(best, HeightAt(x + i, y + j));
    return best;
}

int CellGrid::MaxDepthUnder(int x, int z, int cursorSize) const {
    int best = -1;
    for (int i = 0; i < cursorSize; ++i)
        for (int j = 0; j < cursorSize; ++j) best = std::max(best, DepthAt(x + i, z + j));
    return best;
}

void CellGrid::RebuildColumn(int x) {
    stamps_.StampColumn(x);
    const int H = gridHeight;
    // Every face of depths 1 and up goes: one run of bytes from cell (x, 1, 0)
    // to the column's end.
    std::uint8_t* column = cells_.data() + Index(x, 0, 0);
    constexpr std::uint8_t kKeep = static_cast<std::uint8_t>(~(CELL_VERTICAL_FACE | CELL_HORIZONTAL_FACE));
    const std::size_t end = static_cast<std::size_t>(H) * H;
    std::size_t i = static_cast<std::size_t>(H);
    // Eight cells a word: the compiler does not do this for a loop of bytes
    // of unknown length at the optimisation level the build uses.
    constexpr std::uint64_t kKeepEveryByte = 0x0101010101010101ull * kKeep;
    for (; i + 8 <= end; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, column + i, sizeof word);
        word &= kKeepEveryByte;
        std::memcpy(column + i, &word, sizeof word);
    }
    for (; i < end; ++i) column[i] &= kKeep;
    // Whether the column has its left neighbour's shape, until a difference
    // shows; once one has, the neighbour need not be read any more.
    bool sameAsLeft = x > 1;

    // Walk from the front edge of the floor back to the back sheet, laying
    // the column's paper strip over the solid cells.
    int prev = 1;
    for (int n = H - 1; n >= 1; --n) {
        const int c = HeightAt(x, n);
        if (sameAsLeft && HeightAt(x - 1, n) != c) sameAsLeft = false;
        ChangeCellFlag(x, n, c + 1, CELL_HORIZONTAL_FACE, true);
        if (prev < c) {
            // A riser in the plane at depth n+1; tunnel heights in it fold
            // their paper back as the tunnel's floor at the run's bottom r.
            int r = prev + 1;
            for (int z = prev + 1; z <= c; ++z) {
                if (sameAsLeft && IsSolid(x - 1, 1, z) != IsSolid(x, 1, z)) sameAsLeft = false;
                if (IsSolid(x, 1, z)) {
                    ChangeCellFlag(x, n + 1, z, CELL_VERTICAL_FACE, true);
                    r = z + 1;
                } else {
                    const int t = n + r - z;
                    if (t > 0)
                        ChangeCellFlag(x, t, r, CELL_HORIZONTAL_FACE, true);
                    else
                        ChangeCellFlag(x, 1, z - n, CELL_VERTICAL_FACE, true);
                }
            }
        }
        prev = c;
    }
    for (int z = HeightAt(x, 1) + 1; z <= H - 1; ++z) ChangeCellFlag(x, 1, z, CELL_VERTICAL_FACE, true);
    ChangeCellFlag(x, 0, 0, COLUMN_SAME_AS_LEFT, sameAsLeft);
}

void CellGrid::MarkColumnsDirty(int first, int count) {
    for (int x = first; x <= first + count; ++x)
        if (x >= 1 && x < gridWidth - 1) ChangeCellFlag(x, 0, 0, COLUMN_DIRTY, true);
}

bool CellGrid::IsColumnDirty(int x) const { return HasFlag(x, 0, 0, COLUMN_DIRTY); }

bool CellGrid::SameShape(const CellGrid& other) const {
    if (gridWidth != other.gridWidth || gridHeight != other.gridHeight) return false;
    for (std::size_t i = 0; i < cells_.size(); ++i)
        if ((cells_[i] & CELL_SOLID) != (other.cells_[i] & CELL_SOLID)) return false;
    return true;
}

}  // namespace pw
