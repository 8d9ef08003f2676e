#pragma once
#include <vector>

#include "model/Sheet.h"
#include "view3d/Camera.h"

namespace pw {

// The piece of a sheet drawn from its pieces (a free-form card) that the
// ray meets first, by index; -1 when it meets none. The ray lies in the
// view's model space of the opened card (SheetViewPoint); a piece counts
// where its paper is, its holes excepted.
int PickSheetPiece(const Sheet& sheet, const PointerRay& ray);

// The flat a picked piece moves with: its flat for a flat's upright face or
// roof (`pieceFlats`, by piece, as ShownSheet holds them), -1 for the base
// or an index outside the list.
inline int FlatOfPiece(const std::vector<int>& pieceFlats, int piece) {
    if (piece < 0 || static_cast<std::size_t>(piece) >= pieceFlats.size()) return -1;
    return pieceFlats[static_cast<std::size_t>(piece)];
}

// A depth drag in the 3D view: the flat's depth after the pointer went
// `pixelsUp` pixels up from the press (negative: down), kDepthPerPixelMm a
// pixel, or kFineDepthPerPixelMm with `fine` (Shift), held between the
// least depth a flat may have and the card's half.
inline constexpr double kDepthPerPixelMm = 0.25;
inline constexpr double kFineDepthPerPixelMm = 0.05;
double DraggedDepth(double startDepthMm, double pixelsUp, bool fine, double halfMm);

}  // namespace pw
