// A line of text becomes relief in a system font; texts that render to
// nothing are refused.
#include <gtest/gtest.h>

#include "edit/EditedCard.h"
#include "edit/ReliefEdit.h"
#include "import/ImportMessages.h"
#include "import/ReliefSource.h"
#include "import/TextRaster.h"
#include "model/GridInvariants.h"
#include "model/RebuildPass.h"

namespace pw {
namespace {

TEST(TextRelief, ALineOfTextBecomesReliefOfTheAreasHeightCentred) {
    ReliefSettings settings;
    settings.font = "DejaVu Sans";
    settings.area = ReliefArea{1, 0, 10};
    settings.depth = 4;
    DepthMap map;
    std::string error;
    ASSERT_TRUE(TextReliefMap("HI", settings, 62, 20, map, error)) << error;
    ASSERT_EQ(map.width, 60);
    int left = 60, right = -1, top = -1, bottom = 10;
    for (int i = 0; i < map.width; ++i)
        for (int row = 0; row < map.height; ++row)
            if (map.At(i, row) > 0) {
                EXPECT_EQ(map.At(i, row), 4);
                left = std::min(left, i), right = std::max(right, i);
                bottom = std::min(bottom, row), top = std::max(top, row);
            }
    // The capitals fill the height and stand in the middle of the width.
    EXPECT_EQ(bottom, 0);
    EXPECT_EQ(top, 9);
    EXPECT_NEAR((left + right) / 2.0, 29.5, 1.0);
    // Two letters, wider than a stem: between the H's stems the crossbar
    // stands over a tunnel, so some column has relief above an empty height.
    EXPECT_GT(right - left, 5);
    bool tunnel = false;
    for (int i = left; i <= right; ++i)
        tunnel = tunnel || (map.At(i, 0) == 0 && map.At(i, 5) > 0);
    EXPECT_TRUE(tunnel);

    EditedCard card;
    card.NewCard(62, 20);
    ASSERT_TRUE(ApplyDepthMap(card, map, false));
    RunRebuildPass(card.grid);
    EXPECT_EQ(CheckGridInvariants(card.grid), "");
    EXPECT_EQ(CheckFacesFresh(card.grid), "");
}

// Japanese is set in a Japanese font that fontconfig finds, and shaped: a
// kana written with its voicing mark apart (か + U+3099) is drawn as the
// one character が, not as a kana with a stray mark beside it.
TEST(TextRelief, JapaneseIsSetInAJapaneseFontAndShaped) {
    GreyImage joined, apart;
    std::string error, instead;
    ASSERT_TRUE(RenderTextLine("\xE3\x81\x8C", "", 40, joined, error, &instead)) << error;  // が
    ASSERT_TRUE(RenderTextLine("\xE3\x81\x8B\xE3\x82\x99", "", 40, apart, error)) << error;
    EXPECT_EQ(apart.width, joined.width);
    EXPECT_EQ(apart.height, joined.height);
    EXPECT_EQ(apart.pixels, joined.pixels);
    // 賀 has ink of its own, in a font that has it.
    GreyImage ga;
    ASSERT_TRUE(RenderTextLine("\xE8\xB3\x80", "", 40, ga, error)) << error;
    EXPECT_GT(ga.width, 10);
}

TEST(TextRelief, TextsThatRenderToNothingAreRefused) {
    GreyImage image;
    std::string error;
    EXPECT_FALSE(RenderTextLine("", "DejaVu Sans", 40, image, error));
    EXPECT_EQ(error, msg::kTextEmpty);
    EXPECT_FALSE(RenderTextLine("   \t", "DejaVu Sans", 40, image, error));
    EXPECT_EQ(error, msg::kTextEmpty);
    EXPECT_FALSE(RenderTextLine(std::string(201, 'x'), "", 40, image, error));
    EXPECT_EQ(error, msg::kTextTooLong);
    // Malformed UTF-8 still renders (as replacement characters), and a
    // font name that matches nothing falls back to a default face.
    EXPECT_TRUE(RenderTextLine("\xff\xfe A", "No Such Font Family", 40, image, error)) << error;
    EXPECT_TRUE(RenderTextLine("Popwright", "", 40, image, error)) << error;
    EXPECT_GT(image.width, image.height);
}

// fontconfig gives another font for a family it does not have, silently:
// the font drawn instead is named, and only then.
TEST(TextRelief, AFontThatIsNotThereIsNamedWithItsReplacement) {
    GreyImage image;
    std::string error, instead = "stale";
    ASSERT_TRUE(RenderTextLine("A", "No Such Font Family:bold", 20, image, error, &instead)) << error;
    EXPECT_FALSE(instead.empty());
    EXPECT_NE(instead, "No Such Font Family");
    for (const char* asked : {"DejaVu Sans", "dejavusans:bold", "DejaVu Serif", "serif", "Monospace", "", ":italic"}) {
        ASSERT_TRUE(RenderTextLine("A", asked, 20, image, error, &instead)) << asked << error;
        EXPECT_EQ(instead, "") << asked;
    }
}

TEST(TextRelief, ALongLineStaysWithinItsPictureLimit) {
    GreyImage image;
    std::string error;
    ASSERT_TRUE(RenderTextLine(std::string(200, 'W'), "DejaVu Sans", 512, image, error)) << error;
    EXPECT_LE(image.width, 16384 + 4 * 512);
    EXPECT_GT(image.height, 4);
}

}  // namespace
}  // namespace pw
