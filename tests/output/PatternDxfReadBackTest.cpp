// The flat pattern DXF read back by ezdxf (Debian's python3-ezdxf, through
// /usr/bin/python3): AutoCAD 2000 format in millimetres that passes ezdxf's
// audit untouched, the layers with their colours, LINE and LWPOLYLINE
// entities only, and every merged line of the SVG exactly once at C mm per
// cell.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <regex>
#include <sstream>

#include "model/CellGrid.h"
#include "model/RebuildPass.h"
#include "output/CutterPattern.h"
#include "output/PatternDxfWriter.h"
#include "output/SvgWriter.h"
#include "support/CardBuilder.h"
#include "support/ScratchFolder.h"

namespace pw {
namespace {

namespace fs = std::filesystem;

struct DxfLine {
    std::string layer;
    int colour = 0;
    double x0 = 0, y0 = 0, z0 = 0, x1 = 0, y1 = 0, z1 = 0;
};

struct ReadBack {
    std::string version, error;
    int units = -1, auditErrors = -1, auditFixes = -1, paperEntities = -1;
    std::map<std::string, int> layers;
    std::vector<DxfLine> lines;  // the polylines' sides too, in order
    struct Poly {
        std::string layer;
        bool closed = false;
        std::size_t firstLine = 0, sides = 0;
    };
    std::vector<Poly> polylines;
    std::vector<std::string> otherEntities;
};

ReadBack ReadWithEzdxf(const std::string& path) {
    ReadBack r;
    const std::string command = std::string("/usr/bin/python3 '") + POPWRIGHT_DXF_READER + "' '" + path + "' 2>&1";
    std::string out;
    if (std::FILE* p = popen(command.c_str(), "r")) {
        char buf[4096];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
        pclose(p);
    }
    std::istringstream in(out);
    std::string word;
    while (in >> word) {
        if (word == "VERSION") {
            in >> r.version;
        } else if (word == "UNITS") {
            in >> r.units;
        } else if (word == "AUDIT") {
            in >> r.auditErrors >> r.auditFixes;
        } else if (word == "LAYER") {
            std::string name;
            int colour = 0;
            in >> name >> colour;
            r.layers[name] = colour;
        } else if (word == "LINE") {
            DxfLine l;
            in >> l.layer >> l.colour >> l.x0 >> l.y0 >> l.z0 >> l.x1 >> l.y1 >> l.z1;
            r.lines.push_back(l);
        } else if (word == "POLY") {
            std::string layer;
            int colour = 0, closed = 0;
            double elevation = 0;
            std::size_t n = 0;
            in >> layer >> colour >> closed >> elevation >> n;
            std::vector<std::pair<double, double>> points(n);
            for (auto& [x, y] : points) in >> x >> y;
            ReadBack::Poly poly{layer, closed != 0, r.lines.size(), 0};
            for (std::size_t k = 0; k + 1 < n + (closed ? 1 : 0); ++k) {
                const auto& [x0, y0] = points[k];
                const auto& [x1, y1] = points[(k + 1) % n];
                r.lines.push_back(DxfLine{layer, colour, x0, y0, elevation, x1, y1, elevation});
            }
            poly.sides = r.lines.size() - poly.firstLine;
            r.polylines.push_back(poly);
        } else if (word == "ENTITY") {
            std::string type, layer;
            in >> type >> layer;
            r.otherEntities.push_back(type);
        } else if (word == "PAPER") {
            in >> r.paperEntities;
        } else {
            std::getline(in, r.error);
            r.error = word + r.error;
        }
    }
    return r;
}

// The sides of the SVG's paths ("M x y L x y x y ... [Z]"), by the id of
// the group around them.
std::map<std::string, std::vector<MmLine>> SvgLines(const std::string& svg) {
    std::map<std::string, std::vector<MmLine>> lines;
    const std::regex group("<g id=\"([a-z]+)\""), path("<path d=\"M ([-0-9. L]+?)( Z)?\"");
    std::string current;
    std::istringstream in(svg);
    for (std::string text; std::getline(in, text);) {
        std::smatch m;
        if (std::regex_search(text, m, group)) current = m[1];
        if (!std::regex_search(text, m, path)) continue;
        std::string numbers = m[1];
        numbers.erase(std::remove(numbers.begin(), numbers.end(), 'L'), numbers.end());
        std::istringstream coords(numbers);
        std::vector<MmPoint> points;
        for (MmPoint q; coords >> q.x >> q.y;) points.push_back(q);
        if (m[2].matched) points.push_back(points.front());
        for (std::size_t k = 1; k < points.size(); ++k)
            lines[current].push_back({points[k - 1].x, points[k - 1].y, points[k].x, points[k].y});
    }
    return lines;
}

class PatternDxfReadBack : public ::testing::Test {
protected:
    std::string WriteDxf(const CutterPattern& p) {
        const std::string path = (dir_ / "pattern.dxf").string();
        std::ofstream out(path, std::ios::binary);
        WritePatternDxf(out, p);
        return path;
    }

