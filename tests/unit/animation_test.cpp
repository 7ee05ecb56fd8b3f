// Frames of an animation: linear values, a constant zoom speed and the end
// region in view all the way. (The renderer's animation test reads the exact
// end values back from the first and last frames' files.)
#include "LyapAnimation.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(Animation, ValuesLinearAndZoomSpeedConstant)
{
    const LyapFrameValues from{2.0, 4.0, 1.0, 4.0, 1.0, 0.5, 128.0};
    const LyapFrameValues to{3.4, 3.42, 2.5, 2.5001, 2.0, 0.25, 0.0};
    constexpr int kFrames = 61;
    const auto mid = InterpolateFrame(from, to, kFrames / 2, kFrames);
    EXPECT_EQ(std::pair(mid.morph, mid.firstX), std::pair(1.5, 0.375));
    // Each frame narrows a by the same factor; the end region stays in view.
    const double step = std::pow((to.aMax - to.aMin) / (from.aMax - from.aMin), 1.0 / (kFrames - 1));
    for (int k = 1; k < kFrames; ++k) {
        const auto f = InterpolateFrame(from, to, k, kFrames), g = InterpolateFrame(from, to, k - 1, kFrames);
        EXPECT_NEAR((f.aMax - f.aMin) / (g.aMax - g.aMin), step, 1e-6) << "frame " << k;
        EXPECT_TRUE(f.aMin <= to.aMin && f.aMax >= to.aMax && f.bMin <= to.bMin && f.bMax >= to.bMax) << k;
    }
}
