#include <gtest/gtest.h>

#include <random>

#include "import/PotraceSvg.h"
#include "model/freeform/SvgPathData.h"

namespace pw {
namespace {

// Random shapes of whole tenths of a pixel, as potrace writes them, in its
// envelope for a picture `height` pixels high; read back, every point is a
// tenth of what was written with z up, and shapes keep their holes.
TEST(PotraceSvg, ShapesComeBackInPixelsWithZUpAndCutTextIsNeverHalfRead) {
    std::mt19937 random(11);
    std::uniform_int_distribution<int> coordinate(0, 4000);
    for (int round = 0; round < 30; ++round) {
        const int height = 400;
        std::vector<std::vector<FrontLoop>> written(std::uniform_int_distribution<std::size_t>(1, 4)(random));
        std::string svg = "<?xml version=\"1.0\"?>\n<svg width=\"10pt\">\n<g transform=\"translate(0.000000," +
                          std::to_string(height) + ".000000) scale(0.100000,-0.100000)\"\nfill=\"#000000\">\n";
        for (std::vector<FrontLoop>& shape : written) {
            shape.resize(std::uniform_int_distribution<std::size_t>(1, 3)(random));
            for (FrontLoop& loop : shape) {
                auto point = [&] { return SheetPoint{double(coordinate(random)), double(coordinate(random))}; };
                loop = FrontLoop(point());
                loop.LineTo(point()).CubicTo(point(), point(), point()).Close();
            }
            svg += "<path d=\"" + WritePathData(shape) + "\"/>\n";
        }
        svg += "</g>\n</svg>\n";

        const PotraceShapes read = ReadPotraceSvg(svg, height, 1000);
        ASSERT_TRUE(read.error.empty()) << read.error;
        ASSERT_EQ(read.shapes.size(), written.size());
        for (std::size_t i = 0; i < written.size(); ++i) {
            ASSERT_EQ(read.shapes[i].size(), written[i].size());
            for (std::size_t j = 0; j < written[i].size(); ++j) {
                const std::vector<SheetPoint> a = FlattenPath(written[i][j], 1), b = FlattenPath(read.shapes[i][j], 0.1);
                ASSERT_EQ(a.size(), b.size());
                for (std::size_t k = 0; k < a.size(); ++k) {
                    EXPECT_NEAR(b[k].x, a[k].x / 10, 1e-9);
                    EXPECT_NEAR(b[k].s, a[k].s / 10, 1e-9);
                }
            }
        }
        EXPECT_TRUE(ReadPotraceSvg(svg, height, 1).tooManySegments);
        // Output cut short (a killed child) is refused, or has fewer shapes, never a wrong one.
        const PotraceShapes cut = ReadPotraceSvg(svg.substr(0, std::uniform_int_distribution<std::size_t>(0, svg.size() - 8)(random)), height, 1000);
        EXPECT_TRUE(!cut.error.empty() || cut.shapes.size() < written.size());
    }
}

}  // namespace
}  // namespace pw
