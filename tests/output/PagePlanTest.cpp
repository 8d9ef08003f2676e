// The pattern's pages, planned once for the PDF and the printout: the A4
// print placement kept to the last bit, the same centring on other papers
// and at a cell size, tiling of a drawing larger than the printable area
// (pieces sharing it evenly, pages turned when that needs fewer), the sheet
// fitted to one page, every line on the pages that cover it, the printout's
// cells where the plan puts the pattern, and the pens' scale.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <tuple>
#include <vector>

#include "model/CellGrid.h"
#include "model/RebuildPass.h"
#include "output/CutterPattern.h"
#include "output/PaperGrid.h"
#include "output/PatternPlacement.h"
#include "output/PrintLayout.h"
#include "output/TilePlan.h"
#include "support/CardBuilder.h"

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

// A planned printer page in the printer's device units, as the print step
// draws it.
struct PrintedPage {
    PatternPlacement placement;
    bool turned = false, tiled = false;
    double clipLeft = 0, clipTop = 0, clipRight = 0, clipBottom = 0;
    std::string label;
};

std::vector<PrintedPage> PlanPrintedPages(const PrinterPage& page, int ratio, int W, int H, double cellMm,
                                          PrintScale scale = PrintScale::RealSize) {
    CellGrid g;
    g.NewCard(W, H);
    RunRebuildPass(g);
    PatternOptions o;
    o.cellMm = PrintCellMm(page, ratio, W, cellMm);
    o.paper = PaperSize{"", page.paperWidthMm, page.paperHeightMm};
    const CutterPattern pattern = LayOutCutterPattern(g, 0, ratio, o);
    std::vector<PrintedPage> pages;
    for (const PatternPage& p : PlanPatternPages(pattern, PrinterFrame(page), scale).pages) {
        PrintedPage t;
        t.placement = PrintedPlacement(pattern, p, page, ratio, W, cellMm);
        t.turned = p.turned;
        t.tiled = p.clipped;
        const PrinterPage device = p.turned ? TurnedPage(page) : page;
        const double pxX = device.dpiX / 25.4, pxY = device.dpiY / 25.4;
        t.clipLeft = p.clipLeft * pxX;
        t.clipRight = p.clipRight * pxX;
        t.clipTop = p.clipTop * pxY;
        t.clipBottom = p.clipBottom * pxY;
        t.label = p.label;
        pages.push_back(t);
    }
    return pages;
}

// The sheet's box (columns 1 to W-1, H-1 cells either side of the crease)
// on a page, in device units.
struct Box {
    double left, top, right, bottom;
};
Box SheetOn(const PrintedPage& t, int W, int H) {
    const PatternPlacement& p = t.placement;
    return {p.ox + p.cw, p.oy - (H - 1) * p.ch, p.ox + (W - 1) * p.cw, p.oy + (H - 1) * p.ch};
}

// Whether every point of a sheet of cells of `cell` mm shows on some page,
// inside that page's clip (or anywhere on an untiled page).
void ExpectEveryPointShown(const std::vector<PrintedPage>& pages, int W, int H, double cell) {
    const double width = (W - 2) * cell, height = 2 * (H - 1) * cell;
    for (double x = 0; x <= width; x += width / 37)
        for (double y = 0; y <= height; y += height / 41) {
            int shown = 0;
            for (const PrintedPage& t : pages) {
                const double px = t.placement.ox + (1 + x / cell) * t.placement.cw;
                const double py = t.placement.oy + (y / cell - (H - 1)) * t.placement.ch;
                shown += !t.tiled || (px >= t.clipLeft - 1e-6 && px <= t.clipRight + 1e-6 && py >= t.clipTop - 1e-6 &&
                                      py <= t.clipBottom + 1e-6);
            }
            EXPECT_GE(shown, 1) << x << "," << y;
        }
}

