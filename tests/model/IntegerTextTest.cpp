#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "model/IntegerText.h"

namespace pw {
namespace {

// The settings' number formats must read exactly as the C library's "%i"
// reads them, prefixes, signs, bases and trailing text included.
TEST(ScanInt, AgreesWithTheCLibrary) {
    const char* texts[] = {
        "16",      "-7",     "+12",        "  42",     "\t5",      "0",        "017",     "-017",
        "08",      "0x1F",   "0X1f",       "-0x10",    "+0xff",    "0x",       "0xg",     "12abc",
        "1e3",     "-",      "+",          "--5",      "+-5",      "",         "abc",     " ",
        "0x7fffffff", "0xFFFFFFFF", "4294967295", "-2147483648", "-2147483649", "2147483648",
        "99999999999999999999", "-99999999999999999999", "0xffffffffffffffffff", "0b1", "0777",
        "16:8",    "16: 8",  "16 :8",      "16:",      "20",       "0x10:010", "0x:5",    "1:2:3",
        "-1:-2",   ":5",     "16:8abc",    "16::8",
    };
    for (const char* text : texts) {
        int expect[2] = {-111, -111};
        const int n = std::sscanf(text, "%i:%i", &expect[0], &expect[1]);
        std::int32_t got[2] = {-111, -111};
        const int m = ScanIntList(text, got, 2);
        EXPECT_EQ(m, n < 0 ? 0 : n) << '"' << text << '"';
        for (int i = 0; i < m && i < n; ++i) EXPECT_EQ(got[i], expect[i]) << '"' << text << "\" #" << i;
    }
}

TEST(ScanInt, CountsConversionsUpToTheFirstMismatch) {
    std::int32_t v[10] = {};
    EXPECT_EQ(ScanIntList("1:2:3:4:5:6:7:8:9:10", v, 10), 10);
    EXPECT_EQ(v[9], 10);
    EXPECT_EQ(ScanIntList("1:2:3:4:5:6:7:8:9", v, 10), 9);
    EXPECT_EQ(ScanIntList("1:2:x:4", v, 10), 2);
    std::int32_t one = 5;
    EXPECT_FALSE(ScanInt("none", one));
    EXPECT_EQ(one, 5);
    EXPECT_TRUE(ScanInt("0x00FFB3B3", one));
    EXPECT_EQ(one, 16757683);
}

}  // namespace
}  // namespace pw
