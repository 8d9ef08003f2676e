// The pen plotter's HPGL, read back by hp2xx (Debian's): drawn at its true
// size into an SVG whose paths carry each pen's colour, in points from the
// page's top-left corner.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <regex>

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

// Each segment hp2xx drew, in page millimetres, with its pen (hp2xx's
// default colours: pen 1 black, 2 red, 3 green).
struct Drawn {
    int pen;
    MmPoint a, b;
};

std::vector<Drawn> ReadWithHp2xx(const std::string& plt, const CutterPattern& page) {
    const std::string command = "hp2xx -q -t -m svg -x 0 -X " + FormatMm(page.pageWidthMm * 40) + " -y 0 -Y " +
                                FormatMm(page.pageHeightMm * 40) + " -f '" + plt + ".svg' '" + plt + "' </dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0);
    const std::string text = test::ReadWholeFile(plt + ".svg");
    static const std::regex token(R"(stroke:rgb\(([0-9,]+)\)|([ML]) ([-0-9.]+), ([-0-9.]+))");
    const std::map<std::string, int> pens = {{"0,0,0", 1}, {"255,0,0", 2}, {"0,255,0", 3}};
    std::vector<Drawn> drawn;
    int pen = 0;
    MmPoint at;
    for (std::sregex_iterator it(text.begin(), text.end(), token), end; it != end; ++it) {
        const std::smatch& m = *it;
        if (m[1].matched) {
            pen = pens.count(m[1]) ? pens.at(m[1]) : -1;
            continue;
        }
        const MmPoint p{std::stod(m[3]) * 25.4 / 72, std::stod(m[4]) * 25.4 / 72};
        if (m[2] == "L") drawn.push_back({pen, at, p});
        at = p;
    }
    EXPECT_FALSE(drawn.empty()) << text.substr(0, 300);
    return drawn;
}

double Distance(MmPoint p, MmPoint a, MmPoint b) {
    const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
    const double t = len2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len2, 0.0, 1.0) : 0;
    return std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy);
}

double DistanceToPen(MmPoint p, const std::vector<Drawn>& drawn, int pen) {
    double best = 1e9;
    for (const Drawn& d : drawn)
        if (d.pen == pen) best = std::min(best, Distance(p, d.a, d.b));
    return best;
}

// Rounding to whole plotter units (0.025 mm) moves a point by at most half
// of one along each axis.
const double kRoundingMm = std::hypot(0.0125, 0.0125) + 1e-3;

const ExportFormat& PlotterFile() { return *CuttingMachineNamed("plotter")->formats.front(); }

// The layout the machine draws: inner cuts first, the outline last.
PatternOptions InnerFirst(PatternOptions options) {
    options.cutOrder = CutOrder::InnerFirst;
    return options;
}

TEST(PlotterFile, OutlineCornersAreFortyUnitsAMillimetreFromThePagesBottomLeft) {
    CellGrid grid;
    grid.NewCard(12, 8);
    test::AddBox(grid, 4, 3, 2);
    RunRebuildPass(grid);
    const Sheet sheet = DeriveGridSheet(grid);
    PatternOptions options;
    options.cellMm = 5;
    const CutterPattern page = LayOutCutterPattern(sheet, 0, 50, InnerFirst(options));
    test::ScratchFolder dir;
    ASSERT_TRUE(WriteExportFile(PlotterFile(), dir.Path("a.plt"), {sheet, AppSettings(), 38, 38, options}));
    const auto u = [](double mm) { return std::to_string(std::lround(mm * 40)); };
    const std::string l = u(page.sheetLeftMm), r = u(page.sheetRightMm);
    const std::string t = u(page.pageHeightMm - page.sheetTopMm), b = u(page.pageHeightMm - page.sheetBottomMm);
    // The outline last, clockwise from its top-left corner and closed.
    const std::string ending = "PU" + l + "," + t + ";\nPD" + r + "," + t + "," + r + "," + b + "," + l + "," + b +
                               "," + l + "," + t + ";\nPU;SP0;\n";
    const std::string text = test::ReadWholeFile(dir.Path("a.plt"));
    EXPECT_EQ(text.rfind("IN;", 0), 0u);
    EXPECT_EQ(text.substr(text.size() - std::min(text.size(), ending.size())), ending) << text;
}

