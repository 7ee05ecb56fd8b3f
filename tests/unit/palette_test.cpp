#include "Palette.h"

#include <gtest/gtest.h>

namespace {

RgbColour Colour(int palette, int value)
{
    const auto colour = PaletteColour(palette, value);
    EXPECT_TRUE(colour.has_value()) << palette << "/" << value;
    return colour.value_or(RgbColour{1, 2, 3});
}

TEST(PaletteFormulas, GreyRampsRunInOppositeDirections)
{
    EXPECT_EQ(Colour(0, 0), (RgbColour{255, 255, 255}));
    EXPECT_EQ(Colour(0, 255), (RgbColour{0, 0, 0}));
    EXPECT_EQ(Colour(0, 100), (RgbColour{155, 155, 155}));
    EXPECT_EQ(Colour(1, 0), (RgbColour{0, 0, 0}));
    EXPECT_EQ(Colour(1, 255), (RgbColour{255, 255, 255}));
    EXPECT_EQ(Colour(1, 100), (RgbColour{100, 100, 100}));
}

TEST(PaletteFormulas, Palette3IsARedHumpThenAGreenHump)
{
    EXPECT_EQ(Colour(2, 0), (RgbColour{0, 0, 0}));
    EXPECT_EQ(Colour(2, 63), (RgbColour{252, 0, 0}));
    EXPECT_EQ(Colour(2, 64), (RgbColour{255, 0, 0}));
    EXPECT_EQ(Colour(2, 127), (RgbColour{3, 0, 0}));
    EXPECT_EQ(Colour(2, 128), (RgbColour{0, 0, 0}));
    EXPECT_EQ(Colour(2, 191), (RgbColour{0, 252, 0}));
    EXPECT_EQ(Colour(2, 192), (RgbColour{0, 255, 0}));
    EXPECT_EQ(Colour(2, 255), (RgbColour{0, 3, 0}));
    for (int k = 1; k < 64; ++k)
        EXPECT_EQ(Colour(2, k).red - Colour(2, k - 1).red, 4) << k;
    for (int k = 65; k < 128; ++k)
        EXPECT_EQ(Colour(2, k - 1).red - Colour(2, k).red, 4) << k;
}

TEST(PaletteFormulas, Palette4FadesBlueToBlack)
{
    EXPECT_EQ(Colour(3, 0), (RgbColour{0, 0, 255}));
    EXPECT_EQ(Colour(3, 255), (RgbColour{0, 0, 0}));
    EXPECT_EQ(Colour(3, 55), (RgbColour{0, 0, 200}));
}

TEST(PaletteFormulas, NumbersAndValuesOutsideTheTablesHaveNoColour)
{
    EXPECT_FALSE(PaletteColour(4, 0).has_value());
    EXPECT_FALSE(PaletteColour(-1, 0).has_value());
    EXPECT_FALSE(PaletteColour(0, 256).has_value());
    EXPECT_FALSE(PaletteColour(0, -1).has_value());
}

} // namespace
