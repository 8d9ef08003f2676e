#pragma once
#include <iosfwd>
#include <string>

namespace pw {

class CellGrid;
struct EditedCard;

// Reads the card at `path` into the model. On failure prints one line to
// `err`: the version message when the file is too new, else that it could
// not be read. A file that stops before the card's last column is read, and
// a warning on `err` says so.
bool ReadCardOrReport(const std::string& path, EditedCard& model, std::ostream& err);

// What to say of a card file that held only `columnsHeld` of the card's
// `columns` columns; empty for a whole file.
std::string EndsEarlyNote(int columnsHeld, int columns);

// Writes the card to `path` through a temporary file beside it that is then
// renamed over it, so a failed write never leaves a damaged or missing card.
// On failure prints "File open failed." for `path` to `err`.
bool WriteCardOrReport(const std::string& path, const CellGrid& grid, std::ostream& err);

}  // namespace pw
