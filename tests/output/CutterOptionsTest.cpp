// The options of the cutter-ready files: real size, cut order, hairlines,
// perforated folds, the legend and the page they are laid out on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <tuple>

#include "model/CellGrid.h"
#include "model/RebuildPass.h"
#include "output/CutterPattern.h"
#include "output/PatternOptions.h"
#include "support/CardBuilder.h"

namespace pw {
namespace {

double Length(const MmLine& l) { return std::hypot(l.x1 - l.x0, l.y1 - l.y0); }

bool SameLine(const MmLine& a, const MmLine& b, double eps = 1e-9) {
    auto eq = [&](double p, double q) { return std::abs(p - q) < eps; };
    return (eq(a.x0, b.x0) && eq(a.y0, b.y0) && eq(a.x1, b.x1) && eq(a.y1, b.y1)) ||
           (eq(a.x0, b.x1) && eq(a.y0, b.y1) && eq(a.x1, b.x0) && eq(a.y1, b.y0));
}

bool SameLineSet(const std::vector<MmLine>& a, const std::vector<MmLine>& b) {
    if (a.size() != b.size()) return false;
    for (const MmLine& l : a)
        if (std::count_if(b.begin(), b.end(), [&](const MmLine& k) { return SameLine(l, k); }) != 1) return false;
    return true;
}

// A card with boxes, steps and tunnels, its faces rebuilt.
CellGrid& Card(CellGrid& g, unsigned seed = 5) {
    std::mt19937 rng(seed);
    test::RandomCard(g, rng, 18, 9);
    for (int x = 4; x <= 6; ++x) test::AddBox(g, x, 2, 3);
    RunRebuildPass(g);
    return g;
}

TEST(PatternOptions, PapersCellSizesAndNumbers) {
    ASSERT_EQ(KnownPapers().size(), 9u);
    EXPECT_EQ(A4Paper().name, "a4");
    const auto letter = PaperNamed("Letter");
    ASSERT_TRUE(letter.has_value());
    EXPECT_DOUBLE_EQ(letter->widthMm, 215.9);
    EXPECT_DOUBLE_EQ(PaperNamed("LEGAL")->heightMm, 355.6);
    EXPECT_DOUBLE_EQ(PaperNamed("a3")->widthMm, 297);
    EXPECT_DOUBLE_EQ(PaperNamed("a5")->heightMm, 210);
    // The Japanese postcards and JIS B, not ISO B.
    EXPECT_DOUBLE_EQ(PaperNamed("postcard")->widthMm, 100);
    EXPECT_DOUBLE_EQ(PaperNamed("Reply-Postcard")->heightMm, 200);
    EXPECT_DOUBLE_EQ(PaperNamed("b5")->widthMm, 182);
    EXPECT_DOUBLE_EQ(PaperNamed("b4")->heightMm, 364);
    EXPECT_FALSE(PaperNamed("b6").has_value());
    EXPECT_FALSE(PaperNamed("").has_value());

    EXPECT_TRUE(CellSizeAllowed(0));
    EXPECT_TRUE(CellSizeAllowed(0.5));
    EXPECT_TRUE(CellSizeAllowed(50));
    EXPECT_FALSE(CellSizeAllowed(0.49));
    EXPECT_FALSE(CellSizeAllowed(50.01));
    EXPECT_FALSE(CellSizeAllowed(-1));
    EXPECT_DOUBLE_EQ(PatternCellMm(0, 50, 18), 105.0 / 18);
    EXPECT_DOUBLE_EQ(PatternCellMm(4, 50, 18), 4);

    double v = 0;
    EXPECT_TRUE(ParseDecimal("2.5", v));
    EXPECT_DOUBLE_EQ(v, 2.5);
    EXPECT_TRUE(ParseDecimal("+.5", v));
    EXPECT_DOUBLE_EQ(v, 0.5);
    EXPECT_TRUE(ParseDecimal("-3", v));
    EXPECT_DOUBLE_EQ(v, -3);
    EXPECT_TRUE(ParseDecimal("0.1", v));
    EXPECT_EQ(v, 0.1);
    for (const char* bad : {"", ".", "-", "1.2.3", "1e3", "2,5", " 2", "nan", "inf", "1234567890123"})
        EXPECT_FALSE(ParseDecimal(bad, v)) << bad;

    // 16 by 8 cells of 5 mm: an 80 by 40 mm card from an 80 by 80 mm sheet.
    const FinishedSize size = FinishedSizeOf(5, 18, 9);
    EXPECT_DOUBLE_EQ(size.cardWidthMm, 80);
    EXPECT_DOUBLE_EQ(size.cardHeightMm, 40);
    EXPECT_DOUBLE_EQ(size.sheetWidthMm, 80);
    EXPECT_DOUBLE_EQ(size.sheetHeightMm, 80);
    EXPECT_EQ(FinishedSizeText(FinishedSizeOf(105.0 / 18, 18, 9)),
              "card 93.3 \xC3\x97 46.7 mm (opened), sheet 93.3 \xC3\x97 93.3 mm");
}

TEST(CutterOptions, CellSizeGivesTheRealSizeCentredOnThePaper) {
    CellGrid g;
    Card(g);
    PatternOptions o;
    o.cellMm = 7.5;
    const CutterPattern p = LayOutCutterPattern(g, 0, 50, o);
    EXPECT_DOUBLE_EQ(p.cellMm, 7.5);
    EXPECT_DOUBLE_EQ(p.sheetRightMm - p.sheetLeftMm, 16 * 7.5);
    EXPECT_DOUBLE_EQ(p.sheetBottomMm - p.sheetTopMm, 16 * 7.5);
    EXPECT_DOUBLE_EQ((p.sheetLeftMm + p.sheetRightMm) / 2, 105);
    EXPECT_DOUBLE_EQ((p.sheetTopMm + p.sheetBottomMm) / 2, 148.5);
    EXPECT_FALSE(p.grown);
    // Every line end lies on the cell grid of the sheet.
    for (const CutterLayer* layer : p.LayersInOrder())
        for (const MmLine& l : layer->lines)
            for (double u : {(l.x0 - p.sheetLeftMm) / 7.5, (l.x1 - p.sheetLeftMm) / 7.5, (l.y0 - p.sheetTopMm) / 7.5,
                             (l.y1 - p.sheetTopMm) / 7.5})
                EXPECT_NEAR(u, std::round(u), 1e-9) << layer->name;

    // The same lines as at the printed size, scaled about the crease's middle.
    const CutterPattern printed = LayOutCutterPattern(g, 0, 50, PatternOptions());
    const double k = 7.5 / printed.cellMm;
    for (const auto& [scaled, base] :
         {std::pair{&p.cut, &printed.cut}, std::pair{&p.mountain, &printed.mountain}, std::pair{&p.valley, &printed.valley}}) {
        std::vector<MmLine> expected;
        for (const MmLine& l : base->lines)
            expected.push_back({105 + (l.x0 - 105) * k, 148.5 + (l.y0 - 148.5) * k, 105 + (l.x1 - 105) * k,
                                148.5 + (l.y1 - 148.5) * k});
        ASSERT_EQ(scaled->lines.size(), expected.size());
        for (const MmLine& l : scaled->lines)
            EXPECT_TRUE(std::any_of(expected.begin(), expected.end(),
                                    [&](const MmLine& e) { return SameLine(l, e, 1e-6); }));
    }

    // Other papers centre it the same way.
    o.paper = *PaperNamed("letter");
    const CutterPattern letter = LayOutCutterPattern(g, 0, 50, o);
    EXPECT_DOUBLE_EQ(letter.pageWidthMm, 215.9);
    EXPECT_DOUBLE_EQ(letter.pageHeightMm, 279.4);
    EXPECT_DOUBLE_EQ((letter.sheetLeftMm + letter.sheetRightMm) / 2, 215.9 / 2);
    EXPECT_DOUBLE_EQ((letter.sheetTopMm + letter.sheetBottomMm) / 2, 279.4 / 2);
}

TEST(CutterOptions, InnerCutsFirstAndTheOutlineLastAsOneLoop) {
    CellGrid g;
    Card(g);
    PatternOptions inner;
    PatternOptions drawn;
    drawn.cutOrder = CutOrder::AsDrawn;
    const CutterPattern a = LayOutCutterPattern(g, 0, 50, inner);
    const CutterPattern b = LayOutCutterPattern(g, 0, 50, drawn);
    EXPECT_EQ(inner.cutOrder, CutOrder::InnerFirst);  // the default

    // The same lines either way, each once.
    EXPECT_TRUE(SameLineSet(a.cut.lines, b.cut.lines));
    EXPECT_TRUE(SameLineSet(a.mountain.lines, b.mountain.lines));
    EXPECT_TRUE(SameLineSet(a.valley.lines, b.valley.lines));

    // Folds first, then the cuts; the cut layer ends with the four sides of
    // the sheet, each starting where the one before ended, back to the start.
    const auto order = a.LayersInOrder();
    ASSERT_EQ(order.size(), 3u);
    EXPECT_EQ(order.back(), &a.cut);
    EXPECT_EQ(b.LayersInOrder().front(), &b.cut);
    ASSERT_GE(a.cut.lines.size(), 4u);
    const std::size_t n = a.cut.lines.size();
    const MmLine* loop = &a.cut.lines[n - 4];
    for (int k = 0; k < 4; ++k) {
        const MmLine& next = loop[(k + 1) % 4];
        EXPECT_DOUBLE_EQ(loop[k].x1, next.x0);
        EXPECT_DOUBLE_EQ(loop[k].y1, next.y0);
    }
    EXPECT_DOUBLE_EQ(loop[0].x0, a.sheetLeftMm);
    EXPECT_DOUBLE_EQ(loop[0].y0, a.sheetTopMm);
    EXPECT_DOUBLE_EQ(loop[1].x0, a.sheetRightMm);
    EXPECT_DOUBLE_EQ(loop[2].y0, a.sheetBottomMm);
    // No inner cut lies on the outline.
    for (std::size_t k = 0; k + 4 < n; ++k) {
        const MmLine& l = a.cut.lines[k];
        const bool onEdge = (l.x0 == l.x1 && (l.x0 == a.sheetLeftMm || l.x0 == a.sheetRightMm)) ||
                            (l.y0 == l.y1 && (l.y0 == a.sheetTopMm || l.y0 == a.sheetBottomMm));
        EXPECT_FALSE(onEdge) << k;
    }

    // Mirrored, the loop still closes the file.
    const CutterPattern m = LayOutCutterPattern(g, 1, 50, inner);
    EXPECT_DOUBLE_EQ(m.cut.lines[m.cut.lines.size() - 4].x0, m.sheetLeftMm);

    // The files write every run of connected cuts as one path: where just
    // two cuts meet, the path goes on (or, on a ring, closes); the outline
    // is one closed path of its four corners.
    for (unsigned seed : {5u, 6u, 7u, 8u}) {
        CellGrid card;
        Card(card, seed);
        for (const CutterPattern& p : {LayOutCutterPattern(card, 0, 50, inner), LayOutCutterPattern(card, 1, 50, drawn)}) {
            const std::vector<MmPath> paths = PathsOf(p.cut, true);
            ASSERT_FALSE(paths.empty());
            EXPECT_TRUE(paths.back().closed);
            EXPECT_EQ(paths.back().points.size(), 5u);
            std::map<std::pair<double, double>, int> ends;
            for (const MmLine& l : p.cut.lines) {
                ++ends[{l.x0, l.y0}];
                ++ends[{l.x1, l.y1}];
            }
            for (const MmPath& path : paths) {
                if (path.closed) continue;
                for (const MmPoint& q : {path.points.front(), path.points.back()}) {
                    const int meeting = ends[std::make_pair(q.x, q.y)];
                    EXPECT_NE(meeting, 2) << "a path ends where it could go on, seed " << seed;
                }
            }
        }
    }
}

TEST(CutterOptions, HairlinesForEveryLayerButNotTheLegend) {
    CellGrid g;
    Card(g);
    PatternOptions o;
    o.hairline = true;
    o.legend = true;
    const CutterPattern p = LayOutCutterPattern(g, 0, 50, o);
    for (const CutterLayer* layer : p.LayersInOrder()) EXPECT_DOUBLE_EQ(layer->strokeMm, 0.0254) << layer->name;
    EXPECT_EQ(FormatStrokeMm(p.cut.strokeMm), "0.0254");
    ASSERT_TRUE(p.legend.has_value());
    for (const CutterLayer& sample : p.legend->samples) EXPECT_GT(sample.strokeMm, 0.1);
    const CutterPattern plain = LayOutCutterPattern(g, 0, 50, PatternOptions());
    EXPECT_DOUBLE_EQ(plain.cut.strokeMm, 0.2);
}

// The shortest distance between two horizontal or vertical lines.
double Distance(const MmLine& a, const MmLine& b) {
    auto span = [](double p, double q) { return std::pair{std::min(p, q), std::max(p, q)}; };
    auto apart = [](std::pair<double, double> u, std::pair<double, double> v) {
        return std::max({0.0, v.first - u.second, u.first - v.second});
    };
    return std::hypot(apart(span(a.x0, a.x1), span(b.x0, b.x1)), apart(span(a.y0, a.y1), span(b.y0, b.y1)));
}

TEST(CutterOptions, PerforatedFoldsKeepUncutPaperAtEveryCutAndScoreTheShortOnes) {
    // The smallest: one box, one cell deep, at 2 mm cells; its one-cell
    // folds end at cuts on both sides. And random cards at 1, 2 and 5 mm.
    CellGrid box;
    box.NewCard(6, 5);
    test::AddBox(box, 2, 2, 1);
    RunRebuildPass(box);
    std::vector<std::pair<CellGrid*, double>> cards = {{&box, 2.0}};
    CellGrid random[3];
    const double cells[3] = {1, 2, 5};
    for (int k = 0; k < 3; ++k) cards.emplace_back(&Card(random[k], 11 + static_cast<unsigned>(k)), cells[k]);
    for (const auto& [card, cell] : cards) {
        for (const auto& [dash, gap] : {std::pair{2.0, 1.0}, std::pair{1.5, 0.4}}) {
            PatternOptions o;
            o.cellMm = cell;
            o.perforate = true;
            o.dashMm = dash;
            o.gapMm = gap;
            const CutterPattern p = LayOutCutterPattern(*card, 0, 50, o);
            o.perforate = false;
            const CutterPattern whole = LayOutCutterPattern(*card, 0, 50, o);
            EXPECT_TRUE(SameLineSet(p.cut.lines, whole.cut.lines));
            EXPECT_TRUE(p.mountain.dashMm.empty() && p.valley.dashMm.empty());
            for (const auto& [layer, fold, piece] : {std::tuple{&p.mountain, &whole.mountain, dash},
                                                     std::tuple{&p.valley, &whole.valley, dash / 4}}) {
                for (const MmLine& l : layer->lines) {
                    // As long as the layer's dash, on a fold of its kind, and
                    // never nearer a cut than the gap.
                    EXPECT_NEAR(Length(l), piece, 1e-9) << layer->name;
                    EXPECT_TRUE(std::any_of(fold->lines.begin(), fold->lines.end(),
                                            [&](const MmLine& f) { return Distance(f, l) < 1e-9 && f.y0 == l.y0; }));
                    for (const MmLine& c : p.cut.lines)
                        ASSERT_GE(Distance(l, c), gap - 1e-9) << layer->name << " cell " << cell << " at " << l.x0
                                                              << "," << l.y0;
                }
            }
            // The scored ones are too short for a piece with a gap at each end.
            EXPECT_EQ(p.scoredFolds, static_cast<int>(p.score.lines.size()));
            for (const MmLine& l : p.score.lines) EXPECT_LT(Length(l), dash + 2 * gap + 1e-9);
            const auto layers = p.LayersInOrder();
            const bool scored = std::find(layers.begin(), layers.end(), &p.score) != layers.end();
            EXPECT_EQ(scored, p.scoredFolds > 0);
            if (card == &box && cell == 2 && dash == 2) {
                EXPECT_GT(p.scoredFolds, 0);
            }
        }
    }
}

TEST(CutterOptions, PerforationLeavesAGapAtBothEndsAndIsCentred) {
    const MmLine line{10, 5, 23.7, 5};
    for (const auto& [piece, gap] : {std::pair{2.0, 1.0}, std::pair{0.5, 1.0}, std::pair{3.0, 0.2}}) {
        const auto pieces = PerforateLine(line, piece, gap);
        ASSERT_FALSE(pieces.empty());
        // As many as fit: one more would leave less than a gap at the ends.
        const double n = static_cast<double>(pieces.size());
        EXPECT_LE(n * piece + (n + 1) * gap, 13.7 + 1e-9);
        EXPECT_GT((n + 1) * piece + (n + 2) * gap, 13.7);
        EXPECT_NEAR(pieces.front().x0 - 10, 23.7 - pieces.back().x1, 1e-9);  // centred
        EXPECT_GE(pieces.front().x0 - 10, gap - 1e-9);
        for (std::size_t k = 0; k < pieces.size(); ++k) {
            EXPECT_NEAR(Length(pieces[k]), piece, 1e-9);
            if (k) {
                EXPECT_NEAR(pieces[k].x0 - pieces[k - 1].x1, gap, 1e-9);
            }
        }
        // Mirrored, the same pieces.
        const auto reversed = PerforateLine(MmLine{23.7, 5, 10, 5}, piece, gap);
        ASSERT_EQ(pieces.size(), reversed.size());
        for (const MmLine& p : pieces)
            EXPECT_TRUE(std::any_of(reversed.begin(), reversed.end(), [&](const MmLine& r) { return SameLine(p, r, 1e-9); }));
    }
    // Exactly a piece and two gaps is one piece; shorter is none.
    EXPECT_EQ(PerforateLine(MmLine{0, 0, 0, 4}, 2, 1).size(), 1u);
    EXPECT_TRUE(PerforateLine(MmLine{0, 0, 0, 3.99}, 2, 1).empty());
    EXPECT_TRUE(PerforateLine(MmLine{1, 1, 1, 1}, 2, 1).empty());
    EXPECT_EQ(ScoredFoldsText(3), "3 folds too short to perforate were written as score lines.");
    EXPECT_EQ(ScoredFoldsText(0), "");
}

TEST(CutterOptions, LegendBelowTheSheetWithTheKindsAndTheSize) {
    CellGrid g;
    Card(g);
    PatternOptions o;
    o.legend = true;
    o.perforate = true;
    const CutterPattern p = LayOutCutterPattern(g, 0, 50, o);
    ASSERT_TRUE(p.legend.has_value());
    const PatternLegend& legend = *p.legend;
    EXPECT_GT(legend.top, p.sheetBottomMm);
    EXPECT_LE(legend.bottom, p.pageHeightMm - 10);
    EXPECT_DOUBLE_EQ(legend.left, p.sheetLeftMm);
    ASSERT_EQ(legend.samples.size(), p.scoredFolds > 0 ? 4u : 3u);
    EXPECT_EQ(legend.samples[0].name, "cut");
    EXPECT_EQ(legend.samples[1].color, std::string(p.mountain.color));
    EXPECT_EQ(legend.samples[0].lines.size(), 1u);
    EXPECT_GT(legend.samples[1].lines.size(), 3u);  // perforated like the folds
    std::vector<std::string> texts;
    for (const TextMark& t : legend.texts) texts.push_back(t.text);
    // Each kind named with its colour and how it is drawn, so that a print
    // in black and white still tells mountains (dashed) from valleys.
    std::vector<std::string> expected = {"cut: red, solid", "mountain fold: blue, dashed", "valley fold: green, dotted"};
    if (p.scoredFolds > 0) expected.push_back("fold to score, not cut: magenta, solid");
    expected.push_back("card 93.3 \xC3\x97 46.7 mm (opened)");
    expected.push_back("sheet 93.3 \xC3\x97 93.3 mm");
    EXPECT_EQ(texts, expected);
    // The sheet stays where it was without the legend.
    const CutterPattern without = LayOutCutterPattern(g, 0, 50, PatternOptions());
    EXPECT_DOUBLE_EQ(p.sheetTopMm, without.sheetTopMm);
    EXPECT_FALSE(without.legend.has_value());

    // A sheet that fills the page moves up to make room for the legend: 16
    // by 12 cells of 10 mm, 240 mm of sheet on 297 mm of paper.
    CellGrid tall;
    tall.NewCard(18, 13);
    RunRebuildPass(tall);
    PatternOptions big = o;
    big.cellMm = 10;
    const CutterPattern moved = LayOutCutterPattern(tall, 0, 50, big);
    EXPECT_FALSE(moved.grown);
    EXPECT_LT(moved.sheetTopMm, 148.5 - 120);
    EXPECT_GE(moved.sheetTopMm, 10 - 1e-9);
    EXPECT_LE(moved.legend->bottom, 297 - 10 + 1e-9);
    EXPECT_DOUBLE_EQ((moved.sheetLeftMm + moved.sheetRightMm) / 2, 105);
    // One that cannot fit grows the page around the whole drawing.
    big.cellMm = 11;
    const CutterPattern grown = LayOutCutterPattern(tall, 0, 50, big);
    EXPECT_TRUE(grown.grown);
    EXPECT_DOUBLE_EQ(grown.pageWidthMm, 210);
    EXPECT_NEAR(grown.sheetTopMm - 10, grown.pageHeightMm - 10 - grown.legend->bottom, 1e-9);
}

}  // namespace
}  // namespace pw
