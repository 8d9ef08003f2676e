// The pen plotter's HPGL read back by hp2xx (Debian's hp2xx), drawn at its
// true size into an SVG whose paths carry each pen's colour: the plotter
// units, the pens per kind of line and the flattened curves.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "model/AppSettings.h"
#include "model/CellGrid.h"
#include "model/GridSheet.h"
#include "model/RebuildPass.h"
#include "model/freeform/FreeformFile.h"
#include "model/freeform/FreeformSheet.h"
#include "output/CutterPattern.h"
#include "output/CuttingMachine.h"
#include "support/CardBuilder.h"
#include "support/ScratchFolder.h"

namespace pw {
namespace {

namespace fs = std::filesystem;

struct PenRun {
    int pen = 0;
    std::vector<MmPoint> points;  // millimetres from the page's top-left corner
};

// hp2xx draws the page (given as its plotter-unit range) at true size in
// points, y down; the default pen colours tell pen 1 black, 2 red, 3 green.
std::vector<PenRun> ReadWithHp2xx(const std::string& plt, const CutterPattern& page) {
    const std::string svg = plt + ".svg";
    const std::string command = "hp2xx -q -t -m svg -x 0 -X " + FormatMm(page.pageWidthMm * 40) + " -y 0 -Y " +
                                FormatMm(page.pageHeightMm * 40) + " -f '" + svg + "' '" + plt + "' </dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    const std::string text = test::ReadWholeFile(svg);
    static const std::regex token(R"(stroke:rgb\((\d+),(\d+),(\d+)\)|<path d="|([ML]) ([-0-9.]+), ([-0-9.]+))");
    const std::map<std::string, int> pens = {{"0,0,0", 1}, {"255,0,0", 2}, {"0,255,0", 3}};
    std::vector<PenRun> runs;
    int pen = 0;
    constexpr double kMmPerPoint = 25.4 / 72;
    for (std::sregex_iterator it(text.begin(), text.end(), token), end; it != end; ++it) {
        const std::smatch& m = *it;
        if (m[1].matched) {
            const auto found = pens.find(m[1].str() + "," + m[2].str() + "," + m[3].str());
            pen = found == pens.end() ? -1 : found->second;
        } else if (!m[4].matched) {
            runs.push_back({pen, {}});
        } else if (!runs.empty()) {
            runs.back().points.push_back({std::stod(m[5]) * kMmPerPoint, std::stod(m[6]) * kMmPerPoint});
        }
    }
    EXPECT_FALSE(runs.empty()) << text.substr(0, 400);
    return runs;
}

double DistanceToSegment(MmPoint p, MmPoint a, MmPoint b) {
    const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
    const double t = len2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len2, 0.0, 1.0) : 0;
    return std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy);
}

// The nearest any run of `pen` passes to the point.
double DistanceToPen(MmPoint p, const std::vector<PenRun>& runs, int pen) {
    double best = 1e9;
    for (const PenRun& run : runs)
        if (run.pen == pen)
            for (std::size_t k = 0; k + 1 < run.points.size(); ++k)
                best = std::min(best, DistanceToSegment(p, run.points[k], run.points[k + 1]));
    return best;
}

double PenLength(const std::vector<PenRun>& runs, int pen) {
    double sum = 0;
    for (const PenRun& run : runs)
        if (run.pen == pen)
            for (std::size_t k = 0; k + 1 < run.points.size(); ++k)
                sum += std::hypot(run.points[k + 1].x - run.points[k].x, run.points[k + 1].y - run.points[k].y);
    return sum;
}

double LinesLength(const std::vector<MmLine>& lines) {
    double sum = 0;
    for (const MmLine& l : lines) sum += std::hypot(l.x1 - l.x0, l.y1 - l.y0);
    return sum;
}

// A plotter unit is 0.025 mm; rounding to it moves a point by at most half
// of one along each axis.
const double kRoundingMm = std::hypot(0.0125, 0.0125) + 1e-3;

const ExportFormat& PlotterFile() {
    const CuttingMachine* plotter = CuttingMachineNamed("plotter");
    EXPECT_NE(plotter, nullptr);
    return *plotter->formats.front();
}

// The layout the plotter's file is drawn from: inner cuts first, as every
// machine takes it.
PatternOptions MachineOptions(PatternOptions options) {
    options.cutOrder = CutOrder::InnerFirst;
    return options;
}

