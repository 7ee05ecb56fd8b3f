#include "ColourMap.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

using Format = ColourMapFormat;

// A gradient of one segment from the colour `ends` gives (left then right,
// RGBA each), with its middle point, blending and colouring.
std::string OneSegment(std::string_view middle, int blending, int colouring = 0,
                       std::string_view ends = "0 0 0 1 1 1 1 1")
{
    return "GIMP Gradient\nName: g\n1\n0 " + std::string(middle) + " 1 " + std::string(ends) + " " +
           std::to_string(blending) + " " + std::to_string(colouring) + "\n";
}

std::string MapLines(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += std::to_string(i) + " " + std::to_string(255 - i) + "\t7 colour " + std::to_string(i) + "\r\n";
    return text;
}

// Every value worked by hand from the formulas: a .gpl's colour v sits at
// v x (N - 1) / 255 among the N; a gradient's at x = v / 255.
TEST(ColourMapFiles, GoodFilesGiveTheColoursOfTheirFormulas)
{
    const std::string red_to_blue = "1 0 0 1 0 0 1 1";
    struct Row {
        Format format;
        std::string text;
        int value;
        RgbColour colour;
    } rows[] = {
        {Format::kFractintMap, MapLines(256), 10, {10, 245, 7}},
        {Format::kGimpPalette, "GIMP Palette\nName: p\nColumns: 3\n# c\n0 0 0 a\n255 0 100 b\n0 255 0\n", 64, {128, 0, 50}},
        {Format::kGimpPalette, "GIMP Palette\n0 0 0\n255 0 100\n0 255 0\n", 128, {254, 1, 100}},
        {Format::kGimpPalette, "GIMP Palette\n0 0 0\n255 0 100\n0 255 0\n", 255, {0, 255, 0}},
        {Format::kGimpPalette, "GIMP Palette\n9 8 7\n", 200, {9, 8, 7}},
        {Format::kGimpGradient, OneSegment("0.5", 0), 51, {51, 51, 51}},
        {Format::kGimpGradient, OneSegment("0.25", 0), 51, {102, 102, 102}},
        {Format::kGimpGradient, OneSegment("0.25", 0), 153, {187, 187, 187}},
        {Format::kGimpGradient, OneSegment("0.25", 1), 51, {114, 114, 114}},
        {Format::kGimpGradient, OneSegment("0.5", 2), 51, {24, 24, 24}},
        {Format::kGimpGradient, OneSegment("0.5", 3), 51, {153, 153, 153}},
        {Format::kGimpGradient, OneSegment("0.5", 4), 153, {51, 51, 51}},
        {Format::kGimpGradient, OneSegment("0.5", 5), 127, {0, 0, 0}},
        {Format::kGimpGradient, OneSegment("0.5", 5), 128, {255, 255, 255}},
        {Format::kGimpGradient, OneSegment("0.5", 0, 1, red_to_blue), 51, {255, 204, 0}},
        {Format::kGimpGradient, OneSegment("0.5", 0, 2, red_to_blue), 51, {255, 0, 102}},
        {Format::kGimpGradient, "GIMP Gradient\n2\n0 .25 .5 0 0 0 1 1 0 0 1 0 0 0 0\n0.5 0.75 1 0 1 0 1 0 0 1 1 0 0 1 1\n",
         127, {254, 0, 0}},
        {Format::kGimpGradient, "GIMP Gradient\n2\n0 .25 .5 0 0 0 1 1 0 0 1 0 0 0 0\n0.5 0.75 1 0 1 0 1 0 0 1 1 0 0 1 1\n",
         128, {0, 254, 1}},
    };
    for (const Row& row : rows) {
        const auto map = ParseColourMap(row.format, row.text, "t");
        ASSERT_TRUE(map) << map.Reason();
        EXPECT_EQ((*map)[row.value], row.colour) << row.text << "at " << row.value;
    }
}

