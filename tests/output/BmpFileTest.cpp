#include <gtest/gtest.h>

#include "model/CellGrid.h"
#include "model/RebuildPass.h"
#include "output/BmpFile.h"
#include "output/PatternImages.h"
#include "output/RasterImage.h"

namespace pw {
namespace {

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint16_t U16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

std::vector<std::uint8_t> DefaultCardBmp(int width) {
    CellGrid g;
    g.NewCard(18, 9);
    RunRebuildPass(g);
    const auto image = RenderPatternBitmap(g, 0, width);
    EXPECT_TRUE(image.has_value());
    const auto info = MakeBitmapInfo(*image);
    EXPECT_TRUE(info.has_value());
    auto bytes = EncodeBmpFile(*info, *image);
    EXPECT_TRUE(bytes.has_value());
    return *bytes;
}

TEST(BmpFile, HeaderFieldsOfTheDefaultPicture) {
    const auto b = DefaultCardBmp(400);
    const std::uint32_t S = 1200u * 440;  // 24-bit rows of 400 pixels need no padding
    ASSERT_EQ(b.size(), 54 + S);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(U32(b, 2), 54 + S);  // file size
    EXPECT_EQ(U16(b, 6), 0);
    EXPECT_EQ(U16(b, 8), 0);
    EXPECT_EQ(U32(b, 10), 54u);    // no colour table
    EXPECT_EQ(U32(b, 14), 40u);
    EXPECT_EQ(U32(b, 18), 400u);
    EXPECT_EQ(U32(b, 22), 440u);   // positive: bottom-up rows
    EXPECT_EQ(U16(b, 26), 1);
    EXPECT_EQ(U16(b, 28), 24);
    EXPECT_EQ(U32(b, 30), 0u);
    EXPECT_EQ(U32(b, 34), S);
    EXPECT_EQ(U32(b, 38), 0u);
    EXPECT_EQ(U32(b, 42), 0u);
    EXPECT_EQ(U32(b, 46), 0u);
    EXPECT_EQ(U32(b, 50), 0u);
    // The first stored row is the bottom one, white margin.
    EXPECT_EQ(b[54], 255);
}

TEST(BmpFile, OddWidthRowsArePaddedToFourBytes) {
    const auto b = DefaultCardBmp(401);
    const std::uint32_t height = U32(b, 22);
    EXPECT_EQ(height, 441u);  // trunc(22 * 401 / 20)
    EXPECT_EQ(U32(b, 34), 1204u * height);
    EXPECT_EQ(b.size(), 54 + 1204u * height);
    // The padding byte after every row of 1203 pixel bytes is zero.
    for (std::uint32_t row = 0; row < height; ++row) ASSERT_EQ(b[54 + row * 1204 + 1203], 0) << row;
}

TEST(BmpFile, ColourTableFollowsTheBitmapClass) {
    struct Case {
        int planes, bits;
        std::uint16_t bitCount;
        std::uint32_t colours;
        std::uint32_t imageSize;  // for 33 by 2 pixels
    };
    for (const Case& c : {Case{1, 1, 1, 2, 8 * 2}, Case{1, 2, 2, 16, 20 * 2}, Case{1, 8, 8, 256, 36 * 2},
                          Case{2, 8, 8, 65536, 68 * 2}, Case{1, 16, 16, 65536, 68 * 2},
                          Case{1, 24, 24, 0, 100 * 2}, Case{1, 32, 32, 0, 132 * 2}}) {
        const auto info = MakeBitmapInfo(BitmapDescription{33, 2, c.planes, c.bits});
        ASSERT_TRUE(info.has_value());
        EXPECT_EQ(info->bitCount, c.bitCount);
        EXPECT_EQ(info->planes, c.planes);
        EXPECT_EQ(info->colorsUsed, c.colours) << c.planes << "x" << c.bits;
        EXPECT_EQ(info->colorTable.size(), c.colours);
        EXPECT_EQ(info->imageSize, c.imageSize) << c.planes << "x" << c.bits;
    }
    EXPECT_FALSE(MakeBitmapInfo(BitmapDescription{0, 10, 1, 24}).has_value());
    EXPECT_FALSE(MakeBitmapInfo(BitmapDescription{60000, 60000, 1, 32}).has_value());  // beyond 4 GB
}

TEST(BmpFile, ThirtyTwoBitHeaderTakesPixelsAtOffset54) {
    RasterImage img;
    ASSERT_TRUE(img.Allocate(3, 2));
    img.Fill(255, 255, 255);
    img.SetPixel(0, 1, 10, 20, 30);  // bottom-left
    const auto info = MakeBitmapInfo(BitmapDescription{3, 2, 1, 32});
    ASSERT_TRUE(info.has_value());
    const auto b = EncodeBmpFile(*info, img);
    ASSERT_TRUE(b.has_value());
    EXPECT_EQ(U32(*b, 10), 54u);
    EXPECT_EQ(b->size(), 54u + 24);
    EXPECT_EQ((*b)[54], 30);  // blue, green, red, 0
    EXPECT_EQ((*b)[55], 20);
    EXPECT_EQ((*b)[56], 10);
    EXPECT_EQ((*b)[57], 0);
    // A header for another bitmap or a palette format cannot take these pixels.
    EXPECT_FALSE(EncodeBmpFile(*MakeBitmapInfo(BitmapDescription{4, 2, 1, 24}), img).has_value());
    EXPECT_FALSE(EncodeBmpFile(*MakeBitmapInfo(BitmapDescription{3, 2, 1, 8}), img).has_value());
}

}  // namespace
}  // namespace pw