TEST(PlotterFile, TheOutlineCornersLieFortyUnitsAMillimetreFromThePagesBottomLeft) {
    CellGrid grid;
    grid.NewCard(12, 8);
    test::AddBox(grid, 4, 3, 2);
    RunRebuildPass(grid);
    const Sheet sheet = DeriveGridSheet(grid);
    const AppSettings settings;
    PatternOptions options;
    options.cellMm = 5;
    const CutterPattern pattern = LayOutCutterPattern(sheet, 0, 50, MachineOptions(options));
    test::ScratchFolder dir;
    const std::string path = dir.Path("card.plt");
    ASSERT_TRUE(WriteExportFile(PlotterFile(), path, {sheet, settings, 38, 38, options}));

    const std::string text = test::ReadWholeFile(path);
    ASSERT_EQ(text.rfind("IN;", 0), 0u);
    ASSERT_GE(text.size(), 8u);
    EXPECT_EQ(text.substr(text.size() - 8), "PU;SP0;\n");
    // The outline is drawn last, from its top-left corner clockwise, and
    // closes where it began.
    const auto u = [](double mm) { return std::to_string(std::lround(mm * 40)); };
    const double top = pattern.pageHeightMm - pattern.sheetTopMm, bottom = pattern.pageHeightMm - pattern.sheetBottomMm;
    const std::string left = u(pattern.sheetLeftMm), right = u(pattern.sheetRightMm);
    const std::string outline = "PU" + left + "," + u(top) + ";\nPD" + right + "," + u(top) + "," + right + "," +
                                u(bottom) + "," + left + "," + u(bottom) + "," + left + "," + u(top) + ";\nPU;SP0;\n";
    EXPECT_EQ(text.substr(text.size() - outline.size()), outline) << text;
    // hp2xx, reading HPGL's y upwards, finds the sheet where the page has it.
    const std::vector<PenRun> runs = ReadWithHp2xx(path, pattern);
    for (const MmPoint corner : {MmPoint{pattern.sheetLeftMm, pattern.sheetTopMm},
                                 MmPoint{pattern.sheetRightMm, pattern.sheetBottomMm}})
        EXPECT_LT(DistanceToPen(corner, runs, 1), 1e-3);
}

TEST(PlotterFile, PenOneDrawsEveryCutAndPenTwoEveryFold) {
    std::mt19937 rng(25);
    const AppSettings settings;
    test::ScratchFolder dir;
    for (int round = 0; round < 6; ++round) {
        SCOPED_TRACE(round);
        CellGrid grid;
        test::RandomCard(grid, rng, 10 + 2 * round, 6 + round);
        RunRebuildPass(grid);
        const Sheet sheet = DeriveGridSheet(grid);
        PatternOptions options;
        options.cellMm = 2 + round;
        // Perforated, the folds are dashes and the shortest go to the score
        // layer: all of them still pen 2.
        options.perforate = round % 2 == 1;
        const CutterPattern pattern = LayOutCutterPattern(sheet, round % 2, 50, MachineOptions(options));
        AppSettings mirrored = settings;
        mirrored.print.mirror = round % 2;
        const std::string path = dir.Path("card" + std::to_string(round) + ".plt");
        ASSERT_TRUE(WriteExportFile(PlotterFile(), path, {sheet, mirrored, 38, 38, options}));
        const std::vector<PenRun> runs = ReadWithHp2xx(path, pattern);

        std::vector<MmLine> folds = pattern.mountain.lines;
        for (const CutterLayer* layer : {&pattern.valley, &pattern.score})
            folds.insert(folds.end(), layer->lines.begin(), layer->lines.end());
        for (const auto& [pen, lines] : {std::pair{1, pattern.cut.lines}, std::pair{2, folds}}) {
            for (const MmLine& l : lines) {
                const MmPoint middle{(l.x0 + l.x1) / 2, (l.y0 + l.y1) / 2};
                EXPECT_LT(DistanceToPen(middle, runs, pen), kRoundingMm) << pen << ": " << middle.x << "," << middle.y;
            }
            // Each line once, and nothing else in that pen.
            EXPECT_NEAR(PenLength(runs, pen), LinesLength(lines), 2 * kRoundingMm * static_cast<double>(lines.size()));
        }
        EXPECT_EQ(PenLength(runs, 3), 0);
        EXPECT_GT(folds.size(), 0u);
    }
}