TEST(PrintLayout, A4WithoutACellSizeIsTheOriginalPlacementBitForBit) {
    for (int dpi : {72, 96, 300, 600, 1200})
        for (int ratio : {10, 33, 50, 77, 90})
            for (int W : {12, 18, 37, 82}) {
                const PatternPlacement a = ComputePrintPlacement(dpi, dpi, ratio, W);
                // Through the page plan too, as the print step gets it.
                for (const PatternPlacement& b :
                     {ComputePaperPrintPlacement(Page(dpi, 210, 297), ratio, W, 0),
                      PlanPrintedPages(Page(dpi, 210, 297, 4), ratio, W, 4, 0).at(0).placement}) {
                    EXPECT_EQ(a.ox, b.ox);
                    EXPECT_EQ(a.oy, b.oy);
                    EXPECT_EQ(a.cw, b.cw);
                    EXPECT_EQ(a.ch, b.ch);
                }
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
    for (const PrintedPage& t : tiles) {
        EXPECT_TRUE(t.tiled);
        EXPECT_NEAR(t.placement.cw / pxPerMm, 25, 1e-9);
    }
    ExpectEveryPointShown(tiles, 18, 9, 25);
    // Neighbours overlap by 10 mm: the same sheet point at both pages' inner edges.
    const PrintedPage& first = tiles[0];
    const PrintedPage& second = tiles[1];
    const double sheetXAtFirstRight = (first.clipRight - first.placement.ox) / first.placement.cw;
    const double sheetXAtSecondLeft = (second.clipLeft - second.placement.ox) / second.placement.cw;
    EXPECT_NEAR((sheetXAtFirstRight - sheetXAtSecondLeft) * 25, 10, 1e-6);
}

// Every paper gives a new card whose sheet is the paper within a cell, the
// postcards exactly; a sheet of the paper's own
// size is one page of that paper in the file, a hair
// larger is tiled.
TEST(PagePlan, ACardFromAPaperIsOnePageOfThatPaper) {
    for (const PaperSize& paper : KnownPapers()) {
        const PaperGrid g = GridForPaper(paper);
        ASSERT_GT(g.width, 0) << paper.name;
        EXPECT_NEAR(g.size.sheetWidthMm, paper.widthMm, 1e-9) << paper.name;
        EXPECT_LE(std::abs(g.size.sheetHeightMm - paper.heightMm), g.cellMm) << paper.name;
        if (paper.name != "postcard" && paper.name != "reply-postcard") continue;
        EXPECT_NEAR(g.size.sheetHeightMm, paper.heightMm, 1e-9) << paper.name;
        EXPECT_NEAR(g.size.cardHeightMm, paper.heightMm / 2, 1e-9) << paper.name;

        for (const double grow : {1.0, 1.01}) {
            const int W = g.width + 2, H = g.height + 1;
            CellGrid card;
            card.NewCard(W, H);
            RunRebuildPass(card);
            PatternOptions o;
            o.cellMm = g.cellMm * grow;
            o.paper = paper;
            const PatternPages file = PlanPatternPages(LayOutCutterPattern(card, 0, 50, o));
            EXPECT_EQ(file.pages.size() == 1, grow == 1) << paper.name << grow;
        }
    }
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

TEST(PrintLayout, TiledPiecesShareTheSheetEvenly) {
    // The 400 mm square sheet needs 3 by 2 pieces upright and turned alike,
    // so it stays upright; the pieces (PlanEvenTiles) cover the sheet and
    // the outline's bleed, no more: (402 + 2 * 10) / 3 by (402 + 10) / 2 mm.
    const auto tiles = PlanPrintedPages(Page(300, 210, 297), 50, 18, 9, 25);
    ASSERT_EQ(tiles.size(), 6u);
    const double pxPerMm = 300 / 25.4;
    const PrintedPage& first = tiles[0];
    EXPECT_FALSE(first.turned);
    EXPECT_NEAR((first.clipRight - first.clipLeft) / pxPerMm, 422.0 / 3, 1e-6);
    EXPECT_NEAR((first.clipBottom - first.clipTop) / pxPerMm, 206, 1e-6);
    // The sheet's left edge (u = 1) and top (s = -8) lie the bleed inside the first piece.
    EXPECT_NEAR((first.placement.ox + first.placement.cw - first.clipLeft) / pxPerMm, kTileBleedMm, 1e-6);
    EXPECT_NEAR((first.placement.oy - 8 * first.placement.ch - first.clipTop) / pxPerMm, kTileBleedMm, 1e-6);
}

TEST(PrintLayout, PagesTurnWhenThatNeedsFewer) {
    const PrinterPage a4 = Page(300, 210, 297);
    // 20 by 10 cells of 10 mm: 200 mm across a 190 mm wide printable area,
    // and within the 287 by 200 mm turned area: one turned page, at real
    // size, centred on the turned area.
    const auto one = PlanPrintedPages(a4, 50, 22, 6, 10);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_TRUE(one[0].turned);
    EXPECT_FALSE(one[0].tiled);
    const PrinterPage turned = TurnedPage(a4);
    const double pxPerMm = 300 / 25.4;
    EXPECT_NEAR(one[0].placement.cw / pxPerMm, 10, 1e-9);
    const Box b = SheetOn(one[0], 22, 6);
    EXPECT_NEAR(b.left + b.right, turned.printableWidthPx, 1e-6);
    EXPECT_NEAR(b.top + b.bottom, turned.printableHeightPx, 1e-6);

    // 20 by 60 cells of 10 mm: 2 columns by 3 rows of upright pieces (180
    // by 267 mm), 1 by 4 of turned ones (267 by 180 mm).
    const auto tall = PlanPrintedPages(a4, 50, 22, 31, 10);
    ASSERT_EQ(tall.size(), 4u);
    for (const PrintedPage& t : tall) {
        EXPECT_TRUE(t.turned);
        EXPECT_TRUE(t.tiled);
    }
    ExpectEveryPointShown(tall, 22, 31, 10);
    EXPECT_EQ(tall.back().label, "4, 1");
}

TEST(PrintLayout, FitToPageScalesTheSheetOntoOnePage) {
    const double pxPerMm = 300 / 25.4;
    const PrinterPage a4 = Page(300, 210, 297);
    // W by H grids, from a small sheet to one of 400 mm and a wide one.
    for (const auto& [W, H, cell] : std::vector<std::tuple<int, int, double>>{
             {18, 9, 0}, {18, 9, 25}, {22, 6, 10}, {22, 31, 10}, {40, 3, 4}, {5, 40, 0}}) {
        const auto pages = PlanPrintedPages(a4, 50, W, H, cell, PrintScale::FitToPage);
        ASSERT_EQ(pages.size(), 1u);
        const PrintedPage& p = pages[0];
        EXPECT_FALSE(p.tiled);
        const PrinterPage frame = p.turned ? TurnedPage(a4) : a4;
        const Box b = SheetOn(p, W, H);
        // Within 5 mm of the printable area's edges, touching that margin
        // on two opposite sides, centred; square cells.
        const double margin = kFitMarginMm * pxPerMm;
        EXPECT_GE(b.left, margin - 1e-6);
        EXPECT_GE(b.top, margin - 1e-6);
        EXPECT_LE(b.right, frame.printableWidthPx - margin + 1e-6);
        EXPECT_LE(b.bottom, frame.printableHeightPx - margin + 1e-6);
        EXPECT_TRUE(std::abs(b.left - margin) < 1e-6 || std::abs(b.top - margin) < 1e-6) << W << "x" << H;
        EXPECT_NEAR(b.left + b.right, frame.printableWidthPx, 1e-6);
        EXPECT_NEAR(b.top + b.bottom, frame.printableHeightPx, 1e-6);
        EXPECT_NEAR(p.placement.cw, p.placement.ch, 1e-9);
        // The larger of the two ways round within the margins (190 by 277
        // mm), upright when both are alike.
        const double across = W - 2, down = 2.0 * (H - 1);
        const double upright = std::min(190 / across, 277 / down), turned = std::min(277 / across, 190 / down);
        EXPECT_NEAR(p.placement.cw / pxPerMm, std::max(upright, turned), 1e-9) << W << "x" << H;
        EXPECT_EQ(p.turned, turned > upright + 1e-9) << W << "x" << H;
    }
}

// A random card laid out with random options on a random paper, planned for
// a file and for a printer with random margins and resolution.
struct RandomPlans {
    CutterPattern pattern;
    PrinterPage printer;
    PatternPages file, printed;
};

RandomPlans MakeRandomPlans(std::mt19937& rng, PrintScale scale = PrintScale::RealSize) {
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    CellGrid g;
    test::RandomCard(g, rng, pick(5, 30), pick(3, 25));
    RunRebuildPass(g);
    PatternOptions o;
    o.cellMm = pick(0, 3) == 0 ? 0 : pick(2, 400) / 10.0;
    o.legend = pick(0, 1);
    o.perforate = pick(0, 1);
    o.tile = pick(0, 3) == 0;
    o.paper = KnownPapers()[static_cast<std::size_t>(pick(0, static_cast<int>(KnownPapers().size()) - 1))];
    RandomPlans r;
    r.pattern = LayOutCutterPattern(g, pick(0, 1), pick(20, 90), o);
    r.printer = Page(pick(0, 1) ? 300 : 600, o.paper.widthMm, o.paper.heightMm, pick(0, 8));
    r.file = PlanPatternPages(r.pattern);
    r.printed = PlanPatternPages(r.pattern, PrinterFrame(r.printer), scale);
    return r;
}

// Whether the page shows the pattern point: inside its clip, or anywhere on
// its page (turned when the page is) when it shows the whole drawing.
bool Shows(const PatternPage& page, const PatternPages& plan, double x, double y, double slack) {
    x = (x + page.shiftX) * page.scale;
    y = (y + page.shiftY) * page.scale;
    if (page.clipped)
        return x >= page.clipLeft - 1e-6 && x <= page.clipRight + 1e-6 && y >= page.clipTop - 1e-6 &&
               y <= page.clipBottom + 1e-6;
    const double width = page.turned ? plan.pageHeightMm : plan.pageWidthMm;
    const double height = page.turned ? plan.pageWidthMm : plan.pageHeightMm;
    return x >= -slack && x <= width + slack && y >= -slack && y <= height + slack;
}

TEST(PagePlan, EveryLineLandsOnAPageAndPiecesOverlapByTheStatedStripOnly) {
    std::mt19937 rng(22);
    for (int i = 0; i < 120; ++i) {
        const PrintScale scale = i % 4 == 3 ? PrintScale::FitToPage : PrintScale::RealSize;
        const RandomPlans r = MakeRandomPlans(rng, scale);
        std::vector<const CutterLayer*> layers = r.pattern.LayersInOrder();
        if (r.pattern.legend)
            for (const CutterLayer& sample : r.pattern.legend->samples) layers.push_back(&sample);
        for (const PatternPages* plan : {&r.file, &r.printed}) {
            const double slack = plan == &r.printed ? 0.5 * 25.4 / r.printer.dpiX + 1e-6 : 1e-6;
            ASSERT_EQ(plan->pages.size(), static_cast<std::size_t>(plan->rows * plan->columns));
            for (const CutterLayer* layer : layers)
                for (const MmLine& l : layer->lines)
                    for (double f : {0.0, 0.3, 0.5, 1.0}) {
                        const double x = l.x0 + f * (l.x1 - l.x0), y = l.y0 + f * (l.y1 - l.y0);
                        const bool shown = std::any_of(plan->pages.begin(), plan->pages.end(), [&](const PatternPage& p) {
                            return Shows(p, *plan, x, y, slack);
                        });
                        ASSERT_TRUE(shown) << i << " " << layer->name << " at " << x << ", " << y;
                    }
            if (plan->pages.size() < 2) continue;
            // In the pattern's millimetres, a piece's right (bottom) edge
            // lies the overlap past its right (lower) neighbour's left (top).
            auto piece = [&](int row, int column) {
                const PatternPage& p = plan->pages[static_cast<std::size_t>(row * plan->columns + column)];
                return std::array<double, 4>{p.clipLeft - p.shiftX, p.clipTop - p.shiftY, p.clipRight - p.shiftX,
                                             p.clipBottom - p.shiftY};
            };
            for (int row = 0; row < plan->rows; ++row)
                for (int column = 0; column < plan->columns; ++column) {
                    const auto here = piece(row, column);
                    if (column + 1 < plan->columns) {
                        EXPECT_NEAR(here[2] - piece(row, column + 1)[0], kTileOverlapMm, 1e-6);
                    }
                    if (row + 1 < plan->rows) {
                        EXPECT_NEAR(here[3] - piece(row + 1, column)[1], kTileOverlapMm, 1e-6);
                    }
                }
        }
    }
}

TEST(PagePlan, ThePrintoutShowsThePdfPageAndPutsTheCellsWhereThePlanPutsThem) {
    std::mt19937 rng(7);
    for (int i = 0; i < 200; ++i) {
        RandomPlans r = MakeRandomPlans(rng, i % 3 == 2 ? PrintScale::FitToPage : PrintScale::RealSize);
        const CutterPattern& pattern = r.pattern;
        // A borderless printer prints the PDF's one page as it is.
        PrinterPage borderless = Page(600, pattern.paper.widthMm, pattern.paper.heightMm, 0);
        if (!pattern.grown && !pattern.forceTiling) {
            const PatternPages plan = PlanPatternPages(pattern, PrinterFrame(borderless));
            ASSERT_EQ(plan.pages.size(), 1u);
            EXPECT_EQ(plan.pages[0].shiftX, 0);
            EXPECT_EQ(plan.pages[0].shiftY, 0);
            EXPECT_EQ(plan.pages[0].scale, 1);
            EXPECT_FALSE(plan.pages[0].turned);
        }
        // The print step's cells, at the printer's resolution, land where
        // the plan puts the pattern's sheet corners.
        const int W = static_cast<int>(std::lround((pattern.sheetRightMm - pattern.sheetLeftMm) / pattern.cellMm)) + 2;
        for (const PatternPage& page : r.printed.pages) {
            const PatternPlacement p = PrintedPlacement(pattern, page, r.printer, 50, W, pattern.cellMm);
            const PrinterPage device = page.turned ? TurnedPage(r.printer) : r.printer;
            const double pxX = device.dpiX / 25.4, pxY = device.dpiY / 25.4;
            for (const auto& [u, mmX] : {std::pair{1, pattern.sheetLeftMm}, std::pair{W - 1, pattern.sheetRightMm}})
                EXPECT_NEAR((p.ox + u * p.cw) / pxX, (mmX + page.shiftX) * page.scale, 1e-6) << i;
            EXPECT_NEAR(p.oy / pxY, ((pattern.sheetTopMm + pattern.sheetBottomMm) / 2 + page.shiftY) * page.scale, 1e-6);
            EXPECT_NEAR(p.ch / pxY, pattern.cellMm * page.scale, 1e-9);
        }
    }
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

TEST(TilePlan, EvenPiecesShareTheBoxFromEdgeToEdge) {
    std::mt19937 rng(16);
    std::uniform_real_distribution<double> length(1, 1500), piece(40, 400);
    for (int i = 0; i < 500; ++i) {
        const double left = 13, top = -7, w = length(rng), h = length(rng), tw = piece(rng), th = piece(rng);
        const TileGrid plain = PlanTiles(left, top, left + w, top + h, tw, th, 10);
        const TileGrid even = PlanEvenTiles(left, top, left + w, top + h, tw, th, 10);
        ASSERT_EQ(even.columns, plain.columns);
        ASSERT_EQ(even.rows, plain.rows);
        EXPECT_LE(even.tileWidth, tw + 1e-9);
        EXPECT_LE(even.tileHeight, th + 1e-9);
        // One piece holds the box centred; more run from edge to edge.
        const double right = even.TileLeft(even.columns - 1) + even.tileWidth;
        const double bottom = even.TileTop(even.rows - 1) + even.tileHeight;
        if (even.columns > 1) {
            EXPECT_NEAR(even.TileLeft(0), left, 1e-9);
            EXPECT_NEAR(right, left + w, 1e-6);
        } else {
            EXPECT_NEAR(even.TileLeft(0) + right, 2 * left + w, 1e-6);
        }
        if (even.rows > 1) {
            EXPECT_NEAR(even.TileTop(0), top, 1e-9);
            EXPECT_NEAR(bottom, top + h, 1e-6);
        } else {
            EXPECT_NEAR(even.TileTop(0) + bottom, 2 * top + h, 1e-6);
        }
    }
}

}  // namespace
}  // namespace pw
