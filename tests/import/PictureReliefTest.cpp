// Pictures into depth maps: one pixel to one cell at the card's size,
// fitting other sizes, silhouettes and grey depth maps, and bad settings.
#include <gtest/gtest.h>

#include <random>

#include "edit/EditedCard.h"
#include "edit/ReliefEdit.h"
#include "import/ImportMessages.h"
#include "import/ReliefSource.h"
#include "model/ReliefShape.h"

namespace pw {
namespace {

TEST(PictureRelief, APictureOfTheCardsSizeMapsOnePixelToOneCell) {
    const int W = 80, H = 40;  // 78 columns, heights 1 .. 38
    GreyImage picture(W - 2, H - 2);
    std::mt19937 rng(3);
    for (auto& p : picture.pixels) p = static_cast<std::uint8_t>(rng() % 256);
    ReliefSettings settings;
    settings.pictureMode = PictureMode::DepthMap;
    settings.depth = 30;
    DepthMap map;
    std::string error;
    ASSERT_TRUE(PictureReliefMap(picture, settings, W, H, map, error)) << error;
    ASSERT_EQ(map.firstColumn, 1);
    ASSERT_EQ(map.width, W - 2);
    ASSERT_EQ(map.height, H - 2);
    for (int i = 0; i < W - 2; ++i)
        for (int row = 0; row < H - 2; ++row) {
            // Pixel row 0 is height H-2, the last row height 1.
            const int z = H - 2 - row;
            const int expected = static_cast<int>(std::lround((255.0 - picture.At(i, row)) / 255.0 * 30));
            ASSERT_EQ(map.At(i, z - 1), expected) << "pixel " << i << ", " << row;
        }
}

TEST(PictureRelief, SilhouettesStandOutWherePixelsAreDarkerThanTheThreshold) {
    GreyImage picture(4, 2);
    picture.At(0, 0) = 0, picture.At(1, 0) = 100, picture.At(2, 0) = 140, picture.At(3, 0) = 255;
    picture.At(0, 1) = 126, picture.At(1, 1) = 129;
    ReliefSettings settings;
    settings.area = ReliefArea{3, 4, 2};
    settings.depth = 5;
    DepthMap map;
    std::string error;
    ASSERT_TRUE(PictureReliefMap(picture, settings, 20, 10, map, error));
    EXPECT_EQ(map.firstColumn, 3);
    // Top row (height 2): black and dark grey; bottom row: only the 126.
    EXPECT_EQ(map.At(0, 1), 5);
    EXPECT_EQ(map.At(1, 1), 5);
    EXPECT_EQ(map.At(2, 1), 0);
    EXPECT_EQ(map.At(3, 1), 0);
    EXPECT_EQ(map.At(0, 0), 5);
    EXPECT_EQ(map.At(1, 0), 0);
    settings.threshold = 0.6;  // 153
    ASSERT_TRUE(PictureReliefMap(picture, settings, 20, 10, map, error));
    EXPECT_EQ(map.At(2, 1), 5);
    EXPECT_EQ(map.At(1, 0), 5);
}

TEST(PictureRelief, OtherSizesAreFittedKeepingTheAspectRatioOnTheFloorAndCentred) {
    // A black picture twice as wide as high, into an area 20 wide and 4 high.
    GreyImage picture(400, 200, 0);
    ReliefSettings settings;
    settings.area = ReliefArea{2, 20, 4};
    settings.depth = 3;
    DepthMap map;
    std::string error;
    ASSERT_TRUE(PictureReliefMap(picture, settings, 30, 12, map, error));
    // 8 x 4 cells, columns 6 .. 13 of the area.
    for (int i = 0; i < 20; ++i)
        for (int row = 0; row < 4; ++row) EXPECT_EQ(map.At(i, row), i >= 6 && i < 14 ? 3 : 0) << i << "," << row;
    // A tall picture is limited by the height and stands on the floor.
    GreyImage tall(10, 100, 0);
    settings.area = ReliefArea{1, 10, 8};
    ASSERT_TRUE(PictureReliefMap(tall, settings, 12, 12, map, error));
    int cells = 0;
    for (int d : map.depth) cells += d > 0;
    EXPECT_EQ(cells, 8);  // one column, 8 high
    EXPECT_EQ(map.At(4, 0), 3);
    EXPECT_EQ(map.At(4, 7), 3);
    // A 4000 x 3000 picture scales down by averaging.
    GreyImage big(4000, 3000, 255);
    for (int y = 0; y < 3000; ++y)
        for (int x = 0; x < 2000; ++x) big.At(x, y) = 0;
    settings.area = ReliefArea{1, 8, 6};
    ASSERT_TRUE(PictureReliefMap(big, settings, 10, 10, map, error));
    for (int i = 0; i < 8; ++i) EXPECT_EQ(map.At(i, 2), i < 4 ? 3 : 0) << i;
}

TEST(PictureRelief, TheDefaultDepthIsHalfTheCardAndTheAreaTheWholeCard) {
    GreyImage picture(2, 2, 0);
    DepthMap map;
    std::string error;
    ASSERT_TRUE(PictureReliefMap(picture, ReliefSettings{}, 12, 10, map, error));
    EXPECT_EQ(map.width, 10);
    EXPECT_EQ(map.height, 8);
    EXPECT_EQ(map.At(1, 0), 4);
}

TEST(PictureRelief, AreasAndDepthsOutsideTheCardAreRefused) {
    GreyImage picture(2, 2, 0);
    DepthMap map;
    std::string error;
    const ReliefArea outside[] = {{0, 3, 3}, {10, 2, 3}, {1, 11, 3}, {1, 3, 9}, {1, -1, 3}, {11, 0, 0}};
    for (const ReliefArea& area : outside) {
        ReliefSettings settings;
        settings.area = area;
        EXPECT_FALSE(PictureReliefMap(picture, settings, 12, 10, map, error));
        EXPECT_EQ(error, msg::kAreaOutsideCard);
    }
    ReliefSettings deep;
    deep.depth = 9;
    EXPECT_FALSE(PictureReliefMap(picture, deep, 12, 10, map, error));
    EXPECT_EQ(error, "The depth must be between 1 and 8.");
    ReliefSettings threshold;
    threshold.threshold = 1.5;
    EXPECT_FALSE(PictureReliefMap(picture, threshold, 12, 10, map, error));
    EXPECT_EQ(error, msg::kThresholdOutOfRange);
    EXPECT_FALSE(PictureReliefMap(GreyImage(), ReliefSettings{}, 12, 10, map, error));
    EXPECT_EQ(error, msg::kPictureEmpty);
}

}  // namespace
}  // namespace pw
