#pragma once
#include <vector>

#include "model/SheetPath.h"

namespace pw {

// The card's paper, as everything after design reads it: what the flat
// sheet is cut and folded into, and where each part of it stands in the card
// opened to a right angle. Every fold runs parallel to the crease, so every
// piece of paper stays level with the floor or upright like the back, and a
// point of a piece at depth y and height z lies on the sheet at s = y - z.

// Which way a piece lies in the opened card.
enum class PiecePlane {
    Horizontal,  // parallel to the floor, at a height
    Vertical,    // parallel to the back, at a depth
};

// A planar region of paper: its outline on the sheet (the first loop; the
// loops after it are holes) and its place in the opened card.
struct SheetPiece {
    PiecePlane plane = PiecePlane::Horizontal;
    double level = 0;  // the height of a horizontal piece, the depth of a vertical one
    std::vector<SheetPath> loops;
};

// Where a sheet point of the piece stands in the opened card.
struct CardPoint {
    double x = 0, y = 0, z = 0;  // along the crease, depth, height
};
inline CardPoint PlacePoint(const SheetPiece& piece, SheetPoint p) {
    if (piece.plane == PiecePlane::Horizontal) return {p.x, p.s + piece.level, piece.level};
    return {p.x, piece.level, piece.level - p.s};
}

enum class SheetEdgeKind {
    OutlineCut,  // the sheet's own edge, cut last
    InnerCut,
    Mountain,    // a ridge, as along a box's top front edge
    Valley,      // a trough, as where a box stands on the floor
    Crease,      // the card's own fold, between the base floor and the base back
};
inline bool IsCut(SheetEdgeKind kind) { return kind == SheetEdgeKind::OutlineCut || kind == SheetEdgeKind::InnerCut; }

// A line of the pattern: a cut or a fold, each there once.
struct SheetEdge {
    SheetEdgeKind kind = SheetEdgeKind::InnerCut;
    SheetPath path;
};

// Two pieces joined along a line of both: by a fold, or as one paper that a
// piece boundary runs through without a line (a seam: a grid card keeps the
// paper of neighbouring column groups in pieces of their own).
struct PieceJoin {
    int first = 0, second = 0;  // indices into Sheet::pieces
    enum class Kind { Fold, Seam } kind = Kind::Fold;
};

struct Sheet {
    // The sheet's extent: minX .. maxX along the crease, -half .. half across.
    double minX = 0, maxX = 0, half = 0;
    std::vector<SheetPiece> pieces;
    std::vector<SheetEdge> edges;
    std::vector<PieceJoin> joins;
};

}  // namespace pw