    test::ScratchFolder scratch_;
    fs::path dir_ = scratch_.Dir();
};

void ExpectCleanPatternDxf(const ReadBack& r) {
    EXPECT_TRUE(r.error.empty()) << r.error;
    EXPECT_EQ(r.version, "AC1015");
    EXPECT_EQ(r.units, 4);  // millimetres
    EXPECT_EQ(r.auditErrors, 0);
    EXPECT_EQ(r.auditFixes, 0);
    // Red cuts, blue mountains, green valleys; magenta folds to score.
    EXPECT_EQ(r.layers.at("CUT"), 1);
    EXPECT_EQ(r.layers.at("MOUNTAIN"), 5);
    EXPECT_EQ(r.layers.at("VALLEY"), 3);
    if (r.layers.count("SCORE")) {
        EXPECT_EQ(r.layers.at("SCORE"), 6);
    }
    EXPECT_TRUE(r.otherEntities.empty());
    EXPECT_EQ(r.paperEntities, 0);
    for (const DxfLine& l : r.lines) {
        EXPECT_EQ(l.colour, r.layers.at(l.layer)) << l.layer;
        EXPECT_EQ(l.z0, 0);
        EXPECT_EQ(l.z1, 0);
    }
}

TEST_F(PatternDxfReadBack, EverySvgLineOnceAtCMillimetresPerCell) {
    std::mt19937 rng(21);
    for (const double cell : {4.0, 7.25}) {
        for (int reverse : {0, 1}) {
            CellGrid g;
            test::RandomCard(g, rng, 22, 11);
            test::AddBox(g, 6, 3, 4);
            RunRebuildPass(g);
            PatternOptions o;
            o.cellMm = cell;
            const CutterPattern p = LayOutCutterPattern(g, reverse, 50, o);
            const ReadBack r = ReadWithEzdxf(WriteDxf(p));
            ExpectCleanPatternDxf(r);

            std::ostringstream svg;
            WriteSvg(svg, p);
            const auto svgLines = SvgLines(svg.str());
            const std::map<std::string, std::string> layerOf = {{"cut", "CUT"}, {"mountain", "MOUNTAIN"}, {"valley", "VALLEY"}, {"score", "SCORE"}};
            std::size_t svgCount = 0;
            for (const auto& [group, lines] : svgLines) {
                const std::string layer = layerOf.at(group);
                for (const MmLine& s : lines) {
                    ++svgCount;
                    // SVG y grows downward from the page's top; the DXF's y
                    // grows upward from the sheet's bottom edge.
                    const double ax = s.x0 - p.sheetLeftMm, ay = p.sheetBottomMm - s.y0;
                    const double bx = s.x1 - p.sheetLeftMm, by = p.sheetBottomMm - s.y1;
                    int found = 0;
                    for (const DxfLine& d : r.lines) {
                        if (d.layer != layer) continue;
                        auto near = [](double a, double b) { return std::abs(a - b) < 1.5e-3; };
                        found += (near(d.x0, ax) && near(d.y0, ay) && near(d.x1, bx) && near(d.y1, by)) ||
                                 (near(d.x0, bx) && near(d.y0, by) && near(d.x1, ax) && near(d.y1, ay));
                    }
                    EXPECT_EQ(found, 1) << layer << " " << ax << "," << ay << " " << bx << "," << by;
                }
            }
            EXPECT_EQ(r.lines.size(), svgCount);

            // Every end on the cell grid; the sheet from (0, 0) to 20 by 20
            // cells, its top edge (the top of the back sheet) at the largest y.
            double maxX = 0, maxY = 0;
            for (const DxfLine& d : r.lines)
                for (double v : {d.x0, d.y0, d.x1, d.y1}) {
                    EXPECT_NEAR(v / cell, std::round(v / cell), 1e-6);
                    EXPECT_GE(v, -1e-9);
                }
            for (const DxfLine& d : r.lines) {
                maxX = std::max({maxX, d.x0, d.x1});
                maxY = std::max({maxY, d.y0, d.y1});
            }
            EXPECT_NEAR(maxX, 20 * cell, 1e-6);
            EXPECT_NEAR(maxY, 20 * cell, 1e-6);
            const bool topEdge = std::any_of(r.lines.begin(), r.lines.end(), [&](const DxfLine& d) {
                return d.layer == "CUT" && std::abs(d.y0 - maxY) < 1e-6 && std::abs(d.y1 - maxY) < 1e-6 &&
                       std::abs(std::abs(d.x1 - d.x0) - maxX) < 1e-6;
            });
            EXPECT_TRUE(topEdge);
        }
    }
}

TEST_F(PatternDxfReadBack, BackSheetIsUpAndTheOutlineIsCutLast) {
    // A box at the back: its folds are on the back sheet, above the crease
    // (y = 8 cells of 5 mm), and its top (a mountain) highest.
    CellGrid g;
    g.NewCard(18, 9);
    for (int x = 5; x <= 7; ++x) test::AddBox(g, x, 2, 3);
    RunRebuildPass(g);
    PatternOptions o;
    o.cellMm = 5;
    const ReadBack r = ReadWithEzdxf(WriteDxf(LayOutCutterPattern(g, 0, 50, o)));
    ExpectCleanPatternDxf(r);
    ASSERT_EQ(r.lines.size(), 6u + 1u + 4u);
    const DxfLine* mountain = nullptr;
    for (const DxfLine& d : r.lines)
        if (d.layer == "MOUNTAIN") mountain = &d;
    ASSERT_NE(mountain, nullptr);
    EXPECT_DOUBLE_EQ(mountain->y0, (8 + 1) * 5.0);  // s = -1: one cell above the crease
    EXPECT_DOUBLE_EQ(mountain->x0, 4 * 5.0);
    EXPECT_DOUBLE_EQ(mountain->x1, 7 * 5.0);
    // Folds, then the two inner cuts, then the outline as a closed loop.
    EXPECT_EQ(r.lines[0].layer, "MOUNTAIN");
    EXPECT_EQ(r.lines[1].layer, "VALLEY");
    for (std::size_t k = 5; k < 11; ++k) EXPECT_EQ(r.lines[k].layer, "CUT");
    for (std::size_t k = 7; k < 11; ++k) {
        const DxfLine& a = r.lines[k];
        const DxfLine& b = r.lines[k == 10 ? 7 : k + 1];
        EXPECT_DOUBLE_EQ(a.x1, b.x0);
        EXPECT_DOUBLE_EQ(a.y1, b.y0);
    }
    EXPECT_DOUBLE_EQ(r.lines[7].y0, 80);  // starting at the top-left corner
    EXPECT_DOUBLE_EQ(r.lines[7].x0, 0);
    // The outline is one closed polyline.
    ASSERT_FALSE(r.polylines.empty());
    EXPECT_TRUE(r.polylines.back().closed);
    EXPECT_EQ(r.polylines.back().layer, "CUT");
    EXPECT_EQ(r.polylines.back().firstLine, 7u);
    EXPECT_EQ(r.polylines.back().sides, 4u);
}

TEST_F(PatternDxfReadBack, PerforatedFoldsStayCleanAndOnTheirLayers) {
    CellGrid g;
    std::mt19937 rng(3);
    test::RandomCard(g, rng, 18, 9);
    RunRebuildPass(g);
    PatternOptions o;
    o.cellMm = 6;
    o.perforate = true;
    const CutterPattern p = LayOutCutterPattern(g, 0, 50, o);
    const ReadBack r = ReadWithEzdxf(WriteDxf(p));
    ExpectCleanPatternDxf(r);
    std::size_t folds = 0, scored = 0;
    for (const DxfLine& d : r.lines) {
        folds += d.layer == "MOUNTAIN" || d.layer == "VALLEY";
        scored += d.layer == "SCORE";
    }
    EXPECT_EQ(folds, p.mountain.lines.size() + p.valley.lines.size());
    EXPECT_EQ(scored, p.score.lines.size());
    EXPECT_EQ(r.layers.count("SCORE"), scored ? 1u : 0u);
    EXPECT_GT(folds, 20u);

    // The text itself: "\n" line ends, the header's version and units.
    std::ifstream in((dir_ / "pattern.dxf").string(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str().find('\r'), std::string::npos);
    EXPECT_NE(text.str().find("\n9\n$ACADVER\n1\nAC1015\n"), std::string::npos);
    EXPECT_NE(text.str().find("\n9\n$INSUNITS\n70\n4\n"), std::string::npos);
    EXPECT_TRUE(text.str().size() > 10 && text.str().substr(text.str().size() - 7) == "\n0\nEOF\n");
}

// LibreCAD (Debian's librecad) prints the file with its console tool
// dxf2pdf: it reads it, and draws it at one to one in millimetres with the
// layers' colours.
TEST_F(PatternDxfReadBack, LibreCadPrintsItAtOneToOne) {
    CellGrid g;
    g.NewCard(18, 9);
    for (int x = 5; x <= 7; ++x) test::AddBox(g, x, 2, 3);
    RunRebuildPass(g);
    PatternOptions o;
    o.cellMm = 5;  // an 80 by 80 mm sheet
    const std::string dxf = WriteDxf(LayOutCutterPattern(g, 0, 50, o));
    // dxf2pdf writes pattern.pdf beside pattern.dxf.
    const std::string pdf = (dir_ / "pattern.pdf").string();
    std::string log;
    const std::string command = "cd '" + dir_.string() + "' && librecad dxf2pdf '" + dxf + "' 2>&1";
    if (std::FILE* p = popen(command.c_str(), "r")) {
        char buf[4096];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) log.append(buf, n);
        pclose(p);
    }
    ASSERT_TRUE(fs::exists(pdf)) << log;

    // 127 dpi: five pixels per millimetre, in colour.
    const std::string base = (dir_ / "page").string();
    const std::string render = "pdftoppm -r 127 -aa no -aaVector no -singlefile '" + pdf + "' '" + base + "' 2>&1";
    ASSERT_EQ(std::system(render.c_str()), 0);
    std::ifstream in(base + ".ppm", std::ios::binary);
    std::string magic;
    int width = 0, height = 0, maxval = 0;
    in >> magic >> width >> height >> maxval;
    in.get();
    ASSERT_EQ(magic, "P6");
    std::string pixels(static_cast<std::size_t>(width) * height * 3, '\0');
    in.read(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    int left = width, right = -1, top = height, bottom = -1, red = 0, green = 0, blue = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const auto* px = reinterpret_cast<const unsigned char*>(&pixels[(static_cast<std::size_t>(y) * width + x) * 3]);
            const int r = px[0], gr = px[1], b = px[2];
            if (r + gr + b > 600) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
            red += r > 150 && gr < 100 && b < 100;
            green += gr > 150 && r < 100 && b < 100;
            blue += b > 150 && r < 100 && gr < 100;
        }
    ASSERT_GE(right, left) << log;
    EXPECT_NEAR((right - left + 1) / 5.0, 80, 1);
    EXPECT_NEAR((bottom - top + 1) / 5.0, 80, 1);
    EXPECT_GT(red, 100);   // the cuts, layer colour 1
    EXPECT_GT(blue, 20);   // the mountain fold, layer colour 5
    EXPECT_GT(green, 100); // the valley folds, layer colour 3
}

}  // namespace
}  // namespace pw
