#include "model/IntegerText.h"

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

// Decimal, 0x hexadecimal or 0-prefixed octal digits from text[i] on,
// saturated as strtol saturates a long; advances i past them.
bool ReadDigits(std::string_view text, std::size_t& i, int base, bool negative, std::int64_t& wide) {
    constexpr std::uint64_t kLimit = std::uint64_t{1} << 63;
    std::uint64_t magnitude = 0;
    bool digits = false;
    for (; i < text.size() && DigitValue(text[i]) < base; ++i) {
        digits = true;
        const std::uint64_t d = static_cast<std::uint64_t>(DigitValue(text[i]));
        if (magnitude > (kLimit - d) / static_cast<std::uint64_t>(base))
            magnitude = kLimit;
        else
            magnitude = magnitude * static_cast<std::uint64_t>(base) + d;
    }
    if (negative)
        wide = magnitude >= kLimit ? std::numeric_limits<std::int64_t>::min() : -static_cast<std::int64_t>(magnitude);
    else
        wide = magnitude >= kLimit ? std::numeric_limits<std::int64_t>::max() : static_cast<std::int64_t>(magnitude);
    return digits;
}

bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

// One "%i" conversion starting at text[pos]; advances pos past what it used.
bool ScanOne(std::string_view text, std::size_t& pos, std::int32_t& value) {
    std::size_t i = pos;
    while (i < text.size() && IsBlank(text[i])) ++i;
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
    std::int64_t wide = 0;
    if (!ReadDigits(text, i, base, negative, wide) && !digits) return false;
    // Keep the low 32 bits, as storing a long into an int does.
    value = static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(wide)));
    pos = i;
    return true;
}

}  // namespace

bool ParseWholeNumber(std::string_view text, std::int32_t& value) {
    std::size_t i = 0, end = text.size();
    while (i < end && IsBlank(text[i])) ++i;
    while (end > i && IsBlank(text[end - 1])) --end;
    text = text.substr(0, end);
    const bool negative = i < end && text[i] == '-';
    if (i < end && (text[i] == '+' || text[i] == '-')) ++i;
    std::int64_t wide = 0;
    if (!ReadDigits(text, i, 10, negative, wide) || i != end) return false;
    if (wide < std::numeric_limits<std::int32_t>::min() || wide > std::numeric_limits<std::int32_t>::max()) return false;
    value = static_cast<std::int32_t>(wide);
    return true;
}

int ScanIntList(std::string_view text, std::int32_t* values, int count) {
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
