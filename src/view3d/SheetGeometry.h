#pragma once
#include <cstdint>
#include <vector>

#include "model/Sheet.h"
#include "view3d/RenderSink.h"

namespace pw {

struct GeometryBlock;

// A card the 3D view draws from its sheet rather than from a grid's cells
// (a free-form card): the sheet, which of its pieces the checks found at
// fault, and a revision that grows whenever either changes. The sheet
// belongs to the caller and must outlive every frame that shows it.
struct ShownSheet {
    const Sheet* sheet = nullptr;
    std::vector<bool> invalidPieces;  // by piece; missing ones are sound
    std::uint64_t revision = 0;
    // By piece, the flat whose face or roof it is (a depth drag moves that
    // flat); -1, or missing, for the base.
    std::vector<int> pieceFlats;
};

// The view's model space measures from the crease at y = z = 1 and puts the
// sheet's left edge at x = 1, as a grid card's cells lie, so one camera and
// one fold matrix serve both kinds of card. A point of the opened card in
// the sheet's units (cells or millimetres) goes there by a shift alone.
inline Vertex SheetViewPoint(const Sheet& sheet, const CardPoint& p) {
    return {p.x - sheet.minX + 1, p.y + 1, p.z + 1};
}
// The width the camera frames, in the grid's terms: the sheet plus a unit each side.
inline double SheetViewWidth(const Sheet& sheet) { return sheet.maxX - sheet.minX + 2; }

// Curves are drawn as chords within a twentieth of a unit: a millimetre
// card 100 mm wide zoomed to fill 2,000 pixels shows 0.05 mm a pixel.
inline constexpr double kViewFlattening = 0.05;

// Where the closed card's edge crosses a piece, on the sheet: a point at
// depth y and height z folds onto the floor at y + z, so paper beyond the
// half sticks out; on a horizontal piece that is s > half - 2·height, on a
// vertical one s < 2·depth - half.
struct ClosedEdgeOnPiece {
    double s = 0;
    bool beyondIsAbove = true;  // the paper that sticks out lies at larger s
};
ClosedEdgeOnPiece ClosedEdge(const SheetPiece& piece, double half);

// Derives into `block` the faces and outlines of the shown sheet in view
// space: each piece's triangles, each as a quadrilateral whose last two
// corners coincide (GL draws it as the triangle), with the role that colours
// it (the invalid colour for pieces at fault; with `closingCheck`, the
// sticks-out colour for paper beyond the closed card's edge); then every
// piece's boundary as segments, less where it runs along a seam (paper that
// goes on in the same plane without a line). Colours are left to the caller.
void DeriveSheetGeometry(const ShownSheet& shown, bool closingCheck, GeometryBlock& block);

}  // namespace pw
