// The options of the cutter-ready files: real size, cut order, hairlines,
// perforated folds, the legend and the page they are laid out on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

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
    ASSERT_EQ(KnownPapers().size(), 5u);
    EXPECT_EQ(A4Paper().name, "a4");
    const auto letter = PaperNamed("Letter");
    ASSERT_TRUE(letter.has_value());
    EXPECT_DOUBLE_EQ(letter->widthMm, 215.9);
    EXPECT_DOUBLE_EQ(PaperNamed("LEGAL")->heightMm, 355.6);
    EXPECT_DOUBLE_EQ(PaperNamed("a3")->widthMm, 297);
    EXPECT_DOUBLE_EQ(PaperNamed("a5")->heightMm, 210);
    EXPECT_FALSE(PaperNamed("b5").has_value());
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

// Checks that the pieces lying on `line` follow the pattern: pieces of the
// dash (or, with a dot, alternately dash and dot) separated by the gap,
// centred on the line, nothing outside it.
void ExpectPerforated(const MmLine& line, const std::vector<MmLine>& pieces, double dash, double gap, double dot) {
    const double dx = line.x1 - line.x0, dy = line.y1 - line.y0, len = Length(line);
    std::vector<std::pair<double, double>> spans;
    for (const MmLine& p : pieces) {
        // On the line: zero distance from its carrier.
        const double cross0 = (p.x0 - line.x0) * dy - (p.y0 - line.y0) * dx;
        const double cross1 = (p.x1 - line.x0) * dy - (p.y1 - line.y0) * dx;
        if (std::abs(cross0) > 1e-6 * len || std::abs(cross1) > 1e-6 * len) continue;
        double a = ((p.x0 - line.x0) * dx + (p.y0 - line.y0) * dy) / len;
        double b = ((p.x1 - line.x0) * dx + (p.y1 - line.y0) * dy) / len;
        if (a > b) std::swap(a, b);
        if (b < -1e-9 || a > len + 1e-9) continue;
        spans.emplace_back(a, b);
    }
    std::sort(spans.begin(), spans.end());
    ASSERT_FALSE(spans.empty());
    EXPECT_GE(spans.front().first, -1e-9);
    EXPECT_LE(spans.back().second, len + 1e-9);
    const double period = dot > 0 ? dash + dot + 2 * gap : dash + gap;
    double covered = 0;
    for (std::size_t k = 0; k < spans.size(); ++k) {
        const double piece = spans[k].second - spans[k].first;
        covered += piece;
        const bool inside = spans[k].first > 1e-9 && spans[k].second < len - 1e-9;
        if (inside) {
            EXPECT_TRUE(std::abs(piece - dash) < 1e-9 || (dot > 0 && std::abs(piece - dot) < 1e-9)) << piece;
        }
        if (k > 0) {
            EXPECT_NEAR(spans[k].first - spans[k - 1].second, gap, 1e-9);
        }
    }
    // A dash sits on the line's middle.
    EXPECT_TRUE(std::any_of(spans.begin(), spans.end(), [&](const auto& s) {
        return std::abs((s.first + s.second) / 2 - len / 2) < 1e-9 && std::abs(s.second - s.first - std::min(dash, len)) < 1e-9;
    }));
    // Coverage as the pattern says, give or take the pieces at the ends.
    const double share = dot > 0 ? (dash + dot) / period : dash / period;
    EXPECT_NEAR(covered, share * len, 2 * dash + gap);
}

TEST(CutterOptions, PerforatedFoldsFollowTheChosenPatternOnEveryFold) {
    CellGrid g;
    Card(g, 9);
    PatternOptions solid;
    const CutterPattern whole = LayOutCutterPattern(g, 0, 50, solid);
    for (const auto& [dash, gap] : {std::pair{2.0, 1.0}, std::pair{1.5, 0.4}}) {
        PatternOptions o;
        o.perforate = true;
        o.dashMm = dash;
        o.gapMm = gap;
        const CutterPattern p = LayOutCutterPattern(g, 0, 50, o);
        // The cuts stay whole; the folds lose their dash style and become pieces.
        EXPECT_TRUE(SameLineSet(p.cut.lines, whole.cut.lines));
        EXPECT_TRUE(p.mountain.dashMm.empty());
        EXPECT_TRUE(p.valley.dashMm.empty());
        ASSERT_FALSE(whole.mountain.lines.empty());
        for (const MmLine& l : whole.valley.lines) ExpectPerforated(l, p.valley.lines, dash, gap, 0);
        for (const MmLine& l : whole.mountain.lines) ExpectPerforated(l, p.mountain.lines, dash, gap, dash / 4);
        // Every piece lies on a fold of its kind.
        for (const MmLine& piece : p.valley.lines)
            EXPECT_TRUE(std::any_of(whole.valley.lines.begin(), whole.valley.lines.end(), [&](const MmLine& l) {
                return std::abs((piece.y0 - l.y0)) < 1e-9 && piece.y0 == piece.y1 &&
                       std::min(piece.x0, piece.x1) >= std::min(l.x0, l.x1) - 1e-9 &&
                       std::max(piece.x0, piece.x1) <= std::max(l.x0, l.x1) + 1e-9;
            }));
    }
}

TEST(CutterOptions, PerforationIsCentredSoMirroredCardsMirrorIt) {
    const MmLine line{10, 5, 23.7, 5};
    const auto pieces = PerforateLine(line, 2, 1, 0);
    const auto reversed = PerforateLine(MmLine{23.7, 5, 10, 5}, 2, 1, 0);
    ASSERT_EQ(pieces.size(), reversed.size());
    for (const MmLine& p : pieces)
        EXPECT_TRUE(std::any_of(reversed.begin(), reversed.end(), [&](const MmLine& r) { return SameLine(p, r, 1e-9); }));
    // A fold shorter than a dash is one piece, the whole fold.
    const auto shortOne = PerforateLine(MmLine{0, 0, 0, 1.2}, 2, 1, 0.5);
    ASSERT_EQ(shortOne.size(), 1u);
    EXPECT_DOUBLE_EQ(Length(shortOne[0]), 1.2);
    EXPECT_TRUE(PerforateLine(MmLine{1, 1, 1, 1}, 2, 1, 0).empty());
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
    ASSERT_EQ(legend.samples.size(), 3u);
    EXPECT_EQ(legend.samples[0].name, "cut");
    EXPECT_EQ(legend.samples[1].color, std::string(p.mountain.color));
    EXPECT_EQ(legend.samples[0].lines.size(), 1u);
    EXPECT_GT(legend.samples[1].lines.size(), 3u);  // perforated like the folds
    std::vector<std::string> texts;
    for (const TextMark& t : legend.texts) texts.push_back(t.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"cut", "mountain fold", "valley fold",
                                               "card 93.3 \xC3\x97 46.7 mm (opened)", "sheet 93.3 \xC3\x97 93.3 mm"}));
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
