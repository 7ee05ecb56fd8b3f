// Whole pictures: the fast kernel writes exactly the bytes of the plain
// kernel, on every SIMD target this processor runs, across the settings the
// program can reach and the edges it cannot.
#include "KernelTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Picture {
    std::string name;
    std::int32_t width;
    std::int32_t height;
    CalcSetup setup;
    std::int32_t rowStep = 1;
    std::int32_t firstRow = 0;
};

CalcSetup Iterations(std::int32_t n, CalcSetup more = [](TLyapCalc&) {})
{
    return [n, more](TLyapCalc& c) {
        c.fIterations = n;
        more(c);
    };
}

CalcSetup Region(double aMin, double aMax, double bMin, double bMax,
                 std::int32_t n)
{
    return [=](TLyapCalc& c) {
        c.fAMin = aMin;
        c.fAMax = aMax;
        c.fBMin = bMin;
        c.fBMax = bMax;
        c.fIterations = n;
    };
}

::testing::AssertionResult SameBytes(const std::vector<std::uint8_t>& fast,
                                     const std::vector<std::uint8_t>& plain,
                                     std::int32_t width)
{
    std::size_t differing = 0;
    std::size_t first = 0;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        if (fast[i] != plain[i] && differing++ == 0)
            first = i;
    }
    if (differing == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << differing << " bytes differ; first at column " << first % width
           << ", row " << first / width << ": fast " << int(fast[first])
           << ", plain " << int(plain[first]);
}

void ExpectFastMatchesPlain(const std::vector<Picture>& pictures)
{
    KernelSettingsGuard guard;
    std::vector<std::vector<std::uint8_t>> plain;
    for (const Picture& p : pictures)
        plain.push_back(Render(LyapKernel::Plain, p.width, p.height, p.setup,
                               p.rowStep, p.firstRow));
    ForEachFastTarget([&] {
        for (std::size_t i = 0; i < pictures.size(); ++i) {
            const Picture& p = pictures[i];
            EXPECT_TRUE(SameBytes(Render(LyapKernel::Fast, p.width, p.height,
                                         p.setup, p.rowStep, p.firstRow),
                                  plain[i], p.width))
                << p.name;
        }
    });
}

TEST(FastKernelPictures, DefaultPictureMatchesAtEveryMenuIterationCount)
{
    std::vector<Picture> pictures;
    for (std::int32_t n : {2, 4, 8, 16, 32, 64, 128, 256, 384, 512})
        pictures.push_back({"N " + std::to_string(n), 128, 128, Iterations(n)});
    ExpectFastMatchesPlain(pictures);
}

// The program's full-size picture where most products underflow, on the
// target the processor chooses (the others are held to the smaller ones).
TEST(FastKernelPictures, FullSizeDefaultPictureAt512MatchesOnTheChosenTarget)
{
    KernelSettingsGuard guard;
    const auto setup = Iterations(512);
    EXPECT_TRUE(SameBytes(Render(LyapKernel::Fast, 384, 384, setup),
                          Render(LyapKernel::Plain, 384, 384, setup), 384));
}

TEST(FastKernelPictures, ZoomedRegionsMatch)
{
    ExpectFastMatchesPlain({
        {"3.4..3.6 square", 128, 128, Region(3.4, 3.6, 3.4, 3.6, 512)},
        {"chaotic band", 96, 96, Region(3.7, 3.9, 3.3, 3.5, 384)},
        {"narrow zoom", 64, 64, Region(3.83, 3.8301, 3.55, 3.5501, 512)},
        {"strongly ordered corner", 64, 64, Region(2.0, 2.6, 2.0, 2.6, 512)},
        {"interleaved rows", 96, 96, Region(3.0, 4.0, 3.0, 4.0, 256), 3, 1},
    });
}

TEST(FastKernelPictures, MorphFirstXAndContrastSettingsMatch)
{
    std::vector<Picture> pictures;
    for (double morph : {0.0, 1.0, 2.0}) {
        for (double firstX : {0.0, 0.5, 1.0}) {
            pictures.push_back(
                {"morph " + std::to_string(morph) + ", first x " +
                     std::to_string(firstX),
                 64, 64, Iterations(512, [=](TLyapCalc& c) {
                     c.fMorph = morph;
                     c.fFirstX = firstX;
                 })});
        }
    }
    for (double contrast : {0.0, 128.0, 2048.0, -50.0}) {
        for (std::int32_t n : {16, 512}) {
            pictures.push_back(
                {"contrast " + std::to_string(contrast) + ", N " +
                     std::to_string(n),
                 64, 64, Iterations(n, [=](TLyapCalc& c) {
                     c.fContrast = contrast;
                 })});
        }
    }
    ExpectFastMatchesPlain(pictures);
}

TEST(FastKernelPictures, ClampedEscapingAndNonsenseParametersMatch)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    ExpectFastMatchesPlain({
        {"ranges clamped from below 0 and above 8", 64, 64,
         Region(-1.0, 9.0, -2.0, 9.0, 512)},
        {"rates above 4, escaping", 64, 64, Region(3.5, 8.0, 3.9, 6.0, 512)},
        {"rates just above 4", 64, 64, Region(3.99, 4.01, 3.99, 4.01, 512)},
        {"tiny rates", 32, 32, Region(0.0, 0.01, 0.0, 0.01, 128)},
        {"reversed ranges", 64, 64, Region(4.0, 2.0, 4.0, 2.0, 512)},
        {"first x outside 0..1", 48, 48, Iterations(512, [](TLyapCalc& c) {
             c.fFirstX = 1.25;
         })},
        {"negative first x", 48, 48, Iterations(64, [](TLyapCalc& c) {
             c.fFirstX = -0.25;
         })},
        {"centre outside 0..1", 48, 48, Iterations(512, [](TLyapCalc& c) {
             c.fMorph = 3.0;
         })},
        {"NaN morph", 16, 16, Iterations(512, [=](TLyapCalc& c) {
             c.fMorph = nan;
         })},
        {"NaN first x", 16, 16, Iterations(512, [=](TLyapCalc& c) {
             c.fFirstX = nan;
         })},
        {"NaN rate range", 16, 16, Iterations(512, [=](TLyapCalc& c) {
             c.fAMin = nan;
             c.fBMax = nan;
         })},
        {"infinite contrast", 16, 16, Iterations(512, [](TLyapCalc& c) {
             c.fContrast = std::numeric_limits<double>::infinity();
         })},
        {"NaN contrast", 16, 16, Iterations(16, [=](TLyapCalc& c) {
             c.fContrast = nan;
         })},
    });
}

TEST(FastKernelPictures, OddZeroNegativeAndLongIterationCountsMatch)
{
    std::vector<Picture> pictures;
    for (std::int32_t n : {1, 3, 17, 33, 513, 0, -4, -7})
        pictures.push_back({"N " + std::to_string(n), 48, 48, Iterations(n)});
    // Many rescales per pixel.
    pictures.push_back({"N 3000", 32, 32, Iterations(3000)});
    ExpectFastMatchesPlain(pictures);
}

TEST(FastKernelPictures, PartialGroupsAtTheRowEndMatch)
{
    std::vector<Picture> pictures;
    for (std::int32_t width : {1, 7, 63, 65, 383}) {
        pictures.push_back({"width " + std::to_string(width), width, 9,
                            Iterations(512)});
    }
    pictures.push_back({"width 7, rows 2, 6, 10", 7, 12, Iterations(512), 4, 2});
    ExpectFastMatchesPlain(pictures);
}

}  // namespace
