// The PDF read back by poppler's pdfinfo (page size, no complaints) and
// rasterised by pdftoppm (lines where the pattern puts them).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "model/CellGrid.h"
#include "model/RebuildPass.h"
#include "output/CutterPattern.h"
#include "output/PdfWriter.h"
#include "output/TilePlan.h"
#include "support/CardBuilder.h"
#include "support/ScratchFolder.h"

namespace pw {
namespace {

namespace fs = std::filesystem;

std::string RunTool(const std::string& command) {
    std::string out;
    if (std::FILE* p = popen(command.c_str(), "r")) {
        char buf[4096];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
        pclose(p);
    }
    return out;
}

// A binary greyscale PGM as pdftoppm -gray writes it.
struct Gray {
    int width = 0, height = 0;
    std::string pixels;
    int At(int x, int y) const { return static_cast<unsigned char>(pixels[static_cast<std::size_t>(y) * width + x]); }
};

Gray ReadPgm(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maxval = 0;
    Gray g;
    in >> magic >> g.width >> g.height >> maxval;
    in.get();
    g.pixels.assign(static_cast<std::size_t>(g.width) * g.height, '\0');
    in.read(g.pixels.data(), static_cast<std::streamsize>(g.pixels.size()));
    EXPECT_EQ(magic, "P5");
    return g;
}

class PdfReadBack : public ::testing::Test {
protected:
    std::string Write(CellGrid& g, int reverse, int ratio) {
        RunRebuildPass(g);
        const std::string path = (dir_ / "pattern.pdf").string();
        std::ofstream out(path, std::ios::binary);
        WritePdf(out, LayOutCutterPattern(g, reverse, ratio));
        return path;
    }
    test::ScratchFolder scratch_;
    fs::path dir_ = scratch_.Dir();
};

TEST_F(PdfReadBack, A4PageWithoutComplaints) {
    CellGrid g;
    g.NewCard(18, 9);
    const std::string pdf = Write(g, 0, 50);
    const std::string info = RunTool("pdfinfo '" + pdf + "' 2>&1");
    EXPECT_TRUE(std::regex_search(info, std::regex("Pages:\\s+1\\n"))) << info;
    std::smatch m;
    ASSERT_TRUE(std::regex_search(info, m, std::regex("Page size:\\s+([0-9.]+) x ([0-9.]+) pts")));
    EXPECT_NEAR(std::stod(m[1]) * 25.4 / 72, 210, 0.01);
    EXPECT_NEAR(std::stod(m[2]) * 25.4 / 72, 297, 0.01);
    EXPECT_EQ(info.find("rror"), std::string::npos) << info;  // no syntax or xref errors
}

TEST_F(PdfReadBack, RasterShowsCutsAndFoldsAtTheirMillimetres) {
    CellGrid g;
    g.NewCard(18, 9);
    for (int x = 5; x <= 7; ++x) test::AddBox(g, x, 2, 3);
    const std::string pdf = Write(g, 0, 50);
    // 127 dpi: five pixels per millimetre.
    const std::string base = (dir_ / "page").string();
    RunTool("pdftoppm -gray -r 127 -aa no -aaVector no -singlefile '" + pdf + "' '" + base + "' 2>&1");
    const Gray img = ReadPgm(base + ".pgm");
    ASSERT_NEAR(img.width, 1050, 1);
    ASSERT_NEAR(img.height, 1485, 1);

    const double cell = 0.5 * 210 / 18;
    auto px = [&](double mm) { return static_cast<int>(mm * 5); };
    auto u = [&](int col) { return 105 + (col - 9) * cell; };
    auto s = [&](int step) { return 148.5 + step * cell; };
    // Dark anywhere within a pixel of (x, y).
    auto dark = [&](int x, int y) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (img.At(x + dx, y + dy) < 128) return true;
        return false;
    };
    // Share of dark points along a horizontal line from mm a to b at height y.
    auto coverage = [&](double a, double b, double y) {
        int on = 0, all = 0;
        for (int x = px(a) + 3; x < px(b) - 3; ++x, ++all) on += img.At(x, px(y)) < 128 || img.At(x, px(y) + 1) < 128 ||
                                                               img.At(x, px(y) - 1) < 128;
        return static_cast<double>(on) / all;
    };

