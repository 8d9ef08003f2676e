#include <gtest/gtest.h>

#include "model/CellGrid.h"
#include "model/RebuildPass.h"
#include "output/PatternImages.h"
#include "output/PatternPlacement.h"
#include "output/RasterImage.h"
#include "output/RasterSurface.h"

namespace pw {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

TEST(ImagePicture, DefaultBitmapsAndMetafileFrame) {
    // 16 by 8 card (W = 18, H = 9), 400 pixels, half the A4 width.
    const BitmapPicture file = ComputeBitmapPicture(400, 18, 9, BitmapKind::File);
    EXPECT_EQ(file.width, 400);
    EXPECT_EQ(file.height, 440);
    EXPECT_EQ(file.placement.cw, 20);
    EXPECT_EQ(file.placement.ch, 20);
    EXPECT_EQ(file.placement.ox, 20);
    EXPECT_EQ(file.placement.oy, 240);  // the crease
    EXPECT_EQ(ComputeBitmapPicture(400, 18, 9, BitmapKind::Clipboard).height, 460);

    const double px = 96 * kInchesPerCentimetre;
    const MetafilePicture emf = ComputeMetafilePicture(px, px, 50, 18, 9);
    EXPECT_EQ(emf.frameRight, 10500);
    EXPECT_EQ(emf.frameBottom, 11550);
    EXPECT_DOUBLE_EQ(emf.placement.cw, 0.5 * 21 * px / 20);
    EXPECT_DOUBLE_EQ(emf.placement.oy, 12 * emf.placement.cw);
    // W+2 cells of drawing are r times 21 cm at the reference resolution.
    EXPECT_NEAR(20 * emf.placement.cw / px, 10.5, 1e-9);
}

TEST(ImagePicture, BitmapHeightUsesTheRealQuotientCellsTheWholeOne) {
    // 410 / 20 = 20.5: cells of 20 pixels, height trunc(22 * 20.5) = 451.
    const BitmapPicture b = ComputeBitmapPicture(410, 18, 9);
    EXPECT_EQ(b.placement.cw, 20);
    EXPECT_EQ(b.height, 451);
    // Unequal metafile resolutions keep cells square on paper.
    const MetafilePicture m = ComputeMetafilePicture(40, 20, 30, 18, 9);
    EXPECT_DOUBLE_EQ(m.placement.ch, m.placement.cw / 2);
    EXPECT_EQ(m.frameRight, 6300);
}

TEST(RasterSurface, LinesLeaveOutTheirEndPointAndPaintThePenSquare) {
    RasterImage img;
    ASSERT_TRUE(img.Allocate(40, 10));
    img.Fill(255, 255, 255);
    RasterSurface s(img);
    const PenHandle thin = s.CreatePen(PenStyle::Solid, 1, 9, 8, 7);
    const PenHandle thick = s.CreatePen(PenStyle::Solid, 2, 0, 0, 0);
    EXPECT_EQ(s.SelectPen(thin), kStockPen);
    s.MoveTo(2, 2);
    s.LineTo(6, 2);
    for (int x = 2; x <= 5; ++x) EXPECT_EQ(img.Pixel(x, 2), 0x090807u) << x;
    EXPECT_EQ(img.Pixel(6, 2), kWhite);
    EXPECT_EQ(img.Pixel(4, 1), kWhite);
    EXPECT_EQ(img.Pixel(4, 3), kWhite);

    s.SelectPen(thick);
    s.MoveTo(10, 6);
    s.LineTo(10, 9);
    EXPECT_EQ(img.Pixel(10, 6), 0u);
    EXPECT_EQ(img.Pixel(9, 5), 0u);  // the extra pixels lie above and to the left
    EXPECT_EQ(img.Pixel(11, 6), kWhite);
    // A line far outside the image draws nothing and costs nothing.
    s.MoveTo(-2000000000, -5);
    s.LineTo(2000000000, -5);
    s.DeletePen(thin);
}

TEST(RasterSurface, DashesAndDotsRunInTheirPatternFromEachLineStart) {
    RasterImage img;
    ASSERT_TRUE(img.Allocate(60, 4));
    img.Fill(255, 255, 255);
    RasterSurface s(img);
    s.SelectPen(s.CreatePen(PenStyle::Dash, 1, 1, 0, 0));
    s.MoveTo(0, 1);
    s.LineTo(60, 1);
    for (int x = 0; x < 60; ++x) EXPECT_EQ(img.Pixel(x, 1) != kWhite, x % 24 < 18) << x;
    s.SelectPen(s.CreatePen(PenStyle::Dot, 1, 0, 0, 1));
    s.MoveTo(59, 3);
    s.LineTo(0, 3);
    for (int x = 1; x < 60; ++x) EXPECT_EQ(img.Pixel(x, 3) != kWhite, (59 - x) % 6 < 3) << x;
}

TEST(PatternBitmap, TooLargeOrTooNarrowGivesNothingTinyGivesWhite) {
    CellGrid g;
    g.NewCard(18, 9);
    RunRebuildPass(g);
    EXPECT_FALSE(RenderPatternBitmap(g, 0, 0).has_value());
    CellGrid tall;
    tall.NewCard(3, 2000);
    EXPECT_FALSE(RenderPatternBitmap(tall, 0, 1600).has_value());  // 1.3 million rows

    // Narrower than W+2: cells of width 0, the picture stays white.
    const auto img = RenderPatternBitmap(g, 0, 19);
    ASSERT_TRUE(img.has_value());
    EXPECT_EQ(img->Height(), 20);
    bool white = true;
    for (int y = 0; y < img->Height(); ++y)
        for (int x = 0; x < img->Width(); ++x) white = white && img->Pixel(x, y) == kWhite;
    EXPECT_TRUE(white);
}

}  // namespace
}  // namespace pw
