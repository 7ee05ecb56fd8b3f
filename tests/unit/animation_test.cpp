// Frames of an animation: exact ends, linear values, a constant zoom speed and
// the end region in view all the way.
#include "LyapAnimation.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(Animation, EndsAreExactAndTheMiddleIsHalfWay)
{
    const LyapFrameValues from{2.0, 4.0, 1.0, 4.0, 1.0, 0.5, 128.0};
    const LyapFrameValues to{3.4, 3.42, 2.5, 2.5001, 2.0, 0.25, 0.0};
    const auto first = InterpolateFrame(from, to, 0, 5);
    const auto last = InterpolateFrame(from, to, 4, 5);
    EXPECT_EQ(first.aMin, from.aMin);
    EXPECT_EQ(first.bMax, from.bMax);
    EXPECT_EQ(last.aMax, to.aMax);
    EXPECT_EQ(last.bMin, to.bMin);
    EXPECT_EQ(last.contrast, to.contrast);

    const auto mid = InterpolateFrame(from, to, 2, 5);
    EXPECT_DOUBLE_EQ(mid.morph, 1.5);
    EXPECT_DOUBLE_EQ(mid.firstX, 0.375);
    EXPECT_DOUBLE_EQ(mid.contrast, 64.0);
    // Half way in time is half way in zoom: the geometric mean of the widths.
    EXPECT_NEAR(mid.aMax - mid.aMin, std::sqrt(2.0 * 0.02), 1e-12);
    EXPECT_NEAR(mid.bMax - mid.bMin, std::sqrt(3.0 * 0.0001), 1e-12);
}

TEST(Animation, ZoomSpeedIsConstantAndTheEndRegionStaysInView)
{
    const LyapFrameValues from{2.0, 4.0, 2.0, 4.0, 1.0, 0.5, 128.0};
    const LyapFrameValues to{3.9, 3.9001, 2.0001, 2.0002, 1.0, 0.5, 128.0};
    constexpr int kFrames = 60;
    double previousWidth = from.aMax - from.aMin;
    const double step = std::pow((to.aMax - to.aMin) / previousWidth,
                                 1.0 / (kFrames - 1));
    for (int k = 1; k < kFrames; ++k) {
        const auto f = InterpolateFrame(from, to, k, kFrames);
        const double width = f.aMax - f.aMin;
        EXPECT_NEAR(width / previousWidth, step, 1e-6) << "frame " << k;
        previousWidth = width;
        EXPECT_LE(f.aMin, to.aMin) << "frame " << k;
        EXPECT_GE(f.aMax, to.aMax) << "frame " << k;
        EXPECT_LE(f.bMin, to.bMin) << "frame " << k;
        EXPECT_GE(f.bMax, to.bMax) << "frame " << k;
    }
}
