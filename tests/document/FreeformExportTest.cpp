// A round window cut in a free-form flat reaches the cutter files as a true
// circle of its radius, at s = y - z of its centre, on the cut layer; the
// outline is the cut layer's last run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "document/CardDocument.h"
#include "model/AppSettings.h"
#include "model/freeform/SvgPathData.h"
#include "output/CuttingMachine.h"
#include "output/ExportFormat.h"
#include "support/ScratchFolder.h"

namespace pw {
namespace {

// Depth 40, the window's centre at x 45, height 25: on the sheet (45, 15).
constexpr double kX = 45, kS = 40 - 25, kR = 10, kHalf = 100;

std::vector<double> Numbers(const std::string& text) {
    std::vector<double> out;
    const std::regex number(R"(-?[0-9]+(\.[0-9]+)?)");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), number); it != std::sregex_iterator(); ++it)
        out.push_back(std::stod(it->str()));
    return out;
}

std::string RunPython(const std::string& script) {
    std::string out;
    FILE* pipe = popen(("/usr/bin/python3 -c '" + script + "'").c_str(), "r");
    if (!pipe) return out;
    char buf[256];
    while (std::fgets(buf, sizeof buf, pipe)) out += buf;
    pclose(pipe);
    return out;
}

TEST(FreeformExport, ARoundWindowIsATrueCircleInEveryCutterFile) {
    test::ScratchFolder scratch;
    CardDocument doc;
    FreeformCard card;
    card.width = 160;
    card.half = kHalf;
    FreeformFlat flat;
    flat.depth = 40;
    flat.loops = ParsePathData("M 20 0 H 70 V 50 H 20 Z M 55 25 A 10 10 0 1 0 35 25 A 10 10 0 1 0 55 25 Z", 100, 100).loops;
    card.flats.push_back(flat);
    doc.SetFreeform(card);
    const AppSettings settings;
    const PatternOptions options;
    const std::pair<const char*, const char*> files[] = {{"svg", "w.svg"}, {"pdf", "w.pdf"}, {"pattern-dxf", "w.dxf"}};
    for (const auto& [id, name] : files)
        ASSERT_TRUE(doc.Export(*ExportFormatNamed(id), scratch.Path(name), settings, 40, 40, options)) << id;

    // SVG: the cut layer's paths; the window is the one of arcs, the outline
    // the last, a closed loop of four corners, the top-left the sheet's (0, -half).
    const std::string svg = test::ReadWholeFile(scratch.Path("w.svg"));
    const std::string cuts = svg.substr(svg.find("<g id=\"cut\""));
    const std::regex path("<path d=\"([^\"]*)\"");
    std::vector<std::string> texts;
    for (auto it = std::sregex_iterator(cuts.begin(), cuts.end(), path); it != std::sregex_iterator(); ++it)
        texts.push_back((*it)[1].str());
    ASSERT_GE(texts.size(), 2u);
    const std::string outline = texts.back();
    EXPECT_EQ(outline.back(), 'Z');
    const std::vector<double> corners = Numbers(outline);
    ASSERT_EQ(corners.size(), 8u) << outline;
    const double left = std::min({corners[0], corners[2], corners[4], corners[6]});
    const double top = std::min({corners[1], corners[3], corners[5], corners[7]});
    int windows = 0;
    for (const std::string& d : texts) {
        if (d.find('A') == std::string::npos) continue;
        ++windows;
        // "M x y A r r 0 0 f x y ...": every arc of radius 10 and every point
        // on the circle around the centre.
        const std::regex arc(R"(A ([0-9.]+) ([0-9.]+) 0 0 [01] ([0-9.]+) ([0-9.]+))");
        for (auto it = std::sregex_iterator(d.begin(), d.end(), arc); it != std::sregex_iterator(); ++it) {
            EXPECT_NEAR(std::stod((*it)[1].str()), kR, 1e-3);
            const double x = std::stod((*it)[3].str()) - left, s = std::stod((*it)[4].str()) - top - kHalf;
            EXPECT_NEAR(std::hypot(x - kX, s - kS), kR, 1e-3) << d;
        }
    }
    EXPECT_EQ(windows, 1);

    // A machine's file lays the sheet out in millimetres as the pattern's
    // does: a cutter's keeps the window's arcs as they are; a laser's, cut
    // half a 0.2 mm kerf outside the paper, leaves a window of radius 9.9
    // and cuts the grown outline last.
    PatternOptions laser = options;
    laser.kerfMm = 0.2;
    ASSERT_TRUE(doc.Export(*CuttingMachineNamed("cricut")->formats.at(0), scratch.Path("c.svg"), settings, 40, 40, options));
    ASSERT_TRUE(doc.Export(*CuttingMachineNamed("laser")->formats.at(0), scratch.Path("l.svg"), settings, 40, 40, laser));
    const auto cutPaths = [&](const std::string& file) {
        const std::string text = test::ReadWholeFile(scratch.Path(file));
        const std::string group = text.substr(text.find("<g id=\"cut\""));
        std::vector<std::string> found;
        for (auto it = std::sregex_iterator(group.begin(), group.end(), path); it != std::sregex_iterator(); ++it)
            found.push_back((*it)[1].str());
        return found;
    };
    const std::vector<std::string> cricut = cutPaths("c.svg");
    for (const std::string& d : texts)
        if (d.find('A') != std::string::npos) {
            EXPECT_NE(std::find(cricut.begin(), cricut.end(), d), cricut.end()) << d;
        }
    const std::vector<std::string> lasered = cutPaths("l.svg");
    ASSERT_FALSE(lasered.empty());
    const std::vector<double> edge = Numbers(lasered.back());
    ASSERT_EQ(edge.size(), 8u) << lasered.back();
    EXPECT_NEAR(std::min({edge[0], edge[2], edge[4], edge[6]}), left - 0.1, 1e-6);
    int round = 0;
    for (const std::string& d : lasered) {
        const std::vector<double> v = Numbers(d);
        if (v.size() < 40) continue;  // the window, flattened: many points
        ++round;
        for (std::size_t k = 0; k + 1 < v.size(); k += 2)
            EXPECT_NEAR(std::hypot(v[k] - left - kX, v[k + 1] - top - kHalf - kS), kR - 0.1, 0.011);
    }
    EXPECT_EQ(round, 1);

    // PDF: the content is uncompressed; the window's cubics stay within
    // 0.01 mm of the circle at their ends and middles (page y down, the
    // same layout as the SVG).
    const std::string pdf = test::ReadWholeFile(scratch.Path("w.pdf"));
    int onCircle = 0;
    const std::regex run(R"(([-0-9.]+) ([-0-9.]+) m ((?:[-0-9. ]+ [lc] )+)h S)");
    for (auto it = std::sregex_iterator(pdf.begin(), pdf.end(), run); it != std::sregex_iterator(); ++it) {
        const std::string body = (*it)[3].str();
        if (body.find(" c ") == std::string::npos) continue;
        double px = std::stod((*it)[1].str()), py = std::stod((*it)[2].str());
        const std::regex piece(R"(([-0-9.]+) ([-0-9.]+) ([-0-9.]+) ([-0-9.]+) ([-0-9.]+) ([-0-9.]+) c )");
        for (auto c = std::sregex_iterator(body.begin(), body.end(), piece); c != std::sregex_iterator(); ++c) {
            double v[6];
            for (int k = 0; k < 6; ++k) v[k] = std::stod((*c)[k + 1].str());
            for (double t : {0.0, 0.25, 0.5, 0.75, 1.0}) {
                const double a = (1 - t) * (1 - t) * (1 - t), b = 3 * t * (1 - t) * (1 - t), e = 3 * t * t * (1 - t),
                             f = t * t * t;
                const double x = a * px + b * v[0] + e * v[2] + f * v[4] - left;
                const double s = a * py + b * v[1] + e * v[3] + f * v[5] - top - kHalf;
                EXPECT_NEAR(std::hypot(x - kX, s - kS), kR, 0.01);
                ++onCircle;
            }
            px = v[4], py = v[5];
        }
    }
    EXPECT_GE(onCircle, 20);

    // DXF, read by ezdxf: one CIRCLE on the CUT layer, its centre on the
    // sheet's DXF coordinates (origin at the bottom-left corner, y up).
    const std::string dxf = RunPython(
        "import ezdxf\n"
        "d = ezdxf.readfile(\"" + scratch.Path("w.dxf") + "\")\n"
        "for e in d.modelspace().query(\"CIRCLE\"): print(e.dxf.layer, e.dxf.center.x, e.dxf.center.y, e.dxf.radius)\n");
    const std::vector<double> circle = Numbers(dxf);
    ASSERT_EQ(circle.size(), 3u) << dxf;
    EXPECT_EQ(dxf.substr(0, 4), "CUT ");
    EXPECT_NEAR(circle[0], kX, 1e-6);
    EXPECT_NEAR(circle[1], kHalf - kS, 1e-6);
    EXPECT_NEAR(circle[2], kR, 1e-6);
}

}  // namespace
}  // namespace pw
