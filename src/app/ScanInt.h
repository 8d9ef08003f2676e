#pragma once
#include <cstdint>
#include <string>

namespace pw {

// Reads the text as the C format "%i:%i:...:%i" with `count` numbers does:
// each number may follow white space, carry a sign, and be decimal, 0x
// hexadecimal or 0-prefixed octal; the longest prefix that forms a number is
// converted and the rest of the text is ignored. Returns how many numbers
// were converted before the first mismatch (values past that are untouched).
// Out-of-range numbers wrap to 32 bits as the C library stores them into an
// int, without undefined behaviour.
int ScanIntList(const std::string& text, std::int32_t* values, int count);

// The single-number "%i": true when a number was converted.
inline bool ScanInt(const std::string& text, std::int32_t& value) { return ScanIntList(text, &value, 1) == 1; }

}  // namespace pw
