#include "view3d/CardGeometry.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "model/AppSettings.h"
#include "model/CellGrid.h"
#include "model/ClosingCheck.h"
#include "model/KeptGridSheet.h"

namespace pw {

namespace {

using CellYZ = std::pair<int, int>;  // a cell of one column: depth, height

// The vertical and the horizontal faces of card column x, each by depth,
// then height: the order a walk over the column's cells meets them in. A
// column holds a face per unit of sheet at most, so this reads 2H - 2
// units instead of H·H cells. Going down the units, faces of one depth come
// up in increasing height; a count per depth puts the depths in order.
void ColumnFaces(const GridSheetCells& cells, int x, std::vector<CellYZ>& vertical, std::vector<CellYZ>& horizontal,
                 std::vector<int>& count, std::vector<CellYZ>& met) {
    const int H = cells.GridHeight();
    const std::size_t depths = static_cast<std::size_t>(std::max(H, 0)) + 1;
    const std::size_t units = static_cast<std::size_t>(std::max(2 * H - 2, 0));
    // Both counts in one list, the vertical faces' first; the faces in the
    // order the units meet them, the vertical ones from the front of `met`
    // and the horizontal ones from its back.
    count.assign(2 * depths, 0);
    if (met.size() < units) met.resize(units);
    std::size_t nv = 0, nh = 0;
    for (int k = H - 2; k >= 1 - H; --k) {
        const GridSheetCells::Cell c = cells.At(x, k);
        if (!c.present || c.y < 0 || c.y >= H || c.z < 0 || c.z >= H) continue;
        ++count[(c.vertical ? 0 : depths) + static_cast<std::size_t>(c.y) + 1];
        if (c.vertical)
            met[nv++] = {c.y, c.z};
        else
            met[units - ++nh] = {c.y, c.z};
    }
    // Then by a stable count of depths into their lists.
    auto place = [&](std::vector<CellYZ>& faces, int* at, std::size_t n, bool fromBack) {
        faces.resize(n);
        for (std::size_t y = 1; y < depths; ++y) at[y] += at[y - 1];
        for (std::size_t i = 0; i < n; ++i) {
            const CellYZ f = met[fromBack ? units - 1 - i : i];
            faces[static_cast<std::size_t>(at[f.first]++)] = f;
        }
    };
    place(vertical, count.data(), nv, false);
    place(horizontal, count.data() + depths, nh, true);
}

// The cells where the faces of `a` and `b` differ, in walking order.
void Differing(const std::vector<CellYZ>& a, const std::vector<CellYZ>& b, std::vector<CellYZ>& out) {
    out.clear();
    std::set_symmetric_difference(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(out));
}

void Unique(std::vector<CellYZ>& v) { v.erase(std::unique(v.begin(), v.end()), v.end()); }

void PushPoint(std::vector<float>& to, double x, double y, double z) {
    to.push_back(static_cast<float>(x));
    to.push_back(static_cast<float>(y));
    to.push_back(static_cast<float>(z));
}

void PushColor(std::vector<float>& to, const GlColor& c) {
    for (int k = 0; k < 4; ++k) {
        to.push_back(c.r);
        to.push_back(c.g);
        to.push_back(c.b);
    }
}

void WriteColor(std::vector<float>& to, std::size_t face, const GlColor& c) {
    float* p = to.data() + face * 12;
    for (int k = 0; k < 4; ++k, p += 3) {
        p[0] = c.r;
        p[1] = c.g;
        p[2] = c.b;
    }
}

template <typename T>
std::size_t Bytes(const std::vector<T>& v) {
    return v.capacity() * sizeof(T);
}

}  // namespace

Vertex GeometryBlock::FaceCorner(std::size_t face, int corner) const {
    const float* p = facePositions.data() + face * 12 + static_cast<std::size_t>(corner) * 3;
    return {p[0], p[1], p[2]};
}

GlColor GeometryBlock::FaceColor(std::size_t face) const {
    const float* p = faceColors.data() + face * 12;
    return {p[0], p[1], p[2]};
}

Vertex GeometryBlock::LineEnd(std::size_t line, int end) const {
    const float* p = linePositions.data() + line * 6 + static_cast<std::size_t>(end) * 3;
    return {p[0], p[1], p[2]};
}

GlColor CardGeometry::RoleColor(FaceColorRole role) const {
    switch (role) {
        case FaceColorRole::VerticalFace: return paper0_;
        case FaceColorRole::HorizontalFace: return paper1_;
        case FaceColorRole::InvalidFace: return kInvalidFaceColor;
        case FaceColorRole::SticksOut: return kSticksOutColor;
    }
    return paper0_;
}

bool CardGeometry::NeedsFullUpdate(const CellGrid& grid, const AppSettings& settings) const {
    return grid.gridWidth != gridWidth_ || grid.gridHeight != gridHeight_ ||
           (settings.view.gridDisplay != 0) != gridDisplay_;
}

FaceColorRole CardGeometry::RoleOf(const KeptGridSheet& sheet, int x, int y, int z, bool vertical) const {
    if (vertical && sheet.Anchoring() && sheet.Anchoring()->AnchoredAtOneEnd(x, y, z)) return FaceColorRole::InvalidFace;
    if (closingCheck_ && FaceSticksOut(y, z, gridHeight_)) return FaceColorRole::SticksOut;
    return vertical ? FaceColorRole::VerticalFace : FaceColorRole::HorizontalFace;
}

bool CardGeometry::AnythingChanged(const CellGrid& grid, const KeptGridSheet& sheet, const AppSettings& settings,
                                   bool closingCheck) const {
    if (NeedsFullUpdate(grid, settings) || sheet.MarksRevision() != marksStamp_ || closingCheck != closingCheck_ ||
        settings.colors.verticalFace != colorPaper0_ || settings.colors.horizontalFace != colorPaper1_ ||
        settings.colors.outline != colorEdge_)
        return true;
    for (int x = 0; x < gridWidth_; ++x)
        if (grid.ColumnStamp(x) != columnStamps_[static_cast<std::size_t>(x)]) return true;
    return false;
}

void CardGeometry::Update(const CellGrid& grid, const KeptGridSheet& sheet, const AppSettings& settings,
                          bool closingCheck) {
    last_ = UpdateCounts{};
    if (!AnythingChanged(grid, sheet, settings, closingCheck)) return;

    const int W = grid.gridWidth;
    const bool full = NeedsFullUpdate(grid, settings);
    if (sheetShown_) {
        sheetShown_ = false;
        sheetBlock_ = GeometryBlock{};
    }
    if (full) {
        // Nothing of the old blocks can be kept; their memory goes too.
        std::vector<GeometryBlock>(static_cast<std::size_t>(W > 0 ? W : 0)).swap(blocks_);
        gridWidth_ = W;
        gridHeight_ = grid.gridHeight;
        gridDisplay_ = settings.view.gridDisplay != 0;
        columnStamps_.assign(blocks_.size(), 0);
    }
    const bool colours = settings.colors.verticalFace != colorPaper0_ || settings.colors.horizontalFace != colorPaper1_;
    // The closing check's highlight is a matter of roles, as the marks are.
    const bool marks = sheet.MarksRevision() != marksStamp_ || closingCheck != closingCheck_;
    closingCheck_ = closingCheck;
    colorPaper0_ = settings.colors.verticalFace;
    colorPaper1_ = settings.colors.horizontalFace;
    colorEdge_ = settings.colors.outline;
    paper0_ = ToGlColor(colorPaper0_);
    paper1_ = ToGlColor(colorPaper1_);
    edge_ = ToGlColor(colorEdge_);
    marksStamp_ = sheet.MarksRevision();

    auto changed = [&](int x) { return full || grid.ColumnStamp(x) != columnStamps_[static_cast<std::size_t>(x)]; };

    order_.clear();
    for (int a = 1; a < W;) {
        int b = 1;
        if (!gridDisplay_)
            while (a + b < W && sheet.Cells().SameAsLeft(a + b)) ++b;
        GeometryBlock& block = blocks_[static_cast<std::size_t>(a)];
        // A slab's faces come from its first column and its left edges from
        // the column before it; with the grid display every column stands alone.
        if (block.width != b || changed(a) || (!gridDisplay_ && changed(a - 1))) {
            Derive(block, sheet, a, b);
            ++last_.blocksDerived;
        } else if ((colours || marks) && Recolour(block, sheet, colours)) {
            ++last_.blocksRecoloured;
        }
        order_.push_back(&block);
        // Columns merged into the slab hold no block of their own.
        for (int k = a + 1; k < a + b; ++k)
            if (blocks_[static_cast<std::size_t>(k)].width != 0) blocks_[static_cast<std::size_t>(k)] = GeometryBlock{};
        a += b;
    }
    if (!gridDisplay_) {
        if (full) DeriveFarEdges();
        order_.push_back(&farEdges_);
    }
    for (int x = 0; x < W; ++x) columnStamps_[static_cast<std::size_t>(x)] = grid.ColumnStamp(x);
}

void CardGeometry::Derive(GeometryBlock& block, const KeptGridSheet& sheet, int a, int b) {
    const GridSheetCells& cells = sheet.Cells();
    const int H = gridHeight_;
    block.firstColumn = a;
    block.width = b;
    block.outlineEachFace = gridDisplay_;
    block.facePositions.clear();
    block.faceColors.clear();
    block.faceRoles.clear();
    block.linePositions.clear();
    block.revision = ++revisionClock_;

    // A slab's faces are its first column's; its left edges come from where
    // they differ from the column before it.
    Scratch& t = scratch_;
    std::vector<CellYZ>& vertical = t.vertical;
    std::vector<CellYZ>& horizontal = t.horizontal;
    ColumnFaces(cells, a, vertical, horizontal, t.count, t.met);
    const double x0 = a, x1 = a + b;
    // Every face's corners and colour written in place, into arrays sized
    // once for all of them.
    const std::size_t faces = vertical.size() + horizontal.size();
    block.facePositions.resize(faces * 12);
    block.faceColors.resize(faces * 12);
    block.faceRoles.resize(faces);
    float* position = block.facePositions.data();
    std::size_t face = 0;
    auto corner = [&position](double x, double y, double z) {
        position[0] = static_cast<float>(x);
        position[1] = static_cast<float>(y);
        position[2] = static_cast<float>(z);
        position += 3;
    };
    auto colour = [&](FaceColorRole role) {
        WriteColor(block.faceColors, face, RoleColor(role));
        block.faceRoles[face++] = role;
    };
    for (const auto& [y, z] : vertical) {
        corner(x0, y, z);
        corner(x1, y, z);
        corner(x1, y, z + 1);
        corner(x0, y, z + 1);
        colour(RoleOf(sheet, a, y, z, true));
    }
    for (const auto& [y, z] : horizontal) {
        corner(x0, y, z);
        corner(x1, y, z);
        corner(x1, y + 1, z);
        corner(x0, y + 1, z);
        colour(RoleOf(sheet, a, y, z, false));
    }
    if (gridDisplay_) return;  // every face has its own outline instead

    // Each list of candidate cells below gives a line per cell at most: the
    // array grows to hold that many before the list is walked, the lines are
    // written in place, and the array ends at the last one written.
    std::vector<float>& lines = block.linePositions;
    std::size_t written = 0;
    auto room = [&](std::size_t candidates) {
        if (lines.size() < written + candidates * 6) lines.resize(written + candidates * 6);
    };
    auto line = [&](double xa, double ya, double za, double xb, double yb, double zb) {
        float* p = lines.data() + written;
        p[0] = static_cast<float>(xa), p[1] = static_cast<float>(ya), p[2] = static_cast<float>(za);
        p[3] = static_cast<float>(xb), p[4] = static_cast<float>(yb), p[5] = static_cast<float>(zb);
        written += 6;
    };
    std::vector<CellYZ>& leftVertical = t.leftVertical;
    std::vector<CellYZ>& leftHorizontal = t.leftHorizontal;
    std::vector<CellYZ>& at = t.at;
    ColumnFaces(cells, a - 1, leftVertical, leftHorizontal, t.count, t.met);
    // Left edges, where the slab's faces differ from the column before it.
    Differing(leftVertical, vertical, at);
    room(at.size());
    for (const auto& [y, z] : at) line(x0, y, z, x0, y, z + 1);
    Differing(leftHorizontal, horizontal, at);
    room(at.size());
    for (const auto& [y, z] : at) line(x0, y, z, x0, y + 1, z);
    // Bottom and top edges of vertical faces: where a cell and the one below
    // it differ, which only a face or the cell above one can be (listed so,
    // they come in walking order already).
    at.clear();
    for (const auto& [y, z] : vertical) {
        if (z >= 1) at.emplace_back(y, z);
        if (z + 1 <= H - 1) at.emplace_back(y, z + 1);
    }
    Unique(at);
    room(at.size());
    for (const auto& [y, z] : at)
        if (cells.HasVerticalFace(a, y, z) != cells.HasVerticalFace(a, y, z - 1)) line(x0, y, z, x1, y, z);
    // Back and front edges of horizontal ones, likewise in depth: the faces'
    // cells and the cells in front of them, two lists in walking order merged.
    std::vector<CellYZ>& faceCells = t.faceCells;
    std::vector<CellYZ>& frontCells = t.frontCells;
    faceCells.clear();
    frontCells.clear();
    for (const auto& [y, z] : horizontal) {
        if (z < 1 || z > H - 2) continue;
        if (y >= 1 && y <= H - 2) faceCells.emplace_back(y, z);
        if (y + 1 <= H - 2) frontCells.emplace_back(y + 1, z);
    }
    at.clear();
    std::merge(faceCells.begin(), faceCells.end(), frontCells.begin(), frontCells.end(), std::back_inserter(at));
    Unique(at);
    room(at.size());
    for (const auto& [y, z] : at)
        if (cells.HasHorizontalFace(a, y, z) != cells.HasHorizontalFace(a, y - 1, z)) line(x0, y, z, x1, y, z);
    lines.resize(written);
}

bool CardGeometry::Recolour(GeometryBlock& block, const KeptGridSheet& sheet, bool all) {
    bool any = false;
    for (std::size_t i = 0; i < block.FaceCount(); ++i) {
        FaceColorRole& role = block.faceRoles[i];
        bool renew = all;
        // A face's corner 0 is its cell: (first column, y, z); a vertical
        // face rises from it in z, a horizontal one reaches forward in y.
        const Vertex v = block.FaceCorner(i, 0), next = block.FaceCorner(i, 2);
        const FaceColorRole now = RoleOf(sheet, block.firstColumn, static_cast<int>(v.y), static_cast<int>(v.z),
                                         next.y == v.y);
        if (now != role) {
            role = now;
            renew = true;
        }
        if (!renew) continue;
        const GlColor c = RoleColor(role);
        if (c != block.FaceColor(i)) {
            WriteColor(block.faceColors, i, c);
            any = true;
        }
    }
    if (any) block.revision = ++revisionClock_;
    return any;
}

void CardGeometry::UpdateFromSheet(const ShownSheet& shown, const AppSettings& settings, bool closingCheck) {
    last_ = UpdateCounts{};
    const bool derive = !sheetShown_ || shown.revision != sheetRevision_ || closingCheck != closingCheck_;
    const bool colours = settings.colors.verticalFace != colorPaper0_ || settings.colors.horizontalFace != colorPaper1_;
    if (!derive && !colours && settings.colors.outline == colorEdge_) return;
    if (!sheetShown_) {
        // The grid's blocks go, and a grid card shown next starts afresh.
        std::vector<GeometryBlock>().swap(blocks_);
        columnStamps_.clear();
        gridWidth_ = gridHeight_ = -1;
        sheetShown_ = true;
    }
    closingCheck_ = closingCheck;
    sheetRevision_ = shown.revision;
    colorPaper0_ = settings.colors.verticalFace;
    colorPaper1_ = settings.colors.horizontalFace;
    colorEdge_ = settings.colors.outline;
    paper0_ = ToGlColor(colorPaper0_);
    paper1_ = ToGlColor(colorPaper1_);
    edge_ = ToGlColor(colorEdge_);
    if (derive) {
        DeriveSheetGeometry(shown, closingCheck, sheetBlock_);
        ++last_.blocksDerived;
    } else if (colours) {
        ++last_.blocksRecoloured;
    }
    if (derive || colours) {
        sheetBlock_.faceColors.clear();
        for (const FaceColorRole role : sheetBlock_.faceRoles) PushColor(sheetBlock_.faceColors, RoleColor(role));
    }
    sheetBlock_.revision = ++revisionClock_;
    order_.assign(1, &sheetBlock_);
}

void CardGeometry::DeriveFarEdges() {
    const double W = gridWidth_, H = gridHeight_;
    farEdges_ = GeometryBlock{};
    farEdges_.firstColumn = gridWidth_;
    farEdges_.revision = ++revisionClock_;
    PushPoint(farEdges_.linePositions, 1, 1, H);  // top of the back sheet
    PushPoint(farEdges_.linePositions, W - 1, 1, H);
    PushPoint(farEdges_.linePositions, 1, H, 1);  // front of the floor sheet
    PushPoint(farEdges_.linePositions, W - 1, H, 1);
}

std::size_t CardGeometry::FaceCount() const {
    std::size_t n = 0;
    for (const GeometryBlock* b : order_) n += b->FaceCount();
    return n;
}

std::size_t CardGeometry::LineCount() const {
    std::size_t n = 0;
    for (const GeometryBlock* b : order_) n += b->LineCount();
    return n;
}

std::size_t CardGeometry::ArrayBytes() const {
    std::size_t n = Bytes(blocks_) + Bytes(order_) + Bytes(columnStamps_);
    auto add = [&n](const GeometryBlock& b) {
        n += Bytes(b.facePositions) + Bytes(b.faceColors) + Bytes(b.faceRoles) + Bytes(b.linePositions);
    };
    for (const GeometryBlock& b : blocks_) add(b);
    add(farEdges_);
    add(sheetBlock_);
    return n;
}

}  // namespace pw
