// The cutting machines' files, read back by independent readers: the DXF by
// ezdxf (python3-ezdxf), the SVG one layer at a time by rsvg-convert. Each machine's promise: the cut and the
// folds on layers of their own, in the colours its software maps to tools,
// nothing filled; and the laser's cut half the kerf outside the paper.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <random>
#include <regex>
#include <set>
#include <vector>
#include <sstream>

#include "model/AppSettings.h"
#include "model/CellGrid.h"
#include "model/GridSheet.h"
#include "model/RebuildPass.h"
#include "output/CutterPattern.h"
#include "output/CuttingMachine.h"
#include "output/KerfOffset.h"
#include "support/CardBuilder.h"
#include "support/ScratchFolder.h"

namespace pw {
namespace {

MmPath Square(double x, double y, double side) {
    return {{{x, y}, {x + side, y}, {x + side, y + side}, {x, y + side}, {x, y}}, true};
}

void Bounds(const MmPath& p, double& x0, double& y0, double& x1, double& y1) {
    x0 = y0 = 1e9, x1 = y1 = -1e9;
    for (const MmPoint& q : p.points) {
        x0 = std::min(x0, q.x), y0 = std::min(y0, q.y);
        x1 = std::max(x1, q.x), y1 = std::max(y1, q.y);
    }
}

TEST(KerfOffset, GrowsThePaperByHalfTheKerfOnEverySide) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> at(0, 100), side(5, 80);
    for (int round = 0; round < 20; ++round) {
        const double x = at(rng), y = at(rng), s = side(rng);
        const MmPath slit{{{x + 1, y + 1}, {x + 2, y + 2}}, false};
        // A square sheet with a square hole: the sheet grows, the hole
        // shrinks; the sheet's edge stays the last cut.
        const auto out = OffsetForKerf({Square(x + s / 4, y + s / 4, s / 2), slit, Square(x, y, s)}, 0.2);
        ASSERT_EQ(out.size(), 3u);
        EXPECT_EQ(out[0].points.size(), 2u);  // the open cut as it was
        double x0, y0, x1, y1;
        Bounds(out[2], x0, y0, x1, y1);
        EXPECT_NEAR(x1 - x0, s + 0.2, 1e-9);
        EXPECT_NEAR(y1 - y0, s + 0.2, 1e-9);
        EXPECT_NEAR(x0, x - 0.1, 1e-9);
        EXPECT_EQ(out[2].points.size(), 5u);  // still a square: mitred corners
        Bounds(out[1], x0, y0, x1, y1);
        EXPECT_NEAR(x1 - x0, s / 2 - 0.2, 1e-9);
    }
}

std::string Output(const std::string& command) {
    std::string out;
    if (std::FILE* p = popen(command.c_str(), "r")) {
        char buf[4096];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
        pclose(p);
    }
    return out;
}

// One group of the SVG as rsvg-convert reads it: it draws only that group
// into an SVG of cairo's, where every path carries its stroke and fill as
// rsvg resolved them. The stroke colours (0xRRGGBB), the fills and the paths.
struct Drawn {
    std::set<unsigned> strokes;
    std::set<std::string> fills;
    int paths = 0;
};
Drawn DrawGroup(const std::string& svg, const std::string& id) {
    Drawn d;
    const std::string text = Output("rsvg-convert -f svg -i '" + id + "' '" + svg + "' 2>&1");
    static const std::regex stroke(R"(stroke:rgb\(([0-9.]+)%,([0-9.]+)%,([0-9.]+)%\))"), fill(R"(fill:([^;]+);)");
    for (std::sregex_iterator it(text.begin(), text.end(), stroke), end; it != end; ++it) {
        unsigned rgb = 0;
        for (int k = 1; k <= 3; ++k) rgb = rgb << 8 | static_cast<unsigned>(std::lround(std::stod((*it)[k]) * 2.55));
        d.strokes.insert(rgb);
        ++d.paths;
    }
    for (std::sregex_iterator it(text.begin(), text.end(), fill), end; it != end; ++it) d.fills.insert((*it)[1]);
    return d;
}

unsigned Rgb(const char* hex) { return static_cast<unsigned>(std::strtoul(hex + 1, nullptr, 16)); }

TEST(MachineFiles, EachMachinesFilesHoldCutAndFoldsWhereItsSoftwareLooksForThem) {
    CellGrid grid;
    grid.NewCard(12, 8);
    test::AddBox(grid, 3, 3, 3);
    test::AddBox(grid, 7, 2, 4);
    RunRebuildPass(grid);
    const Sheet sheet = DeriveGridSheet(grid);
    const AppSettings settings;
    PatternOptions options;
    options.kerfMm = 0.2;
    test::ScratchFolder dir;
    for (const CuttingMachine* machine : CuttingMachines()) {
        const std::string foldLayer = machine->fold == FoldTreatment::Score         ? "score"
                                      : machine->fold == FoldTreatment::Perforation ? "perforation"
                                                                                    : "light-cut";
        const char* foldColour = machine->fold == FoldTreatment::Perforation ? machine->style.cutColor
                                                                             : machine->style.foldColor;
        for (const ExportFormat* format : machine->formats) {
            SCOPED_TRACE(format->id);
            const std::string path = dir.Path(std::string(format->id) + "." + format->extensions[0]);
            ExportReport report;
            ASSERT_TRUE(WriteExportFile(*format, path, {sheet, settings, 38, 38, options}, report));
            if (format->extensions[0] == "dxf") {
                const std::string facts = Output("/usr/bin/python3 '" POPWRIGHT_DXF_READER "' '" + path + "'");
                EXPECT_NE(facts.find("UNITS 4\n"), std::string::npos) << facts;  // millimetres
                std::string upper = foldLayer;
                for (char& c : upper) c = static_cast<char>(std::toupper(c));
                EXPECT_NE(facts.find("LINE CUT "), std::string::npos);
                EXPECT_NE(facts.find("LINE " + upper + " "), std::string::npos) << facts;
                if (machine->style.offsetsKerf) {
                    EXPECT_NE(facts.find("LAYER CUT 1\n"), std::string::npos);  // red
                    EXPECT_NE(facts.find("LAYER " + upper + " 5\n"), std::string::npos);  // blue
                }
                continue;
            }
            // The plotter's HPGL is read back by hp2xx (PlotterFileTest.cpp).
            if (format->extensions[0] != "svg") continue;
            const Drawn cut = DrawGroup(path, "cut");
            const Drawn folds = DrawGroup(path, foldLayer);
            EXPECT_EQ(cut.strokes, std::set<unsigned>{Rgb(machine->style.cutColor)});
            EXPECT_EQ(folds.strokes, std::set<unsigned>{Rgb(foldColour)});
            EXPECT_EQ(cut.fills, std::set<std::string>{"none"});
            EXPECT_EQ(folds.fills, std::set<std::string>{"none"});
            // Joined: the sheet's outline and each run of cuts one path.
            EXPECT_LT(cut.paths, static_cast<int>(PathsOf(LayOutCutterPattern(sheet, 0, 50).cut, false).size()));
        }
    }
}


// Stands in for the fonts: each line of text one box per character from
// the baseline up, with a counter of the other winding inside.
std::vector<SheetPath> BoxLetters(const TextMark& mark) {
    std::vector<SheetPath> paths;
    for (std::size_t k = 0; k < mark.text.size(); ++k) {
        const double x = mark.x + 0.6 * mark.sizeMm * static_cast<double>(k), top = mark.y - 0.7 * mark.sizeMm;
        paths.push_back(SheetPath({x, mark.y}).LineTo({x + 0.5 * mark.sizeMm, mark.y}).LineTo({x + 0.5 * mark.sizeMm, top}).LineTo({x, top}).Close());
        paths.push_back(SheetPath({x + 0.1, mark.y - 0.1}).LineTo({x + 0.1, top + 0.1}).LineTo({x + 0.4, top + 0.1}).Close());
    }
    return paths;
}

TEST(MachineFiles, OnlyALaserEngravesTheLegendFilledInBlackBelowTheSheetAndFirst) {
    CellGrid grid;
    grid.NewCard(12, 8);
    test::AddBox(grid, 3, 3, 3);
    RunRebuildPass(grid);
    const Sheet sheet = DeriveGridSheet(grid);
    const AppSettings settings;
    PatternOptions options;
    options.legend = true;
    options.kerfMm = 0.3;
    test::ScratchFolder dir;
    for (const CuttingMachine* machine : CuttingMachines()) {
        SCOPED_TRACE(machine->name);
        const CutterPattern laid = LayOutCutterPattern(sheet, 0, 50, options);
        const CutterPattern drawn = ForMachine(laid, *machine, machine->fold, options.kerfMm, options.legendWording, BoxLetters);
        EXPECT_FALSE(drawn.legend);  // no machine cuts the legend's samples
        if (!machine->style.engraves) {
            EXPECT_TRUE(drawn.engrave.Empty());
            continue;
        }
        // Four rows (cut, folds, card, sheet) of letters, never offset, all
        // in the legend's place below the sheet; engraved first.
        std::size_t letters = 0;
        for (const std::string& row : {options.legendWording.laserCut, options.legendWording.laserLightCut})
            letters += 2 * row.size();
        EXPECT_GT(drawn.engrave.paths.size(), letters);
        for (const SheetPath& p : drawn.engrave.paths) {
            EXPECT_GT(p.start.s, drawn.sheetBottomMm);
            EXPECT_LT(p.start.s, drawn.pageHeightMm);
        }
        EXPECT_EQ(drawn.engrave.paths.front().start.x, laid.legend->left);
        EXPECT_EQ(drawn.LayersInOrder().front(), &drawn.engrave);
        EXPECT_TRUE(drawn.engrave.filled);

        for (const ExportFormat* format : machine->formats) {
            SCOPED_TRACE(format->id);
            const std::string path = dir.Path(std::string(format->id) + "." + format->extensions[0]);
            ExportInput input{sheet, settings, 38, 38, options};
            input.outlineText = BoxLetters;
            ASSERT_TRUE(WriteExportFile(*format, path, input));
            if (format->extensions[0] == "dxf") {
                // Closed polylines on a black (colour 7) layer of their own,
                // below the sheet, whose bottom edge is the DXF's y = 0.
                const std::string facts = Output("/usr/bin/python3 '" POPWRIGHT_DXF_READER "' '" + path + "'");
                EXPECT_NE(facts.find("LAYER ENGRAVE 7\n"), std::string::npos) << facts;
                std::istringstream lines(facts);
                int engraved = 0;
                for (std::string line; std::getline(lines, line);) {
                    if (line.rfind("POLY ENGRAVE ", 0) != 0) continue;
                    std::istringstream f(line.substr(13));
                    int colour, closed, n;
                    double elevation, x, y;
                    f >> colour >> closed >> elevation >> n >> x >> y;
                    EXPECT_EQ(closed, 1);
                    EXPECT_LT(y, 0);
                    ++engraved;
                }
                EXPECT_EQ(engraved, static_cast<int>(drawn.engrave.paths.size()));
                continue;
            }
            const Drawn engraved = DrawGroup(path, "engrave");
            EXPECT_EQ(engraved.strokes, std::set<unsigned>{});
            EXPECT_EQ(engraved.fills, std::set<std::string>{"rgb(0%,0%,0%)"});
            EXPECT_EQ(DrawGroup(path, "cut").strokes, std::set<unsigned>{Rgb(machine->style.cutColor)});
        }
    }
}

}  // namespace
}  // namespace pw