// The curve's points, densely: lines, arcs and cubics as their formulas
// give them, not through the program's flattening.
std::vector<MmPoint> CurveSamples(const SheetPath& path) {
    std::vector<MmPoint> samples;
    SheetPoint at = path.start;
    std::vector<PathSegment> segments = path.segments;
    if (path.closed) segments.push_back({SegmentShape::Line, path.start, {}, 0, {}, {}});
    for (const PathSegment& seg : segments) {
        for (int k = 0; k <= 400; ++k) {
            const double t = k / 400.0, r = 1 - t;
            if (seg.shape == SegmentShape::Line) {
                samples.push_back({at.x + t * (seg.end.x - at.x), at.s + t * (seg.end.s - at.s)});
            } else if (seg.shape == SegmentShape::Cubic) {
                const double a = r * r * r, b = 3 * r * r * t, c = 3 * r * t * t, d = t * t * t;
                samples.push_back({a * at.x + b * seg.control1.x + c * seg.control2.x + d * seg.end.x,
                                   a * at.s + b * seg.control1.s + c * seg.control2.s + d * seg.end.s});
            } else {
                const double angle = seg.sweep * t, dx = at.x - seg.centre.x, ds = at.s - seg.centre.s;
                samples.push_back({seg.centre.x + dx * std::cos(angle) - ds * std::sin(angle),
                                   seg.centre.s + dx * std::sin(angle) + ds * std::cos(angle)});
            }
        }
        at = seg.end;
    }
    return samples;
}

TEST(PlotterFile, AFreeformCardsCurvesAreDrawnWithinTheFlatteningTolerance) {
    const double allowed = kFlatteningToleranceMm + kRoundingMm;
    const AppSettings settings;
    const PatternOptions options;
    test::ScratchFolder dir;
    // The examples, and an arch whose one curve is drawn in more points than
    // a plotter takes in one command.
    std::map<std::string, std::string> cards = {
        {"arch", R"({"format": "popwright-freeform", "version": 1, "width": 160, "half": 100, "flats": [)"
                 R"({"name": "Arch", "depth": 30, "outline": "M 40 0 H 120 V 30 A 40 40 0 0 1 40 30 Z"}]})"}};
    for (const auto& entry : fs::directory_iterator(POPWRIGHT_EXAMPLES_DIR))
        if (entry.path().extension() == ".pwf") cards[entry.path().stem().string()] = test::ReadWholeFile(entry.path());
    int curves = 0;
    for (const auto& [name, bytes] : cards) {
        SCOPED_TRACE(name);
        const FreeformReadResult read = ReadFreeformCard(bytes);
        ASSERT_TRUE(read.Ok()) << read.error;
        const Sheet sheet = BuildFreeformSheet(read.card).sheet;
        const CutterPattern pattern = LayOutMillimetrePattern(sheet, 0, MachineOptions(options));
        const std::string path = dir.Path(name + ".plt");
        ASSERT_TRUE(WriteExportFile(PlotterFile(), path, {sheet, settings, 38, 38, options, true}));
        const std::vector<PenRun> runs = ReadWithHp2xx(path, pattern);
        // Every point of every cut lies near what pen 1 drew ...
        std::vector<std::vector<MmPoint>> cuts;
        for (const SheetPath& cut : pattern.cut.paths) {
            cuts.push_back(CurveSamples(cut));
            curves += !cut.AllStraight();
            for (std::size_t k = 0; k < cuts.back().size(); k += 7)
                ASSERT_LT(DistanceToPen(cuts.back()[k], runs, 1), allowed);
        }
        for (const MmLine& l : pattern.cut.lines) cuts.push_back({{l.x0, l.y0}, {l.x1, l.y1}});
        // ... and every corner pen 1 drew lies near a cut.
        for (const PenRun& run : runs) {
            if (run.pen != 1) continue;
            for (const MmPoint& p : run.points) {
                double best = 1e9;
                for (const auto& cut : cuts)
                    for (std::size_t k = 0; k + 1 < cut.size(); ++k)
                        best = std::min(best, DistanceToSegment(p, cut[k], cut[k + 1]));
                ASSERT_LT(best, allowed) << p.x << "," << p.y;
            }
        }
    }
    EXPECT_GT(curves, 4);
}

}  // namespace
}  // namespace pw