    // Solid outline and cuts.
    EXPECT_GT(coverage(u(1), u(17), s(8)), 0.95);
    EXPECT_GT(coverage(u(1), u(17), s(-8)), 0.95);
    for (int y = px(s(-3)) + 2; y < px(s(2)) - 2; ++y) ASSERT_TRUE(dark(px(u(5)), y)) << y;
    // Dashed mountain across the box, dotted valleys, the crease beside it.
    const double mountain = coverage(u(5), u(8), s(-1));
    const double valley = coverage(u(8), u(17), s(0));
    EXPECT_GT(mountain, 0.5);
    EXPECT_LT(mountain, 0.9);
    EXPECT_GT(valley, 0.2);
    EXPECT_LT(valley, 0.6);
    EXPECT_LT(coverage(u(5), u(8), s(0)), 0.05);  // no crease under the box
    // Nothing between the lines, nothing outside the sheet.
    EXPECT_LT(coverage(u(1), u(17), s(-6) + cell / 2), 0.05);
    EXPECT_LT(coverage(5, 50, 20), 0.01);
}

// Dark anywhere within `px` pixels of (x, y), on an image of 5 pixels per millimetre.
bool DarkNear(const Gray& img, double xMm, double yMm, int px) {
    const int cx = static_cast<int>(xMm * 5), cy = static_cast<int>(yMm * 5);
    for (int dy = -px; dy <= px; ++dy)
        for (int dx = -px; dx <= px; ++dx) {
            const int x = cx + dx, y = cy + dy;
            // Drawn: darker than paper; pure green, the valleys', is 150 in grey.
            if (x >= 0 && y >= 0 && x < img.width && y < img.height && img.At(x, y) < 192) return true;
        }
    return false;
}

TEST_F(PdfReadBack, SheetLargerThanThePaperIsTiledAndThePagesHoldEveryLine) {
    // 10 by 40 cells at 90 percent: cells of 15.75 mm, a sheet of 157.5 by
    // 1260 mm, with boxes on the back sheet and on the floor.
    CellGrid g;
    g.NewCard(12, 41);
    for (int x = 3; x <= 6; ++x) test::AddBox(g, x, 10, 25);
    test::AddBox(g, 8, 3, 2);
    RunRebuildPass(g);
    PatternOptions o;
    o.perforate = false;
    const CutterPattern pattern = LayOutCutterPattern(g, 0, 90, o);
    ASSERT_TRUE(pattern.grown);
    const PatternPages plan = PlanPatternPages(pattern);
    // A4 pieces of 190 by 277 mm overlapping by 10 mm: 5 rows, 1 column.
    EXPECT_EQ(plan.columns, 1);
    EXPECT_EQ(plan.rows, 5);
    ASSERT_EQ(plan.pages.size(), 5u);

    const std::string pdf = (dir_ / "tiled.pdf").string();
    {
        std::ofstream out(pdf, std::ios::binary);
        WritePdf(out, pattern);
    }
    const std::string info = RunTool("pdfinfo '" + pdf + "' 2>&1");
    EXPECT_TRUE(std::regex_search(info, std::regex("Pages:\\s+5\\n"))) << info;
    EXPECT_TRUE(std::regex_search(info, std::regex("Page size:\\s+595.\\d+ x 841.\\d+ pts"))) << info;
    EXPECT_EQ(info.find("rror"), std::string::npos) << info;
    // qpdf finds the file sound and its catalog asks viewers to print at
    // 100 %, as a pattern for cutting must be.
    const std::string check = RunTool("qpdf --check '" + pdf + "' 2>&1");
    EXPECT_NE(check.find("No syntax or stream encoding errors found"), std::string::npos) << check;
    const std::string catalog = RunTool("qpdf --show-object=1 '" + pdf + "' 2>&1");
    EXPECT_TRUE(std::regex_search(catalog, std::regex("/ViewerPreferences << /PrintScaling /None >>"))) << catalog;
    // Each page says which it is.
    for (int r = 1; r <= 5; ++r) {
        const std::string text = RunTool("pdftotext -f " + std::to_string(r) + " -l " + std::to_string(r) + " '" + pdf +
                                         "' - 2>&1");
        EXPECT_NE(text.find(std::to_string(r) + ", 1"), std::string::npos) << text;
    }

    std::vector<Gray> pages;
    const std::string base = (dir_ / "tile").string();
    RunTool("pdftoppm -gray -r 127 -aa no -aaVector no '" + pdf + "' '" + base + "' 2>&1");
    for (int r = 1; r <= 5; ++r) {
        pages.push_back(ReadPgm(base + "-" + std::to_string(r) + ".pgm"));
        ASSERT_NEAR(pages.back().height, 1485, 1);
    }

    // Every millimetre of every line is dark on some page where that page's
    // piece shows it (a dash or a dot within a millimetre along the line).
    int points = 0, missing = 0;
    for (const CutterLayer* layer : pattern.LayersInOrder())
        for (const MmLine& l : layer->lines) {
            const double len = std::hypot(l.x1 - l.x0, l.y1 - l.y0);
            for (double t = 0.5; t < len - 0.5; t += 1) {
                const double x = l.x0 + (l.x1 - l.x0) * t / len, y = l.y0 + (l.y1 - l.y0) * t / len;
                bool seen = false;
                for (std::size_t k = 0; k < pages.size() && !seen; ++k) {
                    const PatternPage& page = plan.pages[k];
                    const double px = x + page.shiftX, py = y + page.shiftY;
                    if (px < page.clipLeft + 1 || px > page.clipRight - 1 || py < page.clipTop + 1 ||
                        py > page.clipBottom - 1)
                        continue;
                    seen = DarkNear(pages[k], px, py, 5);
                }
                ++points;
                missing += !seen;
            }
        }
    EXPECT_GT(points, 2500);
    EXPECT_EQ(missing, 0);

    // Nothing outside a page's piece but its marks and its label; the
    // alignment crosses of neighbouring pages mark the same drawing points.
    for (std::size_t k = 0; k < pages.size(); ++k) {
        const PatternPage& page = plan.pages[k];
        EXPECT_FALSE(DarkNear(pages[k], 200, 150, 3));  // the right margin
        EXPECT_EQ(page.marks.size(), k == 0 || k == 4 ? 2u : 4u);
        for (const MmPoint& m : page.marks) {
            EXPECT_TRUE(DarkNear(pages[k], m.x + 2, m.y, 1));
            const double dx = m.x - page.shiftX, dy = m.y - page.shiftY;
            int onOthers = 0;
            for (std::size_t j = 0; j < pages.size(); ++j)
                for (const MmPoint& n : plan.pages[j].marks)
                    onOthers += j != k && std::abs(n.x - plan.pages[j].shiftX - dx) < 1e-9 &&
                                std::abs(n.y - plan.pages[j].shiftY - dy) < 1e-9;
            EXPECT_EQ(onOthers, 1);
        }
    }
}

TEST_F(PdfReadBack, TilingOnRequestAndOtherPapers) {
    CellGrid g;
    g.NewCard(18, 9);
    RunRebuildPass(g);
    PatternOptions o;
    o.tile = true;
    o.paper = *PaperNamed("letter");
    const std::string pdf = (dir_ / "letter.pdf").string();
    {
        std::ofstream out(pdf, std::ios::binary);
        WritePdf(out, LayOutCutterPattern(g, 0, 50, o));
    }
    const std::string info = RunTool("pdfinfo '" + pdf + "' 2>&1");
    EXPECT_TRUE(std::regex_search(info, std::regex("Pages:\\s+1\\n"))) << info;
    EXPECT_TRUE(std::regex_search(info, std::regex("Page size:\\s+612 x 792 pts"))) << info;
    EXPECT_NE(RunTool("pdftotext '" + pdf + "' - 2>&1").find("1, 1"), std::string::npos);

    // Without tiling the A5 page holds a small card whole, and a legend
    // names the kinds of line.
    o.tile = false;
    o.paper = *PaperNamed("a5");
    o.legend = true;
    const std::string a5 = (dir_ / "a5.pdf").string();
    {
        std::ofstream out(a5, std::ios::binary);
        WritePdf(out, LayOutCutterPattern(g, 0, 50, o));
    }
    const std::string a5Info = RunTool("pdfinfo '" + a5 + "' 2>&1");
    EXPECT_TRUE(std::regex_search(a5Info, std::regex("Pages:\\s+1\\n"))) << a5Info;
    EXPECT_TRUE(std::regex_search(a5Info, std::regex("Page size:\\s+419.\\d+ x 595.\\d+ pts"))) << a5Info;
    const std::string text = RunTool("pdftotext '" + a5 + "' - 2>&1");
    for (const char* kind : {"cut", "mountain fold", "valley fold", "card 93.3", "sheet 93.3"})
        EXPECT_NE(text.find(kind), std::string::npos) << kind << ": " << text;
}

// A Japanese legend is set in a system font embedded as a subset with a
// ToUnicode map: poppler lists the font so and reads the words back. An
// English legend stays in Helvetica, embedding nothing.
TEST_F(PdfReadBack, AJapaneseLegendEmbedsItsGlyphsAndReadsBack) {
    CellGrid g;
    g.NewCard(39, 26);  // 37 by 25 cells of 4 mm: the reply postcard's 148 by 200 mm sheet
    for (int x = 10; x <= 28; ++x) test::AddBox(g, x, 6, 8);
    RunRebuildPass(g);
    PatternOptions o;
    o.cellMm = 4;
    o.legend = true;
    o.paper = *PaperNamed("reply-postcard");
    o.legendWording = {"切り込み: 赤、実線", "山折り: 青、破線", "谷折り: 緑、点線", "筋押し",
                       "カード %1 × %2 mm（開いた状態）", "用紙 %1 × %2 mm"};
    const CutterPattern pattern = LayOutCutterPattern(g, 0, 50, o);
    EXPECT_DOUBLE_EQ(pattern.sheetRightMm - pattern.sheetLeftMm, 148);
    EXPECT_DOUBLE_EQ(pattern.sheetBottomMm - pattern.sheetTopMm, 200);
    const std::string pdf = (dir_ / "返信.pdf").string();
    {
        std::ofstream out(pdf, std::ios::binary);
        WritePdf(out, pattern);
    }
    const std::string fonts = RunTool("pdffonts '" + pdf + "' 2>&1");
    EXPECT_TRUE(std::regex_search(fonts, std::regex("[A-Z]{6}\\+\\S+\\s+CID TrueType\\s+Identity-H\\s+yes yes yes")))
        << fonts;
    const std::string text = RunTool("pdftotext '" + pdf + "' - 2>&1");
    for (const char* words : {"切り込み: 赤、実線", "山折り: 青、破線", "谷折り: 緑、点線", "カード 148 × 100 mm（開いた状態）",
                              "用紙 148 × 200 mm"})
        EXPECT_NE(text.find(words), std::string::npos) << words << ": " << text;
    // The subset holds the few glyphs used, not the font's thousands.
    EXPECT_LT(fs::file_size(pdf), 100u * 1024);

    o.legendWording = LegendWording{};
    const std::string english = (dir_ / "english.pdf").string();
    {
        std::ofstream out(english, std::ios::binary);
        WritePdf(out, LayOutCutterPattern(g, 0, 50, o));
    }
    const std::string englishFonts = RunTool("pdffonts '" + english + "' 2>&1");
    EXPECT_NE(englishFonts.find("Helvetica"), std::string::npos) << englishFonts;
    EXPECT_EQ(englishFonts.find("CID"), std::string::npos) << englishFonts;
}

}  // namespace
}  // namespace pw
