#include "Palette.h"

#include <gtest/gtest.h>

namespace {

TEST(PaletteFormulas, EntriesAtTheEndsAndBendsOfEveryRamp)
{
    struct Entry {
        int palette, value;
        RgbColour colour;
    };
    const Entry entries[] = {
        {0, 0, {255, 255, 255}}, {0, 100, {155, 155, 155}}, {0, 255, {0, 0, 0}}, {1, 0, {0, 0, 0}},
        {1, 100, {100, 100, 100}}, {1, 255, {255, 255, 255}}, {2, 0, {0, 0, 0}}, {2, 1, {4, 0, 0}},
        {2, 63, {252, 0, 0}}, {2, 64, {255, 0, 0}}, {2, 65, {251, 0, 0}}, {2, 127, {3, 0, 0}},
        {2, 128, {0, 0, 0}}, {2, 191, {0, 252, 0}}, {2, 192, {0, 255, 0}}, {2, 255, {0, 3, 0}},
        {3, 0, {0, 0, 255}}, {3, 55, {0, 0, 200}}, {3, 255, {0, 0, 0}},
    };
    for (const Entry& e : entries)
        EXPECT_EQ(PaletteColour(e.palette, e.value), e.colour) << e.palette << "/" << e.value;
    for (auto [palette, value] : {std::pair{4, 0}, {-1, 0}, {0, 256}, {0, -1}})
        EXPECT_FALSE(PaletteColour(palette, value)) << palette << "/" << value;
}

}  // namespace
