#pragma once
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "model/Sheet.h"

namespace pw {

class CellGrid;

// A grid card's sheet, in cells: card column x covers x .. x+1 along the
// crease, the sheet runs from s = 1-H (the back's top edge) to s = H-1 (the
// floor's front edge), a face in cell (x, y, z) stands at depth y-1 and
// height z-1. Columns that share their shape with their left neighbour are
// one group, as the pattern draws them; each group's paper is cut into
// pieces where its plane or level changes, and neighbouring groups' pieces
// of one plane join along a seam. Read from the faces as the last rebuild
// pass left them.
Sheet DeriveGridSheet(const CellGrid& grid);

// The same, kept between changes for one grid object (whose column stamps
// tell what the rebuild pass redid): a column is read again only when its
// faces or its left neighbour's were rebuilt since the last update, and only
// the column groups around the columns that read otherwise than before (or
// joined or left a group) are put together anew, so an edit costs about what
// reading its columns costs, whatever the card's size.
class GridSheetBuilder {
public:
    const Sheet& Update(const CellGrid& grid);
    const Sheet& Current() const { return sheet_; }
    // Hands the sheet over without copying it; the next update builds anew.
    Sheet Release();
    // How many columns the last update read from the grid.
    int ColumnsReadLastUpdate() const { return columnsRead_; }
    // What the last update put together anew: everything, or the pieces of
    // columns firstColumn .. lastColumn, which stand at firstPiece ..
    // firstPiece + pieceCount; the pieces after them moved by pieceShift.
    // Nothing when no column was read.
    struct Change {
        bool whole = false;
        int firstColumn = 0, lastColumn = -1;
        std::size_t firstPiece = 0, pieceCount = 0;
        std::ptrdiff_t pieceShift = 0;
    };
    const Change& LastChange() const { return change_; }

    // One column's paper, read from its faces.
    struct FaceRun {
        PiecePlane plane = PiecePlane::Horizontal;
        int level = 0;
        int s0 = 0, s1 = 0;  // s0 < s1
    };
    struct CrossLine {
        int s = 0;
        SheetEdgeKind kind = SheetEdgeKind::InnerCut;
    };
    struct Column {
        std::vector<FaceRun> runs;         // in increasing s
        std::vector<CrossLine> crossLines;  // folds and cuts across the column, each once
        std::vector<std::pair<int, int>> sideCuts;  // runs s0 .. s1 cut along its left side
    };

    // Working memory of a column read, kept between reads.
    struct ReadScratch {
        struct UnitFace {
            bool present = false;
            PiecePlane plane = PiecePlane::Horizontal;
            int level = 0;
        };
        std::vector<UnitFace> faces;
        std::vector<std::uint8_t> sideCut, seen;
    };

private:
    // Where one column group's share of the sheet lies in its lists.
    struct Group {
        int start = 0, count = 0;  // its columns
        std::size_t pieces = 0, edges = 0, joins = 0;  // first index in each list
        std::size_t pieceCount = 0, edgeCount = 0, joinCount = 0;
    };
    void Reassemble(const CellGrid& grid, int firstChanged, int lastChanged);
    void WriteGroup(const Group& group, const Group* left, std::vector<PieceJoin>& joins);

    std::vector<Column> columns_;
    Column previous_;                 // a column's read before the latest one
    std::vector<char> startsGroup_;   // per column, as it was when last read
    ReadScratch scratch_;
    // Reassemble's working lists, kept so that an edit asks for no memory:
    // pieces and edges a shrinking range gave up, and the joins anew.
    Sheet spare_, part_;
    std::vector<Group> fresh_;
    std::vector<std::uint8_t> foldAt_;  // WriteGroup's, all clear between groups
    std::vector<std::pair<std::uint64_t, std::uint64_t>> keys_;  // stamps of x-1 and x when read
    std::vector<Group> groups_;
    int width_ = -1, height_ = -1;
    int columnsRead_ = 0;
    Change change_;
    Sheet sheet_;
};

}  // namespace pw
