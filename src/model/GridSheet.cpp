#include "model/CellFlags.h"
#include "model/GridSheet.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <iterator>

#include "model/CellGrid.h"

namespace pw {

namespace {

using Column = GridSheetBuilder::Column;

// Eight neighbouring cells as one word, and the face flags in each byte.
std::uint64_t Load8(const std::uint8_t* p) {
    std::uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
constexpr std::uint64_t kEveryByte = 0x0101010101010101ull;
constexpr std::uint64_t kVertical8 = kEveryByte * CELL_VERTICAL_FACE;
constexpr std::uint64_t kHorizontal8 = kEveryByte * CELL_HORIZONTAL_FACE;
constexpr std::uint64_t kFaceBits8 = kVertical8 | kHorizontal8;
constexpr std::uint8_t kFaceBits = CELL_VERTICAL_FACE | CELL_HORIZONTAL_FACE;
static_assert(CELL_HORIZONTAL_FACE == 2 * CELL_VERTICAL_FACE, "the face bits are neighbours");
// The vertical face bit of every byte, where a byte's two face bits meet
// after a shift by one.
constexpr std::uint64_t kLowFaceBit8 = kVertical8;

// `word` as Load8 read it, its lowest byte the first cell in memory
// whatever the machine's byte order.
std::uint64_t FirstCellLowest(std::uint64_t word) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    return __builtin_bswap64(word);
#else
    return word;
#endif
}

// The units cut along a column's left side, marked in `sideCut`, as runs.
void JoinSideCuts(const std::vector<std::uint8_t>& sideCut, int H, Column& c) {
    for (std::size_t i = 0; i < sideCut.size(); ++i) {
        if (!sideCut[i]) continue;
        const int k = static_cast<int>(i) - (H - 1);
        if (!c.sideCuts.empty() && c.sideCuts.back().second == k)
            c.sideCuts.back().second = k + 1;
        else
            c.sideCuts.emplace_back(k, k + 1);
    }
}

// Marks in `sideCut` (one byte per unit of sheet) the units cut along
// column x's left side: wherever it and its left neighbour differ in a
// face, found eight cells at a time.
void MarkSideCuts(const CellGrid& g, int x, std::vector<std::uint8_t>& sideCut) {
    const int H = g.gridHeight;
    sideCut.assign(static_cast<std::size_t>(std::max(2 * H - 2, 0)), 0);
    // Column 1's left side is the sheet's outline.
    if (x <= 1) return;
    auto cutSide = [&](int k) {
        if (k >= 1 - H && k <= H - 2) sideCut[static_cast<std::size_t>(k + H - 1)] = 1;
    };
    auto differ = [&](int y, int z, std::uint8_t bits) {
        if (bits & CELL_VERTICAL_FACE) cutSide(y - z - 1);
        if (bits & CELL_HORIZONTAL_FACE) cutSide(y - z);
    };
    const std::size_t columnSize = static_cast<std::size_t>(H) * H;
    const std::uint8_t* cells = g.Data() + static_cast<std::size_t>(x) * columnSize;
    const std::uint8_t* leftCells = cells - columnSize;
    for (int y = 0; y < H; ++y) {
        const std::uint8_t* row = cells + static_cast<std::size_t>(y) * H;
        const std::uint8_t* leftRow = leftCells + static_cast<std::size_t>(y) * H;
        int z = 0;
        for (; z + 8 <= H; z += 8) {
            const std::uint64_t bits = (Load8(row + z) ^ Load8(leftRow + z)) & kFaceBits8;
            // One bit at the bottom of each byte that differs.
            for (std::uint64_t marks = FirstCellLowest((bits | (bits >> 1)) & kLowFaceBit8); marks != 0;
                 marks &= marks - 1) {
                const int at = z + __builtin_ctzll(marks) / 8;
                differ(y, at, (row[at] ^ leftRow[at]) & kFaceBits);
            }
        }
        for (; z < H; ++z) differ(y, z, (row[z] ^ leftRow[z]) & kFaceBits);
    }
}

// Reads column x in one pass over its cells: the faces by the unit of
// sheet they cover (unit k is s = k .. k+1), the lines across the column
// where a face ends (a fold where the paper turns from one plane into the
// other, a cut where it ends with nothing beside it; the crease is the fold
// between the base floor and the base back), and the cuts along its left
// side (MarkSideCuts).
// Reads into `c` and works in `scratch`, both in the memory they already
// have: after the first edits a column read asks for none.
void ReadColumn(const CellGrid& g, int x, Column& c, GridSheetBuilder::ReadScratch& scratch) {
    const int H = g.gridHeight;
    const std::size_t units = static_cast<std::size_t>(std::max(2 * H - 2, 0));
    const auto unitAt = [H](int k) { return static_cast<std::size_t>(k + H - 1); };
    using UnitFace = GridSheetBuilder::ReadScratch::UnitFace;
    std::vector<UnitFace>& faces = scratch.faces;
    faces.assign(units, UnitFace{});
    constexpr int kKinds = 5;
    std::vector<std::uint8_t>& seen = scratch.seen;
    seen.assign(static_cast<std::size_t>(2 * H + 1) * kKinds, 0);

    c.runs.clear();
    c.crossLines.clear();
    c.sideCuts.clear();
    auto put = [&](int k, PiecePlane plane, int level) {
        if (k >= 1 - H && k <= H - 2) faces[unitAt(k)] = {true, plane, level};
    };
    auto line = [&](int s, SheetEdgeKind kind) {
        const std::size_t i = static_cast<std::size_t>(s + H) * kKinds + static_cast<std::size_t>(kind);
        if (seen[i]) return;
        seen[i] = 1;
        c.crossLines.push_back({s, kind});
    };
    const std::size_t columnSize = static_cast<std::size_t>(H) * H;
    const std::uint8_t* cells = g.Data() + static_cast<std::size_t>(x) * columnSize;

    // The faces of depth 0 count for the side cuts alone.
    for (int y = 1; y < H; ++y) {
        const std::uint8_t* row = cells + static_cast<std::size_t>(y) * H;
        const std::uint8_t* behind = row - H;
        auto readCell = [&](int z) {
            const std::uint8_t cell = row[z];
            const bool vertical = cell & CELL_VERTICAL_FACE, horizontal = cell & CELL_HORIZONTAL_FACE;
            if (vertical) put(y - z - 1, PiecePlane::Vertical, y - 1);
            if (horizontal) put(y - z, PiecePlane::Horizontal, z - 1);
            if (z == 0) return;
            const int s = y - z;
            const bool crease = y == 1 && z == 1;
            const bool verticalBelow = row[z - 1] & CELL_VERTICAL_FACE;
            const bool horizontalBehind = behind[z] & CELL_HORIZONTAL_FACE;
            // Where a vertical face begins or ends going up ...
            if (vertical && !verticalBelow)
                line(s, !horizontal ? SheetEdgeKind::InnerCut : crease ? SheetEdgeKind::Crease : SheetEdgeKind::Valley);
            else if (!vertical && verticalBelow)
                line(s, horizontalBehind ? SheetEdgeKind::Mountain : SheetEdgeKind::InnerCut);
            // ... and a horizontal one going forward.
            if (horizontal && !horizontalBehind)
                line(s, !vertical ? SheetEdgeKind::InnerCut : crease ? SheetEdgeKind::Crease : SheetEdgeKind::Valley);
            else if (!horizontal && horizontalBehind)
                line(s, verticalBelow ? SheetEdgeKind::Mountain : SheetEdgeKind::InnerCut);
        };
        // A cell matters when it holds a face, stands right above a vertical
        // one or right in front of a horizontal one.
        auto matters = [&](int z) {
            return ((row[z] & kFaceBits) | (z > 0 ? row[z - 1] & CELL_VERTICAL_FACE : 0) |
                    (behind[z] & CELL_HORIZONTAL_FACE)) != 0;
        };
        if (matters(0)) readCell(0);
        int z = 1;
        // Most cells do not, which eight cells at a time tell at once; the
        // ones that do are read one by one.
        for (; z + 8 <= H; z += 8) {
            const std::uint64_t any = (Load8(row + z) & kFaceBits8) | (Load8(row + z - 1) & kVertical8) |
                                      (Load8(behind + z) & kHorizontal8);
            // One bit at the bottom of each byte that has something.
            for (std::uint64_t marks = FirstCellLowest((any | (any >> 1)) & kLowFaceBit8); marks != 0; marks &= marks - 1)
                readCell(z + __builtin_ctzll(marks) / 8);
        }
        for (; z < H; ++z)
            if (matters(z)) readCell(z);
    }

    for (std::size_t i = 0; i < units; ++i) {
        if (!faces[i].present) continue;
        const int k = static_cast<int>(i) - (H - 1);
        const UnitFace& u = faces[i];
        if (!c.runs.empty() && c.runs.back().s1 == k && c.runs.back().plane == u.plane && c.runs.back().level == u.level)
            c.runs.back().s1 = k + 1;
        else
            c.runs.push_back({u.plane, u.level, k, k + 1});
    }
    MarkSideCuts(g, x, scratch.sideCut);
    JoinSideCuts(scratch.sideCut, H, c);
}

// Reads again only the cuts along column x's left side, for a column whose
// own faces stayed as they were while its left neighbour's changed.
void ReadSideCuts(const CellGrid& g, int x, Column& c, GridSheetBuilder::ReadScratch& scratch) {
    MarkSideCuts(g, x, scratch.sideCut);
    c.sideCuts.clear();
    JoinSideCuts(scratch.sideCut, g.gridHeight, c);
}

// Whether two reads of a column found the same paper and lines.
bool SameColumn(const Column& a, const Column& b) {
    auto sameRun = [](const GridSheetBuilder::FaceRun& p, const GridSheetBuilder::FaceRun& q) {
        return p.plane == q.plane && p.level == q.level && p.s0 == q.s0 && p.s1 == q.s1;
    };
    auto sameLine = [](const GridSheetBuilder::CrossLine& p, const GridSheetBuilder::CrossLine& q) {
        return p.s == q.s && p.kind == q.kind;
    };
    return a.sideCuts == b.sideCuts &&
           std::equal(a.runs.begin(), a.runs.end(), b.runs.begin(), b.runs.end(), sameRun) &&
           std::equal(a.crossLines.begin(), a.crossLines.end(), b.crossLines.begin(), b.crossLines.end(), sameLine);
}

// Makes `path` the lines from `start` through `ends`, in the memory it has.
void SetPath(SheetPath& path, SheetPoint start, std::initializer_list<SheetPoint> ends, bool closed) {
    path.start = start;
    path.segments.resize(ends.size());
    PathSegment* seg = path.segments.data();
    for (SheetPoint end : ends) {
        *seg = PathSegment{};
        seg->end = end;
        ++seg;
    }
    path.closed = closed;
}

SheetPath Rectangle(double x0, double s0, double x1, double s1) {
    SheetPath path;
    SetPath(path, {x0, s0}, {{x1, s0}, {x1, s1}, {x0, s1}}, true);
    return path;
}

bool IsFold(SheetEdgeKind kind) { return !IsCut(kind); }

}  // namespace

Sheet DeriveGridSheet(const CellGrid& grid) {
    GridSheetBuilder builder;
    builder.Update(grid);
    return builder.Release();
}

Sheet GridSheetBuilder::Release() {
    width_ = height_ = -1;
    return std::move(sheet_);
}

const Sheet& GridSheetBuilder::Update(const CellGrid& g) {
    const int W = g.gridWidth;
    const bool whole = W != width_ || g.gridHeight != height_;
    if (whole) {
        width_ = W;
        height_ = g.gridHeight;
        columns_.assign(static_cast<std::size_t>(std::max(W, 0)), Column{});
        keys_.assign(columns_.size(), {0, 0});
        groups_.clear();
        sheet_ = Sheet{};
        sheet_.minX = 1;
        sheet_.maxX = std::max(W - 1, 1);
        sheet_.half = std::max(g.gridHeight - 1, 0);
        if (W >= 3 && g.gridHeight >= 2)
            sheet_.edges.push_back({SheetEdgeKind::OutlineCut, Rectangle(1, g.gridHeight - 1, W - 1, 1 - g.gridHeight)});
    }
    columnsRead_ = 0;
    change_ = Change{};
    startsGroup_.resize(columns_.size(), 0);
    int first = W, last = -1;
    for (int x = 1; x <= W - 2; ++x) {
        const std::pair<std::uint64_t, std::uint64_t> key{g.ColumnStamp(x - 1), g.ColumnStamp(x)};
        auto& kept = keys_[static_cast<std::size_t>(x)];
        if (kept == key && key.second != 0) continue;
        // What was read before stays in `previous_` (in the memory the new
        // read would otherwise ask for), so that a column read again the same
        // as before puts nothing together anew: as the right neighbour of an
        // edit, rebuilt for its group flag alone, mostly is.
        Column& column = columns_[static_cast<std::size_t>(x)];
        bool changed = whole;
        if (kept.second == key.second && key.second != 0) {
            previous_.sideCuts.swap(column.sideCuts);
            ReadSideCuts(g, x, column, scratch_);
            changed = changed || column.sideCuts != previous_.sideCuts;
        } else {
            std::swap(previous_, column);
            ReadColumn(g, x, column, scratch_);
            changed = changed || !SameColumn(column, previous_);
        }
        const char starts = x == 1 || !g.HasFlag(x, 0, 0, COLUMN_SAME_AS_LEFT);
        changed = changed || starts != startsGroup_[static_cast<std::size_t>(x)];
        startsGroup_[static_cast<std::size_t>(x)] = starts;
        kept = key;
        ++columnsRead_;
        if (!changed) continue;
        first = std::min(first, x);
        last = std::max(last, x);
    }
    if (last >= first) Reassemble(g, first, last);
    change_.whole = whole;
    return sheet_;
}

// Puts the columns' groups from the one holding firstChanged to the one
// after lastChanged together again, and splices them into the sheet in
// place of what they were: the groups before keep their indices, the ones
// after move by what the pieces, edges and joins in between grew or shrank.
void GridSheetBuilder::Reassemble(const CellGrid& g, int firstChanged, int lastChanged) {
    const int W = g.gridWidth;
    auto startsGroup = [&](int x) { return x == 1 || !g.HasFlag(x, 0, 0, COLUMN_SAME_AS_LEFT); };
    auto groupEnd = [&](std::size_t i) { return groups_[i].start + groups_[i].count - 1; };

    // The old groups to replace, i0 .. i1, covering columns colA .. colB.
    std::size_t i0 = 0, i1 = 0;
    int colA = 1, colB = W - 2;
    if (!groups_.empty()) {
        while (i0 + 1 < groups_.size() && groupEnd(i0) < firstChanged) ++i0;
        i1 = i0;
        while (i1 + 1 < groups_.size() && groupEnd(i1) < lastChanged) ++i1;
        // One more on the right: its seams join the pieces of the changed ones.
        if (i1 + 1 < groups_.size()) ++i1;
        for (bool moved = true; moved;) {
            moved = false;
            colA = groups_[i0].start;
            colB = groupEnd(i1);
            if (!startsGroup(colA) && i0 > 0) {
                --i0;
                moved = true;
            }
            // The last one must be a group that did not change, whose pieces
            // the seams of the group after it may go on pointing at.
            if (i1 + 1 < groups_.size() && (!startsGroup(colB + 1) || groups_[i1].start <= lastChanged)) {
                ++i1;
                moved = true;
            }
        }
    }
    const bool replacing = !groups_.empty();
    const Group before = replacing ? groups_[i0] : Group{};
    const Group after = replacing ? groups_[i1] : Group{};
    const std::size_t p0 = before.pieces, e0 = before.edges, j0 = before.joins;
    const std::size_t p1 = replacing ? after.pieces + after.pieceCount : 0;
    const std::size_t e1 = replacing ? after.edges + after.edgeCount : 0;
    const std::size_t j1 = replacing ? after.joins + after.joinCount : 0;

    // The groups anew, numbered as they will stand in the sheet: how many
    // pieces and edges each has is known from its first column before any
    // is made.
    std::vector<Group>& fresh = fresh_;
    fresh.clear();
    std::size_t pieceCount = 0, edgeCount = 0;
    for (int e = colA; e <= colB;) {
        Group group;
        group.start = e;
        group.count = 1;
        while (e + group.count <= colB && !startsGroup(e + group.count)) ++group.count;
        const Column& c = columns_[static_cast<std::size_t>(e)];
        group.pieces = p0 + pieceCount;
        group.edges = e0 + edgeCount;
        group.pieceCount = c.runs.size();
        group.edgeCount = c.sideCuts.size() + c.crossLines.size();
        pieceCount += group.pieceCount;
        edgeCount += group.edgeCount;
        fresh.push_back(group);
        e += group.count;
    }
    // The replaced range of each list grows or shrinks to what the new groups
    // need (the tail after it moves once), and the new pieces and edges are
    // written over the old ones in the memory those have. A range that
    // shrinks leaves its surplus as spares for one that grows later.
    constexpr std::size_t kKeptSpares = 256;
    auto resizeRange = [](auto& list, std::size_t from, std::size_t to, std::size_t count, auto& spares) {
        const auto at = [&list](std::size_t i) { return list.begin() + static_cast<std::ptrdiff_t>(i); };
        if (count < to - from) {
            for (std::size_t i = from + count; i < to && spares.size() < kKeptSpares; ++i) spares.push_back(std::move(list[i]));
            list.erase(at(from + count), at(to));
        } else if (count > to - from) {
            const std::size_t more = count - (to - from);
            const std::size_t taken = std::min(more, spares.size());
            const auto firstTaken = spares.end() - static_cast<std::ptrdiff_t>(taken);
            list.insert(at(to), std::make_move_iterator(firstTaken), std::make_move_iterator(spares.end()));
            spares.erase(firstTaken, spares.end());
            list.insert(at(to + taken), more - taken, typename std::decay_t<decltype(list)>::value_type{});
        }
    };
    resizeRange(sheet_.pieces, p0, p1, pieceCount, spare_.pieces);
    resizeRange(sheet_.edges, e0, e1, edgeCount, spare_.edges);  // the outline stays last

    Sheet& part = part_;  // the joins, spliced in below
    part.joins.clear();
    const Group* left = replacing && i0 > 0 ? &groups_[i0 - 1] : nullptr;
    for (Group& group : fresh) {
        const std::size_t joinsBefore = part.joins.size();
        group.joins = j0 + joinsBefore;
        WriteGroup(group, left, part.joins);
        group.joinCount = part.joins.size() - joinsBefore;
        left = &group;
    }

    const auto pieceShift = static_cast<std::ptrdiff_t>(pieceCount) - static_cast<std::ptrdiff_t>(p1 - p0);
    const auto edgeShift = static_cast<std::ptrdiff_t>(edgeCount) - static_cast<std::ptrdiff_t>(e1 - e0);
    const auto joinShift = static_cast<std::ptrdiff_t>(part.joins.size()) - static_cast<std::ptrdiff_t>(j1 - j0);
    // Over the old range first, so that the list's tail moves once at most.
    auto splice = [](auto& list, std::size_t from, std::size_t to, auto& with) {
        const std::size_t common = std::min(to - from, with.size());
        const auto at = list.begin() + static_cast<std::ptrdiff_t>(from + common);
        std::move(with.begin(), with.begin() + static_cast<std::ptrdiff_t>(common), list.begin() + static_cast<std::ptrdiff_t>(from));
        if (with.size() > common)
            list.insert(at, std::make_move_iterator(with.begin() + static_cast<std::ptrdiff_t>(common)),
                        std::make_move_iterator(with.end()));
        else
            list.erase(at, list.begin() + static_cast<std::ptrdiff_t>(to));
    };
    change_ = {false, colA, colB, p0, pieceCount, pieceShift};
    splice(sheet_.joins, j0, j1, part.joins);
    // The groups after point into the last replaced group, which came back
    // unchanged at the end of the new ones, or further on.
    const auto lastKept = static_cast<int>(replacing ? after.pieces : p1);
    const auto shift = static_cast<int>(pieceShift);
    if (shift != 0)
        for (std::size_t j = j1 + static_cast<std::size_t>(joinShift); j < sheet_.joins.size(); ++j) {
            PieceJoin& join = sheet_.joins[j];
            join.first += join.first >= lastKept ? shift : 0;
            join.second += join.second >= lastKept ? shift : 0;
        }

    // The new groups in place of the old ones; the ones after them point
    // as far further on as their pieces, edges and joins moved.
    const std::size_t g0 = replacing ? i0 : 0, g1 = replacing ? i1 + 1 : 0;
    splice(groups_, g0, g1, fresh);
    if (pieceShift != 0 || edgeShift != 0 || joinShift != 0)
        for (std::size_t i = g0 + fresh.size(); i < groups_.size(); ++i) {
            Group& moved = groups_[i];
            moved.pieces = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(moved.pieces) + pieceShift);
            moved.edges = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(moved.edges) + edgeShift);
            moved.joins = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(moved.joins) + joinShift);
        }
}

