// The Qt surface: the same pattern on a QImage and, through the print
// placement, on a PDF page as a printer would get it.
#include <gtest/gtest.h>

#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>

#include "model/CellGrid.h"
#include "model/RebuildPass.h"
#include "output/PatternImages.h"
#include "output/PatternPlacement.h"
#include "output/QPainterSurface.h"
#include "output/UnfoldedPattern.h"
#include "support/CardBuilder.h"

namespace pw {
namespace {

TEST(QPainterSurface, PensMapToQtStylesWidthsAndColours) {
    const QPen cut = QPainterSurface::ToQPen(kCutPen);
    const QPen mountain = QPainterSurface::ToQPen(kMountainPen);
    const QPen valley = QPainterSurface::ToQPen(kValleyPen);
    EXPECT_EQ(cut.style(), Qt::SolidLine);
    EXPECT_EQ(cut.width(), 2);
    EXPECT_EQ(cut.color(), QColor(0, 0, 0));
    EXPECT_EQ(mountain.style(), Qt::DashLine);
    EXPECT_EQ(mountain.width(), 1);
    EXPECT_EQ(mountain.color(), QColor(1, 0, 0));
    EXPECT_EQ(valley.style(), Qt::DotLine);
    EXPECT_EQ(valley.color(), QColor(0, 0, 1));

    // On a printer the widths (and with them Qt's dashes, which are in
    // units of the width) grow to what they are on a 96 dpi screen; style
    // and colour stay.
    const QPen printedCut = QPainterSurface::ToQPen(kCutPen, 12.5);
    const QPen printedValley = QPainterSurface::ToQPen(kValleyPen, 6.25);
    EXPECT_DOUBLE_EQ(printedCut.widthF(), 25);
    EXPECT_EQ(printedCut.style(), Qt::SolidLine);
    EXPECT_EQ(printedCut.color(), QColor(0, 0, 0));
    EXPECT_DOUBLE_EQ(printedValley.widthF(), 6.25);
    EXPECT_EQ(printedValley.style(), Qt::DotLine);
    EXPECT_EQ(printedValley.color(), QColor(0, 0, 1));
    EXPECT_EQ(printedValley.capStyle(), Qt::FlatCap);
}

TEST(QPainterSurface, DrawsThePatternOnAnImageAndGivesThePainterItsPenBack) {
    CellGrid g;
    g.NewCard(18, 9);
    for (int x = 5; x <= 7; ++x) test::AddBox(g, x, 2, 3);
    RunRebuildPass(g);
    QImage img(400, 440, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter painter(&img);
    const QPen original(QColor(10, 20, 30), 3);
    painter.setPen(original);
    {
        QPainterSurface surface(painter);
        const BitmapPicture b = ComputeBitmapPicture(400, 18, 9);
        DrawUnfoldedPattern(surface, g, 0, b.placement.ox, b.placement.oy, b.placement.cw, b.placement.ch);
    }
    EXPECT_EQ(painter.pen(), original);
    painter.end();

    auto count = [&](int x0, int x1, int y, QRgb colour) {
        int n = 0;
        for (int x = x0; x < x1; ++x) n += (img.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
        return n;
    };
    EXPECT_GT(count(41, 359, 80, qRgb(0, 0, 0)) + count(41, 359, 79, qRgb(0, 0, 0)), 300);
    const int mountain = count(121, 179, 220, qRgb(1, 0, 0));
    EXPECT_GT(mountain, 20);
    EXPECT_LT(mountain, 58);
    EXPECT_GT(count(41, 119, 240, qRgb(0, 0, 1)), 20);
    EXPECT_EQ(count(121, 179, 240, qRgb(255, 255, 255)), 58);  // no crease under the box
}

TEST(QPainterSurface, PrintedPdfPageHasTheSheetCentredAtHalfTheA4Width) {
    CellGrid g;
    g.NewCard(18, 9);
    RunRebuildPass(g);
    QTemporaryDir dir;
    const QString pdf = dir.filePath("printed.pdf");
    {
        QPdfWriter writer(pdf);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        writer.setResolution(600);
        QPainter painter(&writer);
        QPainterSurface surface(painter);
        DrawPrintedPattern(surface, g, 0, 50, writer.logicalDpiX(), writer.logicalDpiY());
    }
    const QString base = dir.filePath("page");
    QProcess::execute("pdftoppm", {"-gray", "-r", "127", "-aa", "no", "-aaVector", "no", "-singlefile", pdf, base});
    QImage page(base + ".pgm");
    ASSERT_FALSE(page.isNull());
    // Five pixels per millimetre; cells of 210 * 0.5 / 18 mm, sheet from
    // u = 1 to 17 around the middle, the crease at 148.5 mm.
    const double cell = 105.0 / 18;
    const int left = static_cast<int>((52.5 + cell) * 5), right = static_cast<int>((52.5 + 17 * cell) * 5);
    const int top = static_cast<int>((148.5 - 8 * cell) * 5);
    auto dark = [&](int x, int y) {
        for (int d = -2; d <= 2; ++d)
            if (qGray(page.pixel(x + d, y)) < 128 || qGray(page.pixel(x, y + d)) < 128) return true;
        return false;
    };
    EXPECT_TRUE(dark(left, 700));
    EXPECT_TRUE(dark(right, 700));
    EXPECT_TRUE(dark(500, top));
    EXPECT_FALSE(dark(500, 700));
    EXPECT_FALSE(dark(left - 30, 700));
}

}  // namespace
}  // namespace pw
