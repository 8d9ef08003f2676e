// The fold's moves: held within closed .. flat, steps on a 15-degree raster,
// eased moves that stay between their ends and end on the target.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "edit/FoldMotion.h"

namespace pw {
namespace {

TEST(FoldMotionTest, StepsAndSetsStayInRangeAndLandOnTheRaster) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> any(-400.0, 400.0);
    FoldMotion fold;
    for (int i = 0; i < 500; ++i) {
        if (i % 3 == 0) fold.Set(any(rng));
        const double before = fold.Angle();
        const int direction = rng() % 2 ? 1 : -1;
        const bool changed = fold.Step(direction);
        const double after = fold.Angle();
        ASSERT_GE(after, kClosedAngle);
        ASSERT_LE(after, kFlatAngle);
        ASSERT_EQ(changed, after != before);
        if (changed) {
            ASSERT_EQ(std::fmod(after, FoldMotion::kStep), 0.0) << before << " " << direction;
            ASSERT_GT(after * direction, before * direction);
            ASSERT_LE(std::fabs(after - before), FoldMotion::kStep);
        }
    }
    fold.Set(std::nan(""));  // not a number: the opened card
    EXPECT_EQ(fold.Angle(), kOpenAngle);
}

TEST(FoldMotionTest, AMoveEasesBetweenItsEndsAndAnEditOpensTheCard) {
    FoldMotion fold;
    EXPECT_FALSE(fold.StartMoveTo(kOpenAngle));  // already there
    ASSERT_TRUE(fold.StartMoveTo(kClosedAngle));
    double last = fold.Angle();
    for (int ms = 0; ms <= FoldMotion::kDurationMs + 50; ms += 16) {
        fold.Advance(ms);
        EXPECT_LE(fold.Angle(), last);
        EXPECT_GE(fold.Angle(), kClosedAngle);
        last = fold.Angle();
    }
    EXPECT_FALSE(fold.Moving());
    EXPECT_EQ(fold.Angle(), kClosedAngle);

    ASSERT_TRUE(fold.StartMoveTo(kOpenAngle));
    fold.Advance(FoldMotion::kDurationMs / 2.0);
    EXPECT_EQ(fold.Angle(), 45.0);  // halfway in time is halfway in angle
    EXPECT_TRUE(fold.OpenForEditing());
    EXPECT_FALSE(fold.Moving());
    EXPECT_EQ(fold.Angle(), kOpenAngle);
    EXPECT_FALSE(fold.OpenForEditing());
}

}  // namespace
}  // namespace pw
