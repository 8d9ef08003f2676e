#pragma once
#include <string>

namespace pw {

class CellGrid;

// Checks the invariants that every card keeps: empty border columns, the
// backing row and column of every card column, heights within the card and
// nothing solid at the front depth, and a relief that never steps up toward
// the front. Returns an empty string when they hold, else what broke first.
std::string CheckGridInvariants(const CellGrid& grid);

// Whether column x has exactly the column shape of a card file: at every
// depth 1 .. H-2 the solid cells are heights 1 .. HeightAt except the
// column's tunnel heights, which are empty at every depth.
bool HasFileShape(const CellGrid& grid, int x);

// Number of face flags set in card column x (vertical plus horizontal).
int CountFaces(const CellGrid& grid, int x);

// Checks, after a rebuild pass, that the faces equal those a rebuild from
// scratch derives, and that every column of file shape carries exactly
// 2*(H-1) face flags. Empty string when all holds.
std::string CheckFacesFresh(const CellGrid& grid);

}  // namespace pw
