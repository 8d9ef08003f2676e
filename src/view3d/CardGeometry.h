#pragma once
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "view3d/RenderSink.h"
#include "view3d/SheetGeometry.h"

namespace pw {

struct AppSettings;
class CellGrid;
class GridSheetCells;
class KeptGridSheet;

// The colour of a vertical face that the validity check anchored at one end only.
inline constexpr GlColor kInvalidFaceColor{1.0f, 0.6f, 0.6f};
// Paper that sticks out of the closed card, while the closing check is on:
// amber, so it never reads as the validity check's red.
inline constexpr GlColor kSticksOutColor{1.0f, 0.75f, 0.25f};

// Which setting colours a face. Kept with the face so that a new colour or
// a new validity mark rewrites colours only, never positions.
enum class FaceColorRole : std::uint8_t {
    VerticalFace,    // colorPaper0
    HorizontalFace,  // colorPaper1
    InvalidFace,     // a vertical face with exactly one anchoring mark
    SticksOut,       // with the closing check on, a face beyond the closed card's edge
};

// The drawable geometry of one slab (grid display off) or one column (grid
// display on), in the opened card's own coordinates: grid space, one unit
// per cell, x along the crease, y depth, z height. The arrays are laid out as
// OpenGL 1.1 vertex arrays take them and in the order the frame draws them:
// first every face, then every outline segment.
struct GeometryBlock {
    int firstColumn = 0;
    int width = 0;  // columns covered, firstColumn .. firstColumn + width

    // Four corners per face, x y z each; vertical faces first, then
    // horizontal ones, each by depth, then height.
    std::vector<float> facePositions;
    // r g b per corner: the face's colour, the same at its four corners.
    std::vector<float> faceColors;
    std::vector<FaceColorRole> faceRoles;  // one per face
    // Grid display: every face is at once followed by its own outline, a
    // closed loop through its four corners in the edge colour.
    bool outlineEachFace = false;
    // Two ends per segment, x y z each, all in the edge colour: the slab's
    // outlines, or the far edges of the sheets.
    std::vector<float> linePositions;

    // Changes whenever anything above changes, so that a consumer keeping a
    // copy of the block (on the GL side, say) knows when to renew it.
    std::uint64_t revision = 0;

    std::size_t FaceCount() const { return faceRoles.size(); }
    std::size_t LineCount() const { return linePositions.size() / 6; }
    Vertex FaceCorner(std::size_t face, int corner) const;
    GlColor FaceColor(std::size_t face) const;
    Vertex LineEnd(std::size_t line, int end) const;
};

// The card's drawable geometry kept between frames: the faces with their
// colours, the outlines or the grid, and the far edges of the sheets, read
// from the card's sheet as it stood after the last rebuild pass. Update
// redoes only what changed: the blocks of rebuilt columns (the grid's column
// stamps tell which) and of the slabs beside them, the colours of faces
// whose validity marks changed, the colours alone after a change of
// colours. A new card, another grid display or another size derives
// everything again.
class CardGeometry {
public:
    // What the last Update did.
    struct UpdateCounts {
        int blocksDerived = 0;    // blocks whose faces and lines were derived
        int blocksRecoloured = 0;  // blocks whose colours alone changed
    };

    // Brings the geometry up to date with the sheet and validity marks of
    // `sheet` (kept for `grid`, whose size and column stamps it reads) and
    // with the colours and grid display of `settings`. With `closingCheck`
    // the faces that stick out of the closed card take kSticksOutColor
    // (the validity check's red wins over it); switching it recolours only.
    void Update(const CellGrid& grid, const KeptGridSheet& sheet, const AppSettings& settings, bool closingCheck = false);

    // Shows a card from its sheet instead (a free-form card): one block of
    // the pieces' triangles and outlines (DeriveSheetGeometry), in the
    // colours of `settings`. It is derived again when the shown sheet's
    // revision or the closing check changes, and recoloured after a change
    // of colours; a later Update from a grid derives everything again.
    void UpdateFromSheet(const ShownSheet& shown, const AppSettings& settings, bool closingCheck = false);

    // The blocks in drawing order: slabs or columns by increasing column,
    // then, with the grid display off, the far edges of the sheets.
    const std::vector<const GeometryBlock*>& Blocks() const { return order_; }
    const GlColor& EdgeColor() const { return edge_; }
    bool GridDisplay() const { return gridDisplay_; }
    const UpdateCounts& LastUpdate() const { return last_; }

    std::size_t FaceCount() const;
    std::size_t LineCount() const;
    // Bytes the arrays of all blocks hold (their capacity).
    std::size_t ArrayBytes() const;

private:
    bool NeedsFullUpdate(const CellGrid& grid, const AppSettings& settings) const;
    bool AnythingChanged(const CellGrid& grid, const KeptGridSheet& sheet, const AppSettings& settings,
                         bool closingCheck) const;
    // The role of a face of the block: its corner 0 is its cell.
    FaceColorRole RoleOf(const KeptGridSheet& sheet, int x, int y, int z, bool vertical) const;
    void Derive(GeometryBlock& block, const KeptGridSheet& sheet, int a, int b);
    // Rewrites the colours of the block's faces from their roles (all of them
    // when `all`, else only where the marks give another role); true when any
    // colour changed.
    bool Recolour(GeometryBlock& block, const KeptGridSheet& sheet, bool all);
    void DeriveFarEdges();
    GlColor RoleColor(FaceColorRole role) const;

    std::vector<GeometryBlock> blocks_;  // indexed by a slab's first column
    GeometryBlock farEdges_;
    GeometryBlock sheetBlock_;  // a card shown from its sheet
    bool sheetShown_ = false;
    std::uint64_t sheetRevision_ = 0;
    std::vector<const GeometryBlock*> order_;
    // What the blocks were derived from.
    std::vector<std::uint64_t> columnStamps_;
    std::uint64_t marksStamp_ = 0;
    int gridWidth_ = -1, gridHeight_ = -1;
    bool gridDisplay_ = false;
    bool closingCheck_ = false;
    std::int32_t colorPaper0_ = 0, colorPaper1_ = 0, colorEdge_ = 0;
    GlColor paper0_, paper1_, edge_;
    std::uint64_t revisionClock_ = 0;
    UpdateCounts last_;
    // Lists Derive fills anew for every block, kept so that their memory is.
    struct Scratch {
        std::vector<std::pair<int, int>> vertical, horizontal, leftVertical, leftHorizontal, at, faceCells, frontCells, met;
        std::vector<int> count;
    } scratch_;
};

}  // namespace pw
