#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>

#include "model/AppSettings.h"
#include "model/IntegerText.h"
#include "model/SettingsSchema.h"

namespace pw {
namespace {

using Texts = std::map<std::string, std::string>;

AppSettings ReadFrom(const Texts& texts, AppSettings into = {}) {
    ReadWholeSettings(
        [&texts](const char* key) {
            const auto it = texts.find(key);
            return it == texts.end() ? std::string() : it->second;
        },
        into);
    return into;
}

Texts WrittenTexts(const AppSettings& settings) {
    Texts texts;
    WriteWholeSettings(settings, [&texts](const char* key, const std::string& text) { texts[key] = text; });
    return texts;
}

bool SameWholeSettings(const AppSettings& a, const AppSettings& b) {
    return a.newCard.width == b.newCard.width && a.newCard.height == b.newCard.height && a.colors.background == b.colors.background &&
           a.colors.verticalFace == b.colors.verticalFace && a.colors.horizontalFace == b.colors.horizontalFace && a.colors.outline == b.colors.outline &&
           a.sound.on == b.sound.on && a.print.mirror == b.print.mirror &&
           a.print.sizePercent == b.print.sizePercent && a.bitmap.widthPx == b.bitmap.widthPx &&
           a.view.gridDisplay == b.view.gridDisplay && a.view.showWelcome == b.view.showWelcome;
}

// The keys and the defaults' stored text are what earlier versions wrote;
// any settings within the card size's range come back equal through text.
TEST(SettingsSchema, StoredTextReadsBackEqual) {
    const Texts defaults = WrittenTexts(AppSettings{});
    EXPECT_EQ(defaults, (Texts{{"cardSize", "16:8"},
                               {"colorBack", "16757683"},
                               {"colorPaper0", "13426139"},
                               {"colorPaper1", "16775413"},
                               {"colorEdge", "6710886"},
                               {"soundMode", "1"},
                               {"reverseMode", "0"},
                               {"rudovozuSizeRatio", "50"},
                               {"rudovozuSizeBMP", "400"},
                               {"drawGrid", "0"},
                               {"showWelcome", "1"}}));
    std::mt19937 rng(22);
    std::uniform_int_distribution<std::int32_t> any;
    for (int round = 0; round < 200; ++round) {
        AppSettings s;
        s.newCard.width = std::uniform_int_distribution<int>(kNewCardWidthSetting.low, kNewCardWidthSetting.high)(rng);
        s.newCard.height = std::uniform_int_distribution<int>(kNewCardHeightSetting.low, kNewCardHeightSetting.high)(rng);
        s.colors.background = any(rng), s.colors.verticalFace = any(rng), s.colors.horizontalFace = any(rng), s.colors.outline = any(rng);
        s.sound.on = any(rng), s.print.mirror = any(rng), s.print.sizePercent = any(rng), s.bitmap.widthPx = any(rng);
        s.view.gridDisplay = static_cast<std::uint8_t>(any(rng));
        s.view.showWelcome = any(rng);
        EXPECT_TRUE(SameWholeSettings(ReadFrom(WrittenTexts(s)), s)) << round;
    }
}

// Garbage keeps the current value, except the card size, which goes back to
// its default; a card size out of range is brought into it; a grid display
// number keeps its low byte.
TEST(SettingsSchema, BadStoredTextFallsBackAsItAlwaysHas) {
    AppSettings current;
    current.newCard.width = 30, current.colors.background = 5, current.print.sizePercent = 77, current.view.gridDisplay = 1;
    const AppSettings garbage =
        ReadFrom({{"cardSize", "40"}, {"colorBack", "red"}, {"rudovozuSizeRatio", ""}, {"drawGrid", "x1"}}, current);
    EXPECT_EQ(garbage.newCard.width, kNewCardWidthSetting.byDefault);
    EXPECT_EQ(garbage.newCard.height, kNewCardHeightSetting.byDefault);
    EXPECT_EQ(garbage.colors.background, 5);
    EXPECT_EQ(garbage.print.sizePercent, 77);
    EXPECT_EQ(garbage.view.gridDisplay, 1);

    const AppSettings outside = ReadFrom({{"cardSize", "-3:900"}, {"rudovozuSizeRatio", "500"}, {"drawGrid", "0x101"}});
    EXPECT_EQ(outside.newCard.width, kNewCardWidthSetting.low);
    EXPECT_EQ(outside.newCard.height, kNewCardHeightSetting.high);
    EXPECT_EQ(outside.print.sizePercent, 500);  // only what a person types is held to the range
    EXPECT_EQ(outside.view.gridDisplay, 1);
}

// What a person types: blanks around, a sign, decimal digits, 32 bits.
TEST(ParseWholeNumber, TakesWholeDecimalNumbersOnly) {
    const std::pair<const char*, long long> good[] = {
        {"0", 0}, {"42", 42}, {" +7 ", 7}, {"-15", -15}, {"010", 10}, {"2147483647", 2147483647},
        {"-2147483648", -2147483648LL}, {"\t9\n", 9}};
    for (const auto& [text, expect] : good) {
        std::int32_t v = 0;
        EXPECT_TRUE(ParseWholeNumber(text, v)) << text;
        EXPECT_EQ(v, expect) << text;
    }
    for (const char* text : {"", " ", "+", "-", "1 2", "0x10", "1.5", "12a", "--1", "2147483648", "-2147483649",
                             "99999999999999999999"}) {
        std::int32_t v = 123;
        EXPECT_FALSE(ParseWholeNumber(text, v)) << '"' << text << '"';
        EXPECT_EQ(v, 123);
    }
}

}  // namespace
}  // namespace pw
