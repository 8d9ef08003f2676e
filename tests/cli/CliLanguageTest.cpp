// popwright-cli's own lookup of the translation files' texts: the language
// the environment asks for, and a translation laid over English whose parts
// were filled in by the commands.
#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <sstream>

#include "cli/CliLanguage.h"

namespace pw {
namespace {

TEST(CliLanguageTest, TheEnvironmentChoosesTheLanguageAsGettextDoes) {
    using V = std::vector<std::string>;
    EXPECT_EQ(WantedLanguages(nullptr, nullptr, nullptr, "ja_JP.UTF-8"), V{"ja_JP"});
    EXPECT_EQ(WantedLanguages(nullptr, "de_DE.UTF-8", "fr_FR", "ja_JP.UTF-8"), V{"de_DE"});
    EXPECT_EQ(WantedLanguages(nullptr, "", "zh_TW.UTF-8@x", "ja_JP"), V{"zh_TW"});
    EXPECT_EQ(WantedLanguages("ja:en", nullptr, nullptr, "C.UTF-8"), (V{"ja", "en", "C"}));
    // LANGUAGE is ignored in the C locale, as gettext ignores it.
    EXPECT_EQ(WantedLanguages("ja", nullptr, nullptr, "C"), V{"C"});
    EXPECT_EQ(WantedLanguages("ja", nullptr, nullptr, nullptr), V{});
    EXPECT_EQ(WantedLanguages(nullptr, nullptr, nullptr, nullptr), V{});
}

const CliTranslation kTable[] = {
    {"xx", "M", "cell", "CELL"},
    {"xx", "M", "%1 cells", "%1 CELLS"},
    {"xx", "M", "By %1 in column %2.", "COLUMN %2 BY %1."},
    {"xx", "M", "%1 needs a value", "VALUE FOR %1"},
    {"zh", "M", "cell", "ZH"},
};

TEST(CliLanguageTest, TranslationsAreLaidOverFilledInTexts) {
    std::ostringstream s;
    UseCliLanguage(s, {"xx_YY"}, {kTable, std::size(kTable)});
    EXPECT_EQ(CliText(s, "cell"), "CELL");
    EXPECT_EQ(CliText(s, "By 3 cells in column 7-9."), "COLUMN 7-9 BY 3 CELLS.");
    EXPECT_EQ(CliText(s, "--gap needs a value"), "VALUE FOR --gap");
    EXPECT_EQ(CliText(s, "Not in the table."), "Not in the table.");
    EXPECT_EQ(CliLines(s, "  cell\n\n    --x needs a value\n"), "  CELL\n\n    VALUE FOR --x\n");
    UseCliLanguage(s, {"en_GB", "xx"}, {kTable, std::size(kTable)});
    EXPECT_EQ(CliText(s, "cell"), "cell");
    UseCliLanguage(s, {"zh_TW"}, {kTable, std::size(kTable)});
    EXPECT_EQ(CliText(s, "cell"), "ZH");

    // Any parts, filled into any form, are found again in their order.
    std::mt19937 random(26);
    const std::string alphabet = "ab %:-\xE3\x81\x82";
    auto text = [&](std::size_t least) {
        std::string t;
        for (std::size_t n = least + random() % 4; n > 0; --n) t += alphabet[random() % alphabet.size()];
        return t;
    };
    for (int round = 0; round < 500; ++round) {
        std::string pattern = text(0), filled = pattern;
        std::vector<std::string> parts;
        const int count = 1 + static_cast<int>(random() % 3);
        for (int k = 1; k <= count; ++k) {
            std::string part = text(1);
            for (char& c : part)
                if (c == '%') c = 'p';
            const std::string literal = "<" + text(0) + ">";
            pattern += "%" + std::to_string(k) + literal;
            filled += part + literal;
            parts.push_back(part);
        }
        std::vector<std::string> found;
        ASSERT_TRUE(MatchFilledText(pattern, filled, found)) << pattern << " / " << filled;
        for (int k = 0; k < count; ++k) EXPECT_EQ(found[k].empty(), false);
        std::string again = pattern;
        for (int k = count; k >= 1; --k) again.replace(again.find("%" + std::to_string(k)), 2, found[k - 1]);
        EXPECT_EQ(again, filled);
    }
}

}  // namespace
}  // namespace pw
