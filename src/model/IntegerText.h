#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace pw {

// The program's one reader of whole numbers in text: stored settings read
// leniently as C's "%i" reads them (what earlier versions wrote must keep
// reading the same), typed numbers strictly.

// Reads the text as the C format "%i:%i:...:%i" with `count` numbers does:
// each number may follow white space, carry a sign, and be decimal, 0x
// hexadecimal or 0-prefixed octal; the longest prefix that forms a number is
// converted and the rest of the text is ignored. Returns how many numbers
// were converted before the first mismatch (values past that are untouched).
// Out-of-range numbers wrap to 32 bits as the C library stores them into an
// int, without undefined behaviour.
int ScanIntList(std::string_view text, std::int32_t* values, int count);

// The single-number "%i": true when a number was converted.
inline bool ScanInt(std::string_view text, std::int32_t& value) { return ScanIntList(text, &value, 1) == 1; }

// A whole number as a person types it into a field or onto a command line:
// blanks around are allowed, then an optional sign and decimal digits and
// nothing else, within 32 bits. False for anything else (value untouched).
bool ParseWholeNumber(std::string_view text, std::int32_t& value);

}  // namespace pw
