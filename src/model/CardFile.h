#pragma once
#include <cstddef>
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
    CannotOpen,     // the file cannot be opened or read
    VersionTooNew,  // the "v" entry is above 1.0: show msg::kVersionTooNew first
    Truncated,      // a "v", "w" or "h" entry, a height or a tunnel line lacks its number
    BadNumber,      // a token that must be a number is not one
    BadSize,        // no "w", or a width or height out of range
    OutOfCard,      // a height, run or tunnel that would reach outside the card
    TooLarge,       // longer than any card file (a huge file, /dev/zero)
};

// The largest card a file may describe, in cells.
constexpr long long kMaxCardCells = 16'000'000;

// The most bytes WriteCard can write for a card of `w` columns and `h` rows:
// a column line has at most h runs, and at most h - 1 tunnel lines follow it.
constexpr long long LargestWrittenCard(long long w, long long h) {
    auto digits = [](long long n) {
        long long d = 1;
        for (; n >= 10; n /= 10) ++d;
        return d;
    };
    const long long run = 2 * (digits(h) + 1);             // "height count "
    const long long tunnel = digits(w) + digits(h) + 2;    // "column depth\n"
    const long long header = 14 + 3 + digits(w) + 3 + digits(h) + 2;
    return header + w * (h * run + 2 + (h - 1) * tunnel);  // + "e\n"
}

// The largest card file read: twice what the writer makes of the largest
// card of any shape, so a hand-edited file may have doubled spaces or CR LF
// line ends, and some room for words before the sizes. A larger file is
// refused before reading it; a device or pipe is read no further than this.
constexpr long long LargestCardFileBytes() {
    long long most = 0;
    for (long long h = 1; (h + 2) * (h + 2) * 3 <= kMaxCardCells; ++h) {
        const long long w = kMaxCardCells / ((h + 2) * (h + 2)) - 2;
        const long long bytes = LargestWrittenCard(w, h);
        if (bytes > most) most = bytes;
    }
    return 2 * most + (64 << 10);
}
constexpr long long kMaxCardFileBytes = LargestCardFileBytes();

// A word of a card file is a number or a short name; a longer one cannot be
// read, and only this much of it is held.
constexpr std::size_t kMaxCardWordChars = 64;

// Parses a card file into `out`, which becomes a fresh grid on success. On
// failure `out` may hold a partial card and must be dropped. A file may stop
// after any column, the columns after it being flat: `columnsHeld` receives
// how many of the card's columns (from the left, as the cursor counts them
// from 1) the file held any of, which is the card's width for a whole file.
bool ParseCard(std::istream& in, CellGrid& out, CardReadError* error = nullptr, int* columnsHeld = nullptr);

// Reads the card file at `path`. Only a file read whole replaces `out`; on
// failure it is untouched. A regular file larger than kMaxCardFileBytes is
// refused without reading it.
bool ReadCard(const std::string& path, CellGrid& out, CardReadError* error = nullptr, int* columnsHeld = nullptr);

}  // namespace pw
