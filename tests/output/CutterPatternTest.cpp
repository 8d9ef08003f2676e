#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <sstream>

#include "model/CellGrid.h"
#include "model/RebuildPass.h"
#include "output/CutterPattern.h"
#include "output/SvgWriter.h"
#include "support/CardBuilder.h"

namespace pw {
namespace {

constexpr double kCell = 0.5 * 210 / 18;  // default card at half the A4 width

double U(int u) { return 105 + (u - 9) * kCell; }  // column boundary u on the page
double S(int s) { return 148.5 + s * kCell; }

bool Near(const MmLine& a, const MmLine& b) {
    auto eq = [](double p, double q) { return std::abs(p - q) < 1e-9; };
    return (eq(a.x0, b.x0) && eq(a.y0, b.y0) && eq(a.x1, b.x1) && eq(a.y1, b.y1)) ||
           (eq(a.x0, b.x1) && eq(a.y0, b.y1) && eq(a.x1, b.x0) && eq(a.y1, b.y0));
}

void ExpectLines(const CutterLayer& layer, std::vector<MmLine> expected) {
    ASSERT_EQ(layer.lines.size(), expected.size()) << layer.name;
    for (const MmLine& e : expected)
        EXPECT_TRUE(std::any_of(layer.lines.begin(), layer.lines.end(), [&](const MmLine& l) { return Near(l, e); }))
            << layer.name << ": " << e.x0 << "," << e.y0 << " " << e.x1 << "," << e.y1;
}

CutterPattern Lay(CellGrid& g, int reverse = 0, int ratio = 50) {
    RunRebuildPass(g);
    return LayOutCutterPattern(g, reverse, ratio);
}

TEST(CutterPattern, FlatCardIsFourCutsAndOneCreaseOnAnA4Page) {
    CellGrid g;
    g.NewCard(18, 9);
    const CutterPattern p = Lay(g);
    EXPECT_EQ(p.pageWidthMm, 210);
    EXPECT_EQ(p.pageHeightMm, 297);
    EXPECT_DOUBLE_EQ(p.cellMm, kCell);
    // The left edge's unit cuts merge with the outline's left edge.
    ExpectLines(p.cut, {{U(1), S(8), U(17), S(8)}, {U(1), S(-8), U(17), S(-8)}, {U(1), S(-8), U(1), S(8)},
                        {U(17), S(-8), U(17), S(8)}});
    ExpectLines(p.valley, {{U(1), S(0), U(17), S(0)}});
    EXPECT_TRUE(p.mountain.lines.empty());
    EXPECT_EQ(p.cut.name, "cut");
    EXPECT_EQ(p.mountain.name, "mountain");
    EXPECT_EQ(p.valley.name, "valley");
}

TEST(CutterPattern, BoxFoldsAndCutsEachOnceAndMirroredWhenInverted) {
    CellGrid g;
    g.NewCard(18, 9);
    for (int x = 5; x <= 7; ++x) test::AddBox(g, x, 2, 3);
    const CutterPattern p = Lay(g);
    ExpectLines(p.valley, {{U(1), S(0), U(5), S(0)}, {U(8), S(0), U(17), S(0)}, {U(5), S(-3), U(8), S(-3)},
                           {U(5), S(2), U(8), S(2)}});
    ExpectLines(p.mountain, {{U(5), S(-1), U(8), S(-1)}});
    ExpectLines(p.cut, {{U(1), S(8), U(17), S(8)}, {U(1), S(-8), U(17), S(-8)}, {U(1), S(-8), U(1), S(8)},
                        {U(17), S(-8), U(17), S(8)}, {U(5), S(-3), U(5), S(2)}, {U(8), S(-3), U(8), S(2)}});

    // Inverted: the same lines mirrored about the middle of the page.
    const CutterPattern m = Lay(g, 1);
    for (const auto* layers : {&p.cut, &p.mountain, &p.valley}) {
        const CutterLayer& mirrored = layers == &p.cut ? m.cut : layers == &p.mountain ? m.mountain : m.valley;
        std::vector<MmLine> expected;
        for (const MmLine& l : layers->lines) expected.push_back({210 - l.x0, l.y0, 210 - l.x1, l.y1});
        ExpectLines(mirrored, expected);
    }
}

TEST(CutterPattern, TallCardGetsAPageThatHoldsTheWholeSheet) {
    CellGrid g;
    g.NewCard(12, 41);  // 10 by 40 cells at 90 percent: cells of 15.75 mm
    const CutterPattern p = Lay(g, 0, 90);
    EXPECT_DOUBLE_EQ(p.cellMm, 15.75);
    EXPECT_DOUBLE_EQ(p.pageHeightMm, 80 * 15.75 + 20);
    EXPECT_EQ(p.pageWidthMm, 210);
    for (const CutterLayer* layer : {&p.cut, &p.valley})
        for (const MmLine& l : layer->lines)
            for (double y : {l.y0, l.y1}) {
                EXPECT_GE(y, 10 - 1e-9);
                EXPECT_LE(y, p.pageHeightMm - 10 + 1e-9);
            }
}

// The first cutter-ready files had this layout, and the clipboard's SVG copy
// keeps it: A4, lines as drawn, no options.
TEST(CutterPattern, TheLayoutWithoutOptionsIsTheOneTheClipboardAlwaysCopied) {
    CellGrid g;
    g.NewCard(18, 9);
    RunRebuildPass(g);
    std::ostringstream svg;
    WriteSvg(svg, LayOutCutterPattern(g, 0, 50));
    EXPECT_EQ(svg.str(), R"SVG(<?xml version="1.0" encoding="UTF-8" standalone="no"?>
<svg xmlns="http://www.w3.org/2000/svg" xmlns:inkscape="http://www.inkscape.org/namespaces/inkscape" version="1.1" width="210mm" height="297mm" viewBox="0 0 210 297">
  <title>Unfolded pattern</title>
  <g id="cut" inkscape:groupmode="layer" inkscape:label="cut" fill="none" stroke="#000000" stroke-width="0.2" stroke-linecap="butt">
    <line x1="151.667" y1="101.833" x2="151.667" y2="195.167"/>
    <line x1="58.333" y1="101.833" x2="58.333" y2="195.167"/>
    <line x1="58.333" y1="101.833" x2="151.667" y2="101.833"/>
    <line x1="58.333" y1="195.167" x2="151.667" y2="195.167"/>
  </g>
  <g id="mountain" inkscape:groupmode="layer" inkscape:label="mountain" fill="none" stroke="#FF0000" stroke-width="0.2" stroke-linecap="butt" stroke-dasharray="3 1.5">
  </g>
  <g id="valley" inkscape:groupmode="layer" inkscape:label="valley" fill="none" stroke="#0000FF" stroke-width="0.2" stroke-linecap="butt" stroke-dasharray="0.5 1">
    <line x1="58.333" y1="148.5" x2="151.667" y2="148.5"/>
  </g>
</svg>
)SVG");
}

// The export with options: the outline one closed path that a cutter follows
// without lifting the blade, the lines red, blue and green as laser drivers
// take them (cut red, mountain blue, valley green).
TEST(CutterPattern, TheExportWritesTheOutlineAsOneClosedPathInLaserColours) {
    CellGrid g;
    g.NewCard(18, 9);
    RunRebuildPass(g);
    PatternOptions asDrawn;
    asDrawn.cutOrder = CutOrder::AsDrawn;
    std::ostringstream svg;
    WriteSvg(svg, LayOutCutterPattern(g, 0, 50, asDrawn));
    EXPECT_EQ(svg.str(), R"SVG(<?xml version="1.0" encoding="UTF-8" standalone="no"?>
<svg xmlns="http://www.w3.org/2000/svg" xmlns:inkscape="http://www.inkscape.org/namespaces/inkscape" version="1.1" width="210mm" height="297mm" viewBox="0 0 210 297">
  <title>Unfolded pattern</title>
  <g id="cut" inkscape:groupmode="layer" inkscape:label="cut" fill="none" stroke="#FF0000" stroke-width="0.2" stroke-linecap="butt">
    <path d="M 58.333 101.833 L 151.667 101.833 151.667 195.167 58.333 195.167 Z"/>
  </g>
  <g id="mountain" inkscape:groupmode="layer" inkscape:label="mountain" fill="none" stroke="#0000FF" stroke-width="0.2" stroke-linecap="butt" stroke-dasharray="3 1.5">
  </g>
  <g id="valley" inkscape:groupmode="layer" inkscape:label="valley" fill="none" stroke="#00FF00" stroke-width="0.2" stroke-linecap="butt" stroke-dasharray="0.5 1">
    <path d="M 58.333 148.5 L 151.667 148.5"/>
  </g>
</svg>
)SVG");
}

TEST(FormatMm, PointDecimalsWhateverTheLocale) {
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");  // may be missing; the text must not depend on it
    EXPECT_EQ(FormatMm(5.8333333), "5.833");
    EXPECT_EQ(FormatMm(210), "210");
    EXPECT_EQ(FormatMm(-0.0001), "0");
    EXPECT_EQ(FormatMm(0.1 + 0.2), "0.3");
    std::setlocale(LC_NUMERIC, saved.c_str());
}

}  // namespace
}  // namespace pw