// One group's pieces and the lines along its left side and across it,
// written over the sheet's pieces and edges at the group's indices (which
// stand ready for as many as it has), and the folds between its pieces and
// the seams to the group on its left, added to `joins`.
void GridSheetBuilder::WriteGroup(const Group& group, const Group* left, std::vector<PieceJoin>& joins) {
    const int e = group.start, n = group.count;
    const Column& c = columns_[static_cast<std::size_t>(e)];

    SheetEdge* edge = sheet_.edges.data() + group.edges;
    auto writeEdge = [&edge](SheetEdgeKind kind, double x0, double s0, double x1, double s1) {
        edge->kind = kind;
        SetPath(edge->path, {x0, s0}, {{x1, s1}}, false);
        ++edge;
    };
    for (const auto& cut : c.sideCuts) writeEdge(SheetEdgeKind::InnerCut, e, cut.first, e, cut.second);
    for (const CrossLine& line : c.crossLines) writeEdge(line.kind, e, line.s, e + n, line.s);

    // Where a fold crosses the column: one flag per line position s, set
    // for this group and cleared after it.
    const int H = static_cast<int>(sheet_.half) + 1;
    foldAt_.resize(static_cast<std::size_t>(2 * H + 1), 0);
    auto foldFlag = [&](int s) -> std::uint8_t& { return foldAt_[static_cast<std::size_t>(std::clamp(s + H, 0, 2 * H))]; };
    for (const CrossLine& line : c.crossLines)
        if (IsFold(line.kind)) foldFlag(line.s) = 1;
    const int base = static_cast<int>(group.pieces);
    for (std::size_t i = 0; i < c.runs.size(); ++i) {
        const FaceRun& run = c.runs[i];
        SheetPiece& piece = sheet_.pieces[group.pieces + i];
        piece.plane = run.plane;
        piece.level = run.level;
        piece.loops.resize(1);
        SetPath(piece.loops.front(), {static_cast<double>(e), static_cast<double>(run.s0)},
                {{static_cast<double>(e + n), static_cast<double>(run.s0)},
                 {static_cast<double>(e + n), static_cast<double>(run.s1)},
                 {static_cast<double>(e), static_cast<double>(run.s1)}},
                true);
        if (i > 0 && c.runs[i - 1].s1 == run.s0 && foldFlag(run.s0))
            joins.push_back({base + static_cast<int>(i) - 1, base + static_cast<int>(i), PieceJoin::Kind::Fold});
    }
    for (const CrossLine& line : c.crossLines) foldFlag(line.s) = 0;
    // Paper that goes on from the group on the left without a cut between.
    if (left) {
        const std::vector<FaceRun>& leftRuns = columns_[static_cast<std::size_t>(left->start)].runs;
        const int leftBase = static_cast<int>(left->pieces);
        for (std::size_t i = 0, j = 0; i < leftRuns.size() && j < c.runs.size();) {
            const FaceRun& a = leftRuns[i];
            const FaceRun& b = c.runs[j];
            if (std::min(a.s1, b.s1) > std::max(a.s0, b.s0) && a.plane == b.plane && a.level == b.level)
                joins.push_back({leftBase + static_cast<int>(i), base + static_cast<int>(j), PieceJoin::Kind::Seam});
            if (a.s1 < b.s1)
                ++i;
            else
                ++j;
        }
    }
}

}  // namespace pw
