// The BMP files read back by Qt's image reader.
#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>

#include "model/CellGrid.h"
#include "model/RebuildPass.h"
#include "output/BmpFile.h"
#include "output/PatternImages.h"
#include "support/CardBuilder.h"

namespace pw {
namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kCut = qRgb(0, 0, 0);
const QRgb kMountain = qRgb(1, 0, 0);
const QRgb kValley = qRgb(0, 0, 1);

QImage WriteAndRead(CellGrid& g, int reverse, int width) {
    RunRebuildPass(g);
    QTemporaryDir dir;
    const QString path = dir.filePath("pattern.bmp");
    const auto image = RenderPatternBitmap(g, reverse, width);
    EXPECT_TRUE(image.has_value());
    const auto info = MakeBitmapInfo(*image);
    EXPECT_TRUE(WriteBmpFile(path.toStdString(), *info, *image));
    QImageReader reader(path);
    EXPECT_EQ(reader.format(), QByteArray("bmp"));
    QImage read = reader.read();
    EXPECT_FALSE(read.isNull()) << reader.errorString().toStdString();
    return read.convertToFormat(QImage::Format_RGB32);
}

// Share of the pixels of row y in [x0, x1) that have the colour.
double RowShare(const QImage& img, int y, int x0, int x1, QRgb colour) {
    int n = 0;
    for (int x = x0; x < x1; ++x) n += (img.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    return static_cast<double>(n) / (x1 - x0);
}
double ColumnShare(const QImage& img, int x, int y0, int y1, QRgb colour) {
    int n = 0;
    for (int y = y0; y < y1; ++y) n += (img.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    return static_cast<double>(n) / (y1 - y0);
}

TEST(BmpQtRead, DefaultCardSizeMarginsOutlineAndCrease) {
    CellGrid g;
    g.NewCard(18, 9);
    const QImage img = WriteAndRead(g, 0, 400);
    ASSERT_EQ(img.width(), 400);
    ASSERT_EQ(img.height(), 440);
    // White margins: 2 cells left and right, 4 above, 2 below; white inside.
    EXPECT_EQ(RowShare(img, 30, 0, 400, kWhite), 1.0);
    EXPECT_EQ(RowShare(img, 430, 0, 400, kWhite), 1.0);
    EXPECT_EQ(ColumnShare(img, 20, 0, 440, kWhite), 1.0);
    EXPECT_EQ(ColumnShare(img, 380, 0, 440, kWhite), 1.0);
    EXPECT_EQ(RowShare(img, 160, 45, 355, kWhite), 1.0);
    // The sheet from x = 40 to 360 and y = 80 to 400, the crease at y = 240.
    EXPECT_EQ(RowShare(img, 80, 40, 360, kCut), 1.0);
    EXPECT_EQ(RowShare(img, 400, 40, 360, kCut), 1.0);
    EXPECT_EQ(ColumnShare(img, 40, 80, 400, kCut), 1.0);
    EXPECT_EQ(ColumnShare(img, 360, 80, 400, kCut), 1.0);
    EXPECT_NEAR(RowShare(img, 240, 41, 359, kValley), 0.5, 0.05);  // dotted
    EXPECT_EQ(RowShare(img, 240, 41, 359, kValley) + RowShare(img, 240, 41, 359, kWhite), 1.0);
}

TEST(BmpQtRead, BoxFoldsWhereThePatternPutsThemAndMirroredWhenInverted) {
    CellGrid g;
    g.NewCard(18, 9);
    for (int x = 5; x <= 7; ++x) test::AddBox(g, x, 2, 3);
    const QImage img = WriteAndRead(g, 0, 400);
    // Cells of 20 pixels: u lands on 20 + 20u, s on 240 + 20s.
    EXPECT_NEAR(RowShare(img, 220, 120, 180, kMountain), 18.0 / 24, 0.1);  // dashed, s = -1
    EXPECT_GT(RowShare(img, 180, 121, 179, kValley), 0.4);                  // s = -3
    EXPECT_GT(RowShare(img, 280, 121, 179, kValley), 0.4);                  // s = 2
    EXPECT_EQ(RowShare(img, 240, 121, 179, kWhite), 1.0);                   // no crease under the box
    // Side cuts from s = -3 to 2 (the folds cross them at their ends).
    EXPECT_EQ(ColumnShare(img, 120, 180, 280, kWhite), 0.0);
    EXPECT_GT(ColumnShare(img, 120, 180, 280, kCut), 0.95);
    EXPECT_EQ(ColumnShare(img, 180, 180, 280, kWhite), 0.0);
    EXPECT_EQ(ColumnShare(img, 140, 180, 280, kCut), 0.0);  // merged columns: no cut
    EXPECT_EQ(ColumnShare(img, 120, 282, 398, kWhite), 1.0);  // none below the box

    CellGrid again;
    again.NewCard(18, 9);
    for (int x = 5; x <= 7; ++x) test::AddBox(again, x, 2, 3);
    const QImage inv = WriteAndRead(again, 1, 400);
    EXPECT_EQ(RowShare(inv, 220, 120, 180, kWhite), 1.0);
    EXPECT_NEAR(RowShare(inv, 220, 220, 280, kMountain), 18.0 / 24, 0.1);
    EXPECT_EQ(ColumnShare(inv, 280, 180, 280, kWhite), 0.0);
    EXPECT_EQ(ColumnShare(inv, 120, 180, 280, kWhite), 1.0);
}

TEST(BmpQtRead, OddWidthIsReadWithItsPadding) {
    CellGrid g;
    g.NewCard(18, 9);
    const QImage img = WriteAndRead(g, 0, 401);
    EXPECT_EQ(img.width(), 401);
    EXPECT_EQ(img.height(), 441);
    EXPECT_EQ(ColumnShare(img, 400, 0, 441, kWhite), 1.0);  // the extra pixel widens the right margin
    EXPECT_EQ(RowShare(img, 80, 40, 360, kCut), 1.0);
}

}  // namespace
}  // namespace pw
