// The fixed colour map and the nearest-colour search over it.
#include "Screen.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

rgb_color Rgb(int red, int green, int blue)
{
    return rgb_color{static_cast<uint8>(red), static_cast<uint8>(green), static_cast<uint8>(blue), 255};
}

TEST(ColorMap, FourRampsOfSixtyFourLevels)
{
    BScreen screen;
    for (int step = 0; step < 64; ++step) {
        const int level = static_cast<int>(std::lround(step * 255.0 / 63.0));
        EXPECT_EQ(screen.ColorForIndex(static_cast<uint8>(step)), Rgb(level, level, level));
        EXPECT_EQ(screen.ColorForIndex(static_cast<uint8>(64 + step)), Rgb(level, 0, 0));
        EXPECT_EQ(screen.ColorForIndex(static_cast<uint8>(128 + step)), Rgb(0, level, 0));
        EXPECT_EQ(screen.ColorForIndex(static_cast<uint8>(192 + step)), Rgb(0, 0, level));
    }
}

TEST(ColorMap, WhiteBlackAndPrimariesAreEntries)
{
    BScreen screen(nullptr);
    EXPECT_TRUE(screen.IsValid());
    EXPECT_EQ(screen.IndexForColor(255, 255, 255), 63);
    EXPECT_EQ(screen.IndexForColor(0, 0, 0), 0);
    EXPECT_EQ(screen.IndexForColor(255, 0, 0), 127);
    EXPECT_EQ(screen.IndexForColor(0, 255, 0), 191);
    EXPECT_EQ(screen.IndexForColor(0, 0, 255, 0), 255);
}

TEST(ColorMap, NearestEntryWinsAndTiesGoToTheLowerIndex)
{
    BScreen screen;
    // Red levels 251 (step 62) and 255: 252 is nearer 251.
    EXPECT_EQ(screen.IndexForColor(252, 0, 0), 64 + 62);
    // (4, 0, 0) is 1 away; grey (4, 4, 4) and black are further.
    EXPECT_EQ(screen.IndexForColor(3, 0, 0), 64 + 1);
    EXPECT_EQ(screen.IndexForColor(0, 3, 0), 128 + 1);
    // Grey levels 125 and 130 around 128: 130 is nearer.
    EXPECT_EQ(screen.IndexForColor(128, 128, 128), 32);
    // (2, 0, 0) is 4 away from black (index 0) and from (4, 0, 0): a tie.
    EXPECT_EQ(screen.IndexForColor(2, 0, 0), 0);
    // (2, 2, 2) lies halfway between grey 0 and grey 4.
    EXPECT_EQ(screen.IndexForColor(2, 2, 2), 0);
}

// The search must agree with its definition everywhere; a coarse grid over
// the colour cube checks that, including colours far from every ramp.
TEST(ColorMap, IndexForColorIsTheNearestEntryOverASampleOfTheCube)
{
    BScreen screen;
    for (int red = 0; red < 256; red += 15) {
        for (int green = 0; green < 256; green += 17) {
            for (int blue = 0; blue < 256; blue += 13) {
                int best = 0;
                long bestDistance = -1;
                for (int index = 0; index < 256; ++index) {
                    const rgb_color entry = screen.ColorForIndex(static_cast<uint8>(index));
                    const long distance = (entry.red - red) * (entry.red - red)
                        + (entry.green - green) * (entry.green - green) + (entry.blue - blue) * (entry.blue - blue);
                    if (bestDistance < 0 || distance < bestDistance) {
                        best = index;
                        bestDistance = distance;
                    }
                }
                ASSERT_EQ(screen.IndexForColor(static_cast<uint8>(red), static_cast<uint8>(green),
                                               static_cast<uint8>(blue)), best)
                    << red << "," << green << "," << blue;
            }
        }
    }
}

} // namespace
