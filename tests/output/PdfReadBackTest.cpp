// The PDF read back by poppler's pdfinfo (page size, no complaints) and
// rasterised by pdftoppm (lines where the pattern puts them).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "model/CellGrid.h"
#include "model/RebuildPass.h"
#include "output/CutterPattern.h"
#include "output/PdfWriter.h"
#include "support/CardBuilder.h"

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
    void SetUp() override {
        char name[] = "/tmp/popwright-pdf-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        dir_ = name;
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Write(CellGrid& g, int reverse, int ratio) {
        RunRebuildPass(g);
        const std::string path = (dir_ / "pattern.pdf").string();
        std::ofstream out(path, std::ios::binary);
        WritePdf(out, LayOutCutterPattern(g, reverse, ratio));
        return path;
    }
    fs::path dir_;
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

TEST_F(PdfReadBack, TallCardPageGrowsBeyondA4) {
    CellGrid g;
    g.NewCard(12, 41);
    const std::string info = RunTool("pdfinfo '" + Write(g, 0, 90) + "' 2>&1");
    std::smatch m;
    ASSERT_TRUE(std::regex_search(info, m, std::regex("Page size:\\s+([0-9.]+) x ([0-9.]+) pts")));
    EXPECT_NEAR(std::stod(m[2]) * 25.4 / 72, 80 * 15.75 + 20, 0.01);
}

}  // namespace
}  // namespace pw
