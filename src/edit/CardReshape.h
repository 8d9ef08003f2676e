#pragma once

namespace pw {

struct EditedCard;

// Where the relief stays when the card gets wider or narrower: at the left
// edge, in the middle (an odd column goes to the right) or at the right.
enum class ColumnAnchor { Left, Centre, Right };

// Why a change of the whole card was not made.
enum class ReshapeRefusal {
    None,
    SizeOutOfRange,  // the asked size is outside what a new card may have
    ReliefCutOff,    // some relief would fall off the card
    NothingToDo,     // the card would stay as it is
};

// The card sizes a reshaped card may have, in card columns and in cells of
// the sheet's half (the new-card settings' ranges).
int MinCardColumns();
int MaxCardColumns();
int MinCardRows();
int MaxCardRows();

// Gives the card `columns` card columns and `rows` cells from the fold to
// each edge. The columns come or go on the sides `anchor` leaves free; the
// relief keeps its place at the fold, so rows come or go at the edges. One
// undo step of the whole card; refused, with the card untouched, where
// relief would be cut off.
ReshapeRefusal ResizeCard(EditedCard& card, int columns, int rows, ColumnAnchor anchor);

// Moves all relief `columns` columns to the right (left when negative) and
// `rows` cells up (down when negative). Moving up stands the relief on its
// lowest row drawn down to the floor; moving down takes away lowest rows only
// where they repeat the row above them. One undo step of the whole card;
// refused where relief would leave the card or lose a row.
ReshapeRefusal ShiftRelief(EditedCard& card, int columns, int rows);

}  // namespace pw
