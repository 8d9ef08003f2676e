#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "import/ImportMessages.h"
#include "import/TracedFlats.h"
#include "model/freeform/PathBounds.h"

namespace pw {
namespace {

// Paints pixels whose centres lie within radius r of (cx, cy) (picture rows down).
void Disc(GreyImage& g, double cx, double cy, double r, std::uint8_t grey) {
    for (int y = 0; y < g.height; ++y)
        for (int x = 0; x < g.width; ++x)
            if (std::hypot(x + 0.5 - cx, y + 0.5 - cy) <= r) g.At(x, y) = grey;
}

void Box(GreyImage& g, int x0, int y0, int x1, int y1, std::uint8_t grey) {
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) g.At(x, y) = grey;
}

// The farthest any point of the loop lies from the circle of radius r around (cx, cz).
double OffCircle(const FrontLoop& loop, double cx, double cz, double r) {
    double worst = 0;
    for (const SheetPoint& p : FlattenPath(loop, 0.01)) worst = std::max(worst, std::abs(std::hypot(p.x - cx, p.s - cz) - r));
    return worst;
}

TEST(TracedFlats, DiscAndRingFollowTheirCirclesWithZUp) {
    GreyImage picture(300, 260);
    Disc(picture, 100, 120, 70, 0);
    Disc(picture, 230, 60, 50, 0);
    Disc(picture, 230, 60, 25, 255);
    const FlatsFromSource traced = TraceFlats(picture, {});
    ASSERT_TRUE(traced.Made()) << traced.error;
    ASSERT_EQ(traced.flats.size(), 2u);
    for (const FreeformFlat& flat : traced.flats) {
        EXPECT_EQ(flat.depth, TraceSettings{}.depthMm);
        const bool disc = flat.loops.size() == 1;
        // Rows go down in the picture, z up in the front view.
        const double cx = disc ? 100 : 230, cz = 260 - (disc ? 120 : 60);
        EXPECT_LT(OffCircle(flat.loops[0], cx, cz, disc ? 70 : 50), 0.5);
        if (!disc) {
            ASSERT_EQ(flat.loops.size(), 2u);
            EXPECT_LT(OffCircle(flat.loops[1], cx, cz, 25), 0.5);
        }
    }
}

TEST(TracedFlats, SpecklesUpToTheSizeVanishAndAreCounted) {
    std::mt19937 random(24);
    for (int round = 0; round < 20; ++round) {
        GreyImage picture(200, 200);
        Box(picture, 100, 0, 200, 200, 0);
        const long long size = std::uniform_int_distribution<int>(1, 9)(random);
        int expected = 0;
        // Specks and pinholes on a 10-pixel grid, dark on the left, light on the right.
        for (int cell = 0; cell < 200; ++cell) {
            const int x = (cell % 20) * 10 + 2, y = (cell / 20) * 10 + 2;
            if (x + 4 > 100 && x < 100) continue;
            const int w = std::uniform_int_distribution<int>(1, 3)(random), h = std::uniform_int_distribution<int>(1, 3)(random);
            if (std::uniform_int_distribution<int>(0, 3)(random) != 0) continue;
            Box(picture, x, y, x + w, y + h, x < 100 ? 0 : 255);
            if (w * h <= size) ++expected;
        }
        const FlatsFromSource traced = TraceFlats(picture, {128, size, 0, 30});
        ASSERT_TRUE(traced.Made());
        int kept = 0;
        for (const FreeformFlat& f : traced.flats) kept += static_cast<int>(f.loops.size());
        EXPECT_EQ(traced.notes.empty() ? 0 : std::stoi(traced.notes.back()), expected);
        EXPECT_GE(kept, 1);
        EXPECT_EQ(kept + expected, [&] {
            int all = 0;
            for (const FreeformFlat& f : TraceFlats(picture, {128, 0, 0, 30}).flats) all += static_cast<int>(f.loops.size());
            return all;
        }());
    }
}

TEST(TracedFlats, DepthMapGivesNestedFlatsAtQuantisedDepths) {
    GreyImage picture(120, 100);
    Box(picture, 10, 10, 110, 100, 170);
    Box(picture, 30, 30, 90, 100, 85);
    Box(picture, 50, 50, 70, 100, 0);
    const FlatsFromSource traced = TraceFlats(picture, {128, 4, 3, 45});
    ASSERT_TRUE(traced.Made()) << traced.error;
    ASSERT_EQ(traced.flats.size(), 3u);
    for (int k = 0; k < 3; ++k) {
        EXPECT_DOUBLE_EQ(traced.flats[static_cast<std::size_t>(k)].depth, 15.0 * (k + 1));
        const PathBox b = BoundsOf(traced.flats[static_cast<std::size_t>(k)].loops[0]);
        EXPECT_NEAR(b.x0, 10 + 20 * k, 1e-6);
        EXPECT_NEAR(b.s1, 90 - 20 * k, 1e-6);  // level k stands from the floor to its grey's top
        EXPECT_NEAR(b.s0, 0, 1e-6);
    }
    EXPECT_FALSE(TraceFlats(picture, {128, 4, 1, 45}).Made());
    EXPECT_FALSE(TraceFlats(GreyImage(50, 50), {}).Made());
}

TEST(TracedFlats, WithoutThePotraceProgramTheErrorSaysSo) {
    GreyImage picture(40, 40);
    Disc(picture, 20, 20, 10, 0);
    const FlatsFromSource traced = TraceFlats(picture, {}, {"/no/such/potrace", 10});
    EXPECT_TRUE(traced.flats.empty());
    EXPECT_EQ(traced.error, msg::kTraceProgramMissing);
}

TEST(TracedFlats, LargePicturesAreTracedSmallerToTheSameSize) {
    GreyImage picture(6000, 5000);
    Disc(picture, 3000, 2500, 2000, 0);
    const FlatsFromSource traced = TraceFlats(picture, {});
    ASSERT_TRUE(traced.Made());
    ASSERT_EQ(traced.notes.size(), 1u);
    EXPECT_NE(traced.notes[0].find("1/2"), std::string::npos);
    EXPECT_LT(OffCircle(traced.flats[0].loops[0], 3000, 2500, 2000), 2.0);
}

}  // namespace
}  // namespace pw
