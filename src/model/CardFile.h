#pragma once
#include <iosfwd>
#include <string>

namespace pw {

class CellGrid;

// Writes the card's shape as a card file ("kiriko", "v 1.0", sizes, one
// run-length line per column, tunnel lines), every line ending in "\n".
void WriteCard(std::ostream& out, const CellGrid& grid);

// Why a read failed, for the caller's messages.
enum class CardReadError {
    None,
    CannotOpen,     // the file cannot be opened
    VersionTooNew,  // the "v" entry is above 1.0: show msg::kVersionTooNew first
    Truncated,      // a "v", "w" or "h" entry, a height or a tunnel line lacks its number
    BadNumber,      // a token that must be a number is not one
    BadSize,        // no "w", or a width or height out of range
    OutOfCard,      // a height, run or tunnel that would reach outside the card
};

// The largest card a file may describe, in cells.
constexpr long long kMaxCardCells = 16'000'000;

// Parses a card file into `out`, which becomes a fresh grid on success. On
// failure `out` may hold a partial card and must be dropped.
bool ParseCard(std::istream& in, CellGrid& out, CardReadError* error = nullptr);

// Reads the card file at `path`. Only a file read whole replaces `out`; on
// failure it is untouched.
bool ReadCard(const std::string& path, CellGrid& out, CardReadError* error = nullptr);

}  // namespace pw