TEST(ColourMapFiles, BrokenFilesAreRefusedNamingTheLine)
{
    const std::string palette = "GIMP Palette\n1 2 3\n";
    const std::string gradient = "GIMP Gradient\n1\n";
    const std::string segment = "0 0.5 1 0 0 0 1 1 1 1 1 0 0";
    struct Row {
        Format format;
        std::string text, message;
    } rows[] = {
        {Format::kFractintMap, MapLines(255), "t:256: 255 colours where 256 are needed"},
        {Format::kFractintMap, MapLines(257), "t:257: more than 256 colours"},
        {Format::kFractintMap, "1 2 3\n\n4 5 256\n", "t:3: 256 is out of range 0..255"},
        {Format::kFractintMap, "1 2 3\n4 2.5 6\n", "t:2: \"2.5\" is not a whole number"},
        {Format::kFractintMap, "1 2\n", "t:1: expected three whole numbers R G B"},
        {Format::kGimpPalette, "GIMP Palette\nName: x\n# c\n", "t:4: no colours"},
        {Format::kGimpPalette, "GIMP Pallete\n1 2 3\n", "t:1: not a GIMP palette: its first line is not \"GIMP Palette\""},
        {Format::kGimpPalette, palette + "-1 0 0\n", "t:3: \"-1\" is not a whole number"},
        {Format::kGimpGradient, "GIMP Gradient\nName: x\n", "t:3: no segment count"},
        {Format::kGimpGradient, "GIMP Gradient\n0\n", "t:2: segment count: 0 is out of range 1..65536"},
        {Format::kGimpGradient, "GIMP Gradient\n2\n" + segment + "\n", "t:4: 1 of the 2 segments announced"},
        {Format::kGimpGradient, gradient + segment + "\n" + segment, "t:4: more segments than the 1 announced"},
        {Format::kGimpGradient, gradient + "0 0.5 1 0 0 0 1 1 1 1 1 6 0", "t:3: 6 is out of range 0..5"},
        {Format::kGimpGradient, gradient + "0.6 0.5 1 0 0 0 1 1 1 1 1 0 0",
         "t:3: the positions are not in order left <= middle <= right"},
        {Format::kGimpGradient, gradient + "0 0.5 1 nan 0 0 1 1 1 1 1 0 0", "t:3: \"nan\" is not a number 0..1"},
        {Format::kGimpGradient, gradient + segment + " 0",
         "t:3: expected 13 or 15 fields: positions, two colours, blending, colouring [and two colour types]"},
    };
    for (const Row& row : rows) {
        const auto map = ParseColourMap(row.format, row.text, "t");
        ASSERT_FALSE(map) << row.text;
        EXPECT_EQ(map.Reason(), row.message) << row.text;
    }
}

TEST(ColourMapFiles, FilesAndNamesAreFound)
{
    const auto folder = std::filesystem::path(testing::TempDir()) / "colour-maps";
    std::filesystem::create_directories(folder);
    const auto write = [&](const std::string& name, const std::string& text) {
        std::ofstream(folder / name, std::ios::binary) << text;
        return (folder / name).string();
    };
    const std::string big = write("big.map", std::string(kColourMapFileLimit + 1, ' '));
    const std::string missing = (folder / "none.gpl").string();
    for (const std::string& path : {write("p.gpl", "GIMP Palette\n9 8 7\n"), write("p.txt", "GIMP Palette\n9 8 7\n")}) {
        const auto map = ColourMapByNameOrPath(path);
        ASSERT_TRUE(map) << map.Reason();
        EXPECT_EQ((*map)[0], (RgbColour{9, 8, 7}));
    }
    for (const auto& [path, message] : {std::pair{big, big + ": larger than 1024 KiB, which no colour map is"},
                                        {missing, missing + ": No such file or directory"},
                                        {folder.string(), folder.string() + ": Is a directory"}}) {
        const auto map = ReadColourMap(path);
        ASSERT_FALSE(map);
        EXPECT_EQ(map.Reason(), message);
    }
    const auto classic = ColourMapByNameOrPath("classic");
    ASSERT_TRUE(classic);
    EXPECT_EQ(std::pair((*classic)[0], (*classic)[255]), std::pair(RgbColour{255, 240, 0}, RgbColour{0, 0, 0}));
}

}  // namespace
