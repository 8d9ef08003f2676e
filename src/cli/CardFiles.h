#pragma once
#include <iosfwd>
#include <string>

namespace pw {

class CardDocument;

// Reads the card at `path` into the document. On failure prints one line to
// `err`: the version message when the file is too new, else that it could
// not be read. A file that stops before the card's last column is read, and
// a warning on `err` says so.
bool ReadCardOrReport(const std::string& path, CardDocument& doc, std::ostream& err);

// What to say of a card file that held only `columnsHeld` of the card's
// `columns` columns; empty for a whole file.
std::string EndsEarlyNote(int columnsHeld, int columns);

// Saves the document's card to `path` through the document's safe write
// path; on failure prints "File open failed." for `path` to `err`.
bool WriteCardOrReport(const std::string& path, const CardDocument& doc, std::ostream& err);

}  // namespace pw
