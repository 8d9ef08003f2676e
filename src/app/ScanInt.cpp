#include "app/ScanInt.h"

#include <cctype>
#include <cstddef>
#include <limits>

namespace pw {

namespace {

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}

// One "%i" conversion starting at text[pos]; advances pos past what it used.
bool ScanOne(const std::string& text, std::size_t& pos, std::int32_t& value) {
    std::size_t i = pos;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    bool digits = false;
    if (i < text.size() && text[i] == '0') {
        // A leading 0 is a number by itself; "0x" with no hex digit after
        // it still reads as 0, as the C library does.
        digits = true;
        ++i;
        if (i < text.size() && (text[i] == 'x' || text[i] == 'X')) {
            base = 16;
            ++i;
        } else {
            base = 8;
        }
    }
    // Accumulate with saturation as strtol does for a long.
    constexpr std::uint64_t kLimit = std::uint64_t{1} << 63;
    std::uint64_t magnitude = 0;
    for (; i < text.size() && DigitValue(text[i]) < base; ++i) {
        digits = true;
        const std::uint64_t d = static_cast<std::uint64_t>(DigitValue(text[i]));
        if (magnitude > (kLimit - d) / static_cast<std::uint64_t>(base))
            magnitude = kLimit;
        else
            magnitude = magnitude * static_cast<std::uint64_t>(base) + d;
    }
    if (!digits) return false;
    std::int64_t wide;
    if (negative)
        wide = magnitude >= kLimit ? std::numeric_limits<std::int64_t>::min() : -static_cast<std::int64_t>(magnitude);
    else
        wide = magnitude >= kLimit ? std::numeric_limits<std::int64_t>::max() : static_cast<std::int64_t>(magnitude);
    // Keep the low 32 bits, as storing a long into an int does.
    value = static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(wide)));
    pos = i;
    return true;
}

}  // namespace

int ScanIntList(const std::string& text, std::int32_t* values, int count) {
    std::size_t pos = 0;
    for (int n = 0; n < count; ++n) {
        if (n > 0) {
            if (pos >= text.size() || text[pos] != ':') return n;
            ++pos;
        }
        std::int32_t v = 0;
        if (!ScanOne(text, pos, v)) return n;
        values[n] = v;
    }
    return count;
}

}  // namespace pw
