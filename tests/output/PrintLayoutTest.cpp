// The printed page on any paper: the A4 placement kept to the last bit, the
// same centring on other papers and at a cell size, tiling of a sheet larger
// than the printable area, and the pens' scale to the printer's resolution.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "output/PatternPlacement.h"
#include "output/PrintLayout.h"
#include "output/TilePlan.h"

namespace pw {
namespace {

PrinterPage Page(int dpi, double widthMm, double heightMm, double marginMm = 5) {
    PrinterPage p;
    p.dpiX = p.dpiY = dpi;
    p.paperWidthMm = widthMm;
    p.paperHeightMm = heightMm;
    p.printableWidthPx = (widthMm - 2 * marginMm) * dpi / 25.4;
    p.printableHeightPx = (heightMm - 2 * marginMm) * dpi / 25.4;
    return p;
}

TEST(PrintLayout, A4WithoutACellSizeIsTheOriginalPlacementBitForBit) {
    for (int dpi : {72, 96, 300, 600, 1200})
        for (int ratio : {10, 33, 50, 77, 90})
            for (int W : {12, 18, 37, 82}) {
                const PatternPlacement a = ComputePrintPlacement(dpi, dpi, ratio, W);
                const PatternPlacement b = ComputePaperPrintPlacement(Page(dpi, 210, 297), ratio, W, 0);
                EXPECT_EQ(a.ox, b.ox);
                EXPECT_EQ(a.oy, b.oy);
                EXPECT_EQ(a.cw, b.cw);
                EXPECT_EQ(a.ch, b.ch);
            }
    // Unequal resolutions keep the cells square on paper.
    PrinterPage uneven = Page(600, 210, 297);
    uneven.dpiY = 300;
    const PatternPlacement u = ComputePaperPrintPlacement(uneven, 50, 18, 0);
    const PatternPlacement v = ComputePrintPlacement(600, 300, 50, 18);
    EXPECT_EQ(u.ch, v.ch);
    EXPECT_EQ(u.oy, v.oy);
}

TEST(PrintLayout, OtherPapersAndCellSizesAreCentredTheSameWay) {
    const double pxPerMm = 600 / 25.4;
    // Letter at the print size: the W columns (r * 210 mm) centred across
    // the paper, the crease at half its height.
    const PatternPlacement letter = ComputePaperPrintPlacement(Page(600, 215.9, 279.4), 50, 18, 0);
    EXPECT_NEAR(letter.cw / pxPerMm, 105.0 / 18, 1e-9);
    EXPECT_NEAR((letter.ox + 9 * letter.cw) / pxPerMm, 215.9 / 2, 1e-9);
    EXPECT_NEAR(letter.oy / pxPerMm, 279.4 / 2, 1e-9);
    // A cell size: so many millimetres per cell, on any paper.
    const PatternPlacement cell = ComputePaperPrintPlacement(Page(600, 210, 297), 50, 18, 4);
    EXPECT_NEAR(cell.cw / pxPerMm, 4, 1e-9);
    EXPECT_NEAR(cell.ch / pxPerMm, 4, 1e-9);
    EXPECT_NEAR((cell.ox + 9 * cell.cw) / pxPerMm, 105, 1e-9);
    EXPECT_NEAR(cell.oy / pxPerMm, 148.5, 1e-9);
}

TEST(PrintLayout, OnePageWhenTheSheetFitsTheTiledPagesOtherwise) {
    const PrinterPage a4 = Page(300, 210, 297);
    const auto one = PlanPrintedPages(a4, 50, 18, 9, 0);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_FALSE(one[0].tiled);
    EXPECT_TRUE(one[0].marks.empty());

    // 16 by 16 cells of 25 mm: a 400 mm square sheet over A4 pieces of
    // 190 by 277 mm less the margins, 10 mm shared.
    const auto tiles = PlanPrintedPages(a4, 50, 18, 9, 25);
    const double pxPerMm = 300 / 25.4;
    const double pieceW = 200 - 20, pieceH = 287 - 20;
    const int columns = static_cast<int>(std::ceil((400 - 10) / (pieceW - 10)));
    const int rows = static_cast<int>(std::ceil((400 - 10) / (pieceH - 10)));
    ASSERT_EQ(static_cast<int>(tiles.size()), rows * columns);
    EXPECT_EQ(tiles.front().label, "1, 1");
    EXPECT_EQ(tiles.back().label, std::to_string(rows) + ", " + std::to_string(columns));

    // Every point of the sheet shows on some page, inside that page's clip.
    for (double x = 0; x <= 400; x += 7)
        for (double y = 0; y <= 400; y += 7) {
            int shown = 0;
            for (const PrintedPage& t : tiles) {
                EXPECT_TRUE(t.tiled);
                EXPECT_NEAR(t.placement.cw / pxPerMm, 25, 1e-9);
                // The sheet point (u, s) = (1 + x / 25, 8 - y / 25)... on this page:
                const double px = t.placement.ox + (1 + x / 25) * t.placement.cw;
                const double py = t.placement.oy + (y / 25 - 8) * t.placement.ch;
                shown += px >= t.clipLeft && px <= t.clipRight && py >= t.clipTop && py <= t.clipBottom;
            }
            EXPECT_GE(shown, 1) << x << "," << y;
        }
    // Neighbours overlap by 10 mm: the same sheet point at both pages' inner edges.
    const PrintedPage& first = tiles[0];
    const PrintedPage& second = tiles[1];
    const double sheetXAtFirstRight = (first.clipRight - first.placement.ox) / first.placement.cw;
    const double sheetXAtSecondLeft = (second.clipLeft - second.placement.ox) / second.placement.cw;
    EXPECT_NEAR((sheetXAtFirstRight - sheetXAtSecondLeft) * 25, 10, 1e-6);
}

TEST(PrintLayout, APrinterWithoutRoomForPiecesPrintsTheOnePage) {
    PrinterPage none = Page(600, 210, 297);
    none.printableWidthPx = none.printableHeightPx = 0;
    const auto pages = PlanPrintedPages(none, 50, 18, 9, 0);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_FALSE(pages[0].tiled);
    const PrinterPage label = Page(300, 50, 30, 2);  // a label printer
    EXPECT_EQ(PlanPrintedPages(label, 50, 18, 9, 5).size(), 1u);
}

TEST(PrintLayout, PensAsWideAsOnAScreen) {
    EXPECT_DOUBLE_EQ(PrintPenScale(96), 1);
    EXPECT_DOUBLE_EQ(PrintPenScale(600), 6.25);
    EXPECT_DOUBLE_EQ(PrintPenScale(1200), 12.5);
    // The cut pen of 2 pixels is 0.53 mm on paper, the folds 0.26 mm.
    EXPECT_NEAR(2 * PrintPenScale(1200) / 1200 * 25.4, 0.529, 0.001);
    EXPECT_NEAR(1 * PrintPenScale(600) / 600 * 25.4, 0.265, 0.001);
}

TEST(TilePlan, PiecesCoverTheBoxCentredWithAlignmentMarksOnSharedStrips) {
    const TileGrid g = PlanTiles(10, 20, 410, 220, 150, 120, 10);
    EXPECT_EQ(g.columns, 3);  // 400 mm in pieces of 150 that advance by 140
    EXPECT_EQ(g.rows, 2);     // 200 mm in pieces of 120 that advance by 110
    EXPECT_DOUBLE_EQ(g.TileLeft(0) + (g.TileLeft(2) + 150 - g.TileLeft(0)) / 2, 210);
    EXPECT_LE(g.TileLeft(0), 10);
    EXPECT_GE(g.TileLeft(2) + 150, 410);
    // A corner piece shares one strip across and one down: four crosses; a
    // middle piece of the top row three strips: six.
    EXPECT_EQ(g.AlignmentMarks(0, 0).size(), 4u);
    EXPECT_EQ(g.AlignmentMarks(0, 1).size(), 6u);
    for (const MmPoint& m : g.AlignmentMarks(0, 0)) {
        const auto right = g.AlignmentMarks(0, 1), below = g.AlignmentMarks(1, 0);
        const bool shared = std::any_of(right.begin(), right.end(), [&](const MmPoint& n) { return n.x == m.x && n.y == m.y; }) ||
                            std::any_of(below.begin(), below.end(), [&](const MmPoint& n) { return n.x == m.x && n.y == m.y; });
        EXPECT_TRUE(shared);
    }
    EXPECT_EQ(TileGrid::Label(1, 2), "2, 3");
    // A box that fits is one piece; absurdly small pieces stay bounded.
    EXPECT_EQ(PlanTiles(0, 0, 100, 100, 150, 120, 10).Count(), 1);
    EXPECT_LE(PlanTiles(0, 0, 1e6, 1e6, 0.01, 0.01, 10).Count(), 200 * 200);
}

}  // namespace
}  // namespace pw
