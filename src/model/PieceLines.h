#pragma once
#include <vector>

#include "model/Sheet.h"

namespace pw {

// Which lines of the pattern belong to which piece of paper, for pointing at
// one and showing the other: a line belongs to the pieces whose outline (or
// a hole's) runs along it. Curved segments count by their chords, which is
// as near as a pointer needs; lines and pieces are indices into the sheet's
// edges and pieces.

// The piece whose paper holds the sheet point (inside its outline and
// outside its holes); -1 for none.
int PieceAt(const Sheet& sheet, SheetPoint p);

// The pieces along the edge: one on each side of a fold, one at a cut.
std::vector<int> PiecesAlongEdge(const Sheet& sheet, int edge);

// The edges that run along the piece's outline and holes.
std::vector<int> EdgesOfPiece(const Sheet& sheet, int piece);

// The edge nearest the point, if within `reach`; -1 for none.
int EdgeNear(const Sheet& sheet, SheetPoint p, double reach);

// The piece a pointer at `p` means by the edge nearest it: the one on the
// pointer's side of the edge, else the first along it; the piece under the
// pointer when no edge is within `reach`; -1 over no paper.
int PiecePointedAt(const Sheet& sheet, SheetPoint p, double reach);

}  // namespace pw