TEST(PlotterFile, PenOneDrawsEveryCutAndPenTwoEveryFold) {
    std::mt19937 rng(25);
    test::ScratchFolder dir;
    for (int round = 0; round < 6; ++round) {
        CellGrid grid;
        test::RandomCard(grid, rng, 10 + 2 * round, 6 + round);
        RunRebuildPass(grid);
        const Sheet sheet = DeriveGridSheet(grid);
        AppSettings settings;
        settings.print.mirror = round % 2;
        PatternOptions options;
        options.cellMm = 2 + round;
        options.perforate = round % 2 == 1;  // dashes, the shortest folds on the score layer
        const CutterPattern page = LayOutCutterPattern(sheet, round % 2, 50, InnerFirst(options));
        const std::string path = dir.Path(std::to_string(round) + ".plt");
        ASSERT_TRUE(WriteExportFile(PlotterFile(), path, {sheet, settings, 38, 38, options}));
        const std::vector<Drawn> drawn = ReadWithHp2xx(path, page);
        std::vector<MmLine> folds = page.mountain.lines;
        for (const CutterLayer* layer : {&page.valley, &page.score})
            folds.insert(folds.end(), layer->lines.begin(), layer->lines.end());
        for (const auto& [pen, lines] : {std::pair{1, page.cut.lines}, std::pair{2, folds}})
            for (const MmLine& k : lines)
                EXPECT_LT(DistanceToPen({(k.x0 + k.x1) / 2, (k.y0 + k.y1) / 2}, drawn, pen), kRoundingMm)
                    << round << " pen " << pen << " " << k.x0 << "," << k.y0;
        // Nothing drawn that is not a line of the pattern, or in another pen.
        for (const Drawn& d : drawn) {
            const MmPoint middle{(d.a.x + d.b.x) / 2, (d.a.y + d.b.y) / 2};
            const auto& lines = d.pen == 1 ? page.cut.lines : folds;
            EXPECT_TRUE(d.pen == 1 || d.pen == 2) << d.pen;
            EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const MmLine& k) {
                return Distance(middle, {k.x0, k.y0}, {k.x1, k.y1}) < kRoundingMm;
            })) << round << " pen " << d.pen << " " << middle.x << "," << middle.y;
        }
    }
}

TEST(PlotterFile, CurvesAreDrawnWithinTheFlatteningTolerance) {
    // The examples, and an arch whose curve takes more points than one
    // plotter command holds.
    std::map<std::string, std::string> cards = {
        {"arch", R"({"format": "popwright-freeform", "version": 1, "width": 160, "half": 100, "flats": [)"
                 R"({"name": "Arch", "depth": 30, "outline": "M 40 0 H 120 V 30 A 40 40 0 0 1 40 30 Z"}]})"}};
    for (const auto& entry : std::filesystem::directory_iterator(POPWRIGHT_EXAMPLES_DIR))
        if (entry.path().extension() == ".pwf") cards[entry.path().stem().string()] = test::ReadWholeFile(entry.path());
    ASSERT_GE(cards.size(), 5u);
    test::ScratchFolder dir;
    for (const auto& [name, bytes] : cards) {
        const Sheet sheet = BuildFreeformSheet(ReadFreeformCard(bytes).card).sheet;
        const CutterPattern page = LayOutMillimetrePattern(sheet, 0, InnerFirst(PatternOptions()));
        ASSERT_TRUE(WriteExportFile(PlotterFile(), dir.Path(name), {sheet, AppSettings(), 38, 38, PatternOptions(), true}));
        const std::vector<Drawn> drawn = ReadWithHp2xx(dir.Path(name), page);
        // The curves as a far finer flattening gives them, closed loops closed.
        std::vector<std::vector<SheetPoint>> cuts;
        for (const SheetPath& path : page.cut.paths) {
            cuts.push_back(FlattenPath(path, 1e-4));
            if (path.closed) cuts.back().push_back(path.start);
        }
        for (const MmLine& k : page.cut.lines) cuts.push_back({{k.x0, k.y0}, {k.x1, k.y1}});
        const double allowed = kFlatteningToleranceMm + kRoundingMm;
        // Every point of a cut lies near what pen 1 drew, and the reverse.
        for (const auto& cut : cuts)
            for (const SheetPoint& p : cut) ASSERT_LT(DistanceToPen({p.x, p.s}, drawn, 1), allowed) << name;
        for (const Drawn& d : drawn) {
            if (d.pen != 1) continue;
            double best = 1e9;
            for (const auto& cut : cuts)
                for (std::size_t k = 0; k + 1 < cut.size(); ++k)
                    best = std::min(best, Distance(d.b, {cut[k].x, cut[k].s}, {cut[k + 1].x, cut[k + 1].s}));
            ASSERT_LT(best, allowed) << name << " " << d.b.x << "," << d.b.y;
        }
    }
}

}  // namespace
}  // namespace pw
