#include "view3d/CardGeometry.h"

#include "model/AppSettings.h"
#include "model/CellGrid.h"
#include "model/ClosingCheck.h"

namespace pw {

namespace {

FaceColorRole VerticalRole(std::uint8_t cell) {
    const bool top = (cell & CELL_ANCHORED_TOP) != 0;
    const bool bottom = (cell & CELL_ANCHORED_BOTTOM) != 0;
    return top != bottom ? FaceColorRole::InvalidFace : FaceColorRole::VerticalFace;
}

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
           (settings.drawGrid != 0) != gridDisplay_;
}

FaceColorRole CardGeometry::RoleOf(const CellGrid& grid, int x, int y, int z, bool vertical) const {
    if (vertical) {
        const FaceColorRole role = VerticalRole(grid.GetCell(x, y, z));
        if (role == FaceColorRole::InvalidFace) return role;
    }
    if (closingCheck_ && FaceSticksOut(y, z, grid.gridHeight)) return FaceColorRole::SticksOut;
    return vertical ? FaceColorRole::VerticalFace : FaceColorRole::HorizontalFace;
}

bool CardGeometry::AnythingChanged(const CellGrid& grid, const AppSettings& settings, bool closingCheck) const {
    if (NeedsFullUpdate(grid, settings) || grid.MarksStamp() != marksStamp_ || closingCheck != closingCheck_ ||
        settings.colorPaper0 != colorPaper0_ || settings.colorPaper1 != colorPaper1_ ||
        settings.colorEdge != colorEdge_)
        return true;
    for (int x = 0; x < gridWidth_; ++x)
        if (grid.ColumnStamp(x) != columnStamps_[static_cast<std::size_t>(x)]) return true;
    return false;
}

void CardGeometry::Update(const CellGrid& grid, const AppSettings& settings, bool closingCheck) {
    last_ = UpdateCounts{};
    if (!AnythingChanged(grid, settings, closingCheck)) return;

    const int W = grid.gridWidth;
    const bool full = NeedsFullUpdate(grid, settings);
    if (full) {
        // Nothing of the old blocks can be kept; their memory goes too.
        std::vector<GeometryBlock>(static_cast<std::size_t>(W > 0 ? W : 0)).swap(blocks_);
        gridWidth_ = W;
        gridHeight_ = grid.gridHeight;
        gridDisplay_ = settings.drawGrid != 0;
        columnStamps_.assign(blocks_.size(), 0);
    }
    const bool colours = settings.colorPaper0 != colorPaper0_ || settings.colorPaper1 != colorPaper1_;
    // The closing check's highlight is a matter of roles, as the marks are.
    const bool marks = grid.MarksStamp() != marksStamp_ || closingCheck != closingCheck_;
    closingCheck_ = closingCheck;
    colorPaper0_ = settings.colorPaper0;
    colorPaper1_ = settings.colorPaper1;
    colorEdge_ = settings.colorEdge;
    paper0_ = ToGlColor(colorPaper0_);
    paper1_ = ToGlColor(colorPaper1_);
    edge_ = ToGlColor(colorEdge_);
    marksStamp_ = grid.MarksStamp();

    auto changed = [&](int x) { return full || grid.ColumnStamp(x) != columnStamps_[static_cast<std::size_t>(x)]; };

    order_.clear();
    for (int a = 1; a < W;) {
        int b = 1;
        if (!gridDisplay_)
            while (a + b < W && grid.HasFlag(a + b, 0, 0, COLUMN_SAME_AS_LEFT)) ++b;
        GeometryBlock& block = blocks_[static_cast<std::size_t>(a)];
        // A slab's faces come from its first column and its left edges from
        // the column before it; with the grid display every column stands alone.
        if (block.width != b || changed(a) || (!gridDisplay_ && changed(a - 1))) {
            Derive(block, grid, a, b);
            ++last_.blocksDerived;
        } else if ((colours || marks) && Recolour(block, grid, colours)) {
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

void CardGeometry::Derive(GeometryBlock& block, const CellGrid& grid, int a, int b) {
    const int H = grid.gridHeight;
    const std::size_t columnBytes = static_cast<std::size_t>(H) * H;
    // Cell (x, y, z) is byte (x H + y) H + z: one column is H·H bytes, and
    // each depth in it a run of H heights.
    const std::uint8_t* col = grid.Data() + static_cast<std::size_t>(a) * columnBytes;
    const std::uint8_t* left = col - columnBytes;  // column a - 1
    auto at = [H](const std::uint8_t* c, int y, int z) { return c[static_cast<std::size_t>(y) * H + z]; };

    block.firstColumn = a;
    block.width = b;
    block.outlineEachFace = gridDisplay_;
    block.facePositions.clear();
    block.faceColors.clear();
    block.faceRoles.clear();
    block.linePositions.clear();
    block.revision = ++revisionClock_;

    const double x0 = a, x1 = a + b;
    for (int y = 0; y < H; ++y)
        for (int z = 0; z < H; ++z) {
            const std::uint8_t cell = at(col, y, z);
            if (!(cell & CELL_VERTICAL_FACE)) continue;
            const FaceColorRole role = RoleOf(grid, a, y, z, true);
            PushPoint(block.facePositions, x0, y, z);
            PushPoint(block.facePositions, x1, y, z);
            PushPoint(block.facePositions, x1, y, z + 1);
            PushPoint(block.facePositions, x0, y, z + 1);
            PushColor(block.faceColors, RoleColor(role));
            block.faceRoles.push_back(role);
        }
    for (int y = 0; y < H; ++y)
        for (int z = 0; z < H; ++z) {
            if (!(at(col, y, z) & CELL_HORIZONTAL_FACE)) continue;
            PushPoint(block.facePositions, x0, y, z);
            PushPoint(block.facePositions, x1, y, z);
            PushPoint(block.facePositions, x1, y + 1, z);
            PushPoint(block.facePositions, x0, y + 1, z);
            const FaceColorRole role = RoleOf(grid, a, y, z, false);
            PushColor(block.faceColors, RoleColor(role));
            block.faceRoles.push_back(role);
        }
    if (gridDisplay_) return;  // every face has its own outline instead

    std::vector<float>& lines = block.linePositions;
    auto line = [&lines](double xa, double ya, double za, double xb, double yb, double zb) {
        PushPoint(lines, xa, ya, za);
        PushPoint(lines, xb, yb, zb);
    };
    auto differs = [&](const std::uint8_t* c1, int y1, int z1, const std::uint8_t* c2, int y2, int z2,
                       std::uint8_t flag) { return ((at(c1, y1, z1) ^ at(c2, y2, z2)) & flag) != 0; };
    // Left edges, where the slab's faces differ from the column before it.
    for (int y = 0; y < H; ++y)
        for (int z = 0; z < H; ++z)
            if (differs(left, y, z, col, y, z, CELL_VERTICAL_FACE)) line(x0, y, z, x0, y, z + 1);
    for (int y = 0; y < H; ++y)
        for (int z = 0; z < H; ++z)
            if (differs(left, y, z, col, y, z, CELL_HORIZONTAL_FACE)) line(x0, y, z, x0, y + 1, z);
    // Bottom and top edges of vertical faces, back and front edges of horizontal ones.
    for (int y = 0; y < H; ++y)
        for (int z = 1; z < H; ++z)
            if (differs(col, y, z, col, y, z - 1, CELL_VERTICAL_FACE)) line(x0, y, z, x1, y, z);
    for (int y = 1; y <= H - 2; ++y)
        for (int z = 1; z <= H - 2; ++z)
            if (differs(col, y, z, col, y - 1, z, CELL_HORIZONTAL_FACE)) line(x0, y, z, x1, y, z);
}

bool CardGeometry::Recolour(GeometryBlock& block, const CellGrid& grid, bool all) {
    bool any = false;
    for (std::size_t i = 0; i < block.FaceCount(); ++i) {
        FaceColorRole& role = block.faceRoles[i];
        bool renew = all;
        // A face's corner 0 is its cell: (first column, y, z); a vertical
        // face rises from it in z, a horizontal one reaches forward in y.
        const Vertex v = block.FaceCorner(i, 0), next = block.FaceCorner(i, 2);
        const FaceColorRole now = RoleOf(grid, block.firstColumn, static_cast<int>(v.y), static_cast<int>(v.z),
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
    return n;
}

}  // namespace pw
