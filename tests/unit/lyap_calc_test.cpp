#include "TLyapCalc.h"
#include "lyap_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(LyapCalcDefaults, ConstructorLeavesTheLyapunovSpaceDefaults)
{
    TLyapCalc calc;
    EXPECT_EQ(calc.fType, 1);
    EXPECT_EQ(calc.fLogFloor, std::pow(10.0, -307.0));
    EXPECT_EQ(calc.fIterations, 16);
    EXPECT_EQ(calc.fAMin, 2.0);
    EXPECT_EQ(calc.fAMax, 4.0);
    EXPECT_EQ(calc.fBMin, 2.0);
    EXPECT_EQ(calc.fBMax, 4.0);
    EXPECT_EQ(calc.fMorph, 1.0);
    EXPECT_EQ(calc.fFirstX, 0.5);
    EXPECT_EQ(calc.fFirstXSlopeX, 0.1);
    EXPECT_EQ(calc.fFirstXSlopeY, 0.2);
    EXPECT_EQ(calc.fMorphSlopeX, 0.0);
    EXPECT_EQ(calc.fMorphSlopeY, 0.0);
    EXPECT_EQ(calc.fContrast, 128.0);
    EXPECT_EQ(calc.fState.load(), TLyapCalc::kParamsChanged);
}

TEST(LyapCalcDefaults, SetDefaultsKeepsTypeImageAndSelection)
{
    TLyapCalc calc;
    std::uint8_t pixel;
    calc.SetSize(&pixel, 1, 1, 1);
    calc.fState = 0;
    calc.fSelX1 = 7;
    calc.fAMin = 3.0;
    calc.fIterations = 512;
    calc.SetDefaults();
    EXPECT_EQ(calc.fAMin, 2.0);
    EXPECT_EQ(calc.fIterations, 16);
    EXPECT_EQ(calc.fBits, &pixel);
    EXPECT_EQ(calc.fSelX1, 7);
    EXPECT_EQ(calc.fState.load(), TLyapCalc::kParamsChanged);
}

TEST(LyapCalcCopy, CopiesEveryMemberIncludingTheRequestWord)
{
    TLyapCalc calc;
    std::uint8_t pixel;
    calc.SetSize(&pixel, 5, 6, 7);
    calc.fAMin = 2.5;
    calc.fState = TLyapCalc::kStopRequested;
    TLyapCalc copy;
    copy = calc;
    EXPECT_EQ(copy.fBits, &pixel);
    EXPECT_EQ(copy.fWidth, 5);
    EXPECT_EQ(copy.fHeight, 6);
    EXPECT_EQ(copy.fBytesPerRow, 7);
    EXPECT_EQ(copy.fAMin, 2.5);
    EXPECT_EQ(copy.fState.load(), TLyapCalc::kStopRequested);
    TLyapCalc constructed(calc);
    EXPECT_EQ(constructed.fState.load(), TLyapCalc::kStopRequested);
}

// The worked points of the default parameters (N = 16, x0 = 0.5, m = 0.5,
// contrast 128).
TEST(LyapCalcColourValues, WorkedPointsOfTheDefaults)
{
    TLyapCalc calc;
    EXPECT_EQ(ColourValueAt(calc, 3.5, 3.5), 111);
    EXPECT_EQ(ColourValueAt(calc, 3.0, 3.0), 17);
    EXPECT_EQ(ColourValueAt(calc, 3.2, 3.8), 255);
    EXPECT_EQ(ColourValueAt(calc, 2.0, 2.0), 255);
}

TEST(LyapCalcColourValues, ZeroProductIsFlooredNotInfinite)
{
    // At a = b = 2 the orbit sits on m, the product is 0 and becomes 1e-307:
    // L = (ln 1e-307 + 24 ln 2) / 16, about -43.14. A small contrast brings
    // that exponent into the graded range: 43.14 x 5 = 215.7.
    TLyapCalc calc;
    calc.fContrast = 5.0;
    const double exponent = (std::log(1e-307) + 16 * std::log(2.0) + 8 * std::log(2.0)) / 16;
    EXPECT_NEAR(exponent, -43.14, 0.01);
    EXPECT_EQ(ColourValueAt(calc, 2.0, 2.0), static_cast<int>(exponent * -5.0));
}

TEST(LyapCalcColourValues, LongOrbitsUnderflowToTheFloor)
{
    TLyapCalc calc;
    calc.fIterations = 512;
    EXPECT_EQ(ColourValueAt(calc, 3.5, 3.5), 7);
    calc.fIterations = 2;
    EXPECT_EQ(ColourValueAt(calc, 3.5, 3.5), 255);
}

TEST(LyapCalcColourValues, ZeroContrastGivesZeroForOrderAnd255ForChaos)
{
    TLyapCalc calc;
    calc.fContrast = 0.0;
    EXPECT_EQ(ColourValueAt(calc, 3.5, 3.5), 0);
    EXPECT_EQ(ColourValueAt(calc, 3.0, 3.0), 0);
    EXPECT_EQ(ColourValueAt(calc, 3.2, 3.8), 255);
}

TEST(LyapCalcColourValues, ZeroIterationsGiveZeroWithoutStepping)
{
    TLyapCalc calc;
    calc.fIterations = 0;
    EXPECT_EQ(ColourValueAt(calc, 3.5, 3.5), 0);
}

// An independent estimate: the exponent as the mean of the logarithms of
// 2 r_k (m - x_k), one step at a time, rates a, b, a, b...
double ExponentBySumOfLogs(double a, double b, int n, double x0, double m)
{
    double x = x0;
    double sum = 0.0;
    for (int k = 0; k < n; ++k) {
        const double r = (k % 2 == 0) ? a : b;
        x = r * x * (1 - x);
        sum += std::log(std::fabs(2 * r * (m - x)));
    }
    return sum / n;
}

TEST(LyapCalcColourValues, AgreeWithTheSumOfLogarithmsAcrossThePlane)
{
    TLyapCalc calc;
    calc.fMorph = 1.2; // m = 0.6: the morph centre really moves the factor
    calc.fFirstX = 0.3;
    int compared = 0;
    for (double a = 2.05; a < 4.0; a += 0.173) {
        for (double b = 2.05; b < 4.0; b += 0.191) {
            const double exponent = ExponentBySumOfLogs(a, b, 16, 0.3, 0.6);
            const double scaled = exponent * -128.0;
            // Stay clear of truncation boundaries, where rounding may differ.
            if (std::fabs(scaled - std::round(scaled)) < 1e-6)
                continue;
            const int expected = exponent > 0 ? 255 : std::min(255, static_cast<int>(scaled));
            EXPECT_EQ(ColourValueAt(calc, a, b), expected) << "a=" << a << " b=" << b;
            ++compared;
        }
    }
    EXPECT_GT(compared, 80);
}

TEST(LyapCalcPass, ClampsTheRangesAndWritesThemBack)
{
    TLyapCalc calc;
    calc.fAMin = -1.0;
    calc.fBMax = 9.0;
    std::uint8_t pixels[4];
    const auto map = IdentityMap();
    calc.SetSize(pixels, 2, 2, 2);
    calc.Calculate(map.data(), 1, 0);
    EXPECT_EQ(calc.fAMin, calc.fLogFloor);
    EXPECT_EQ(calc.fBMax, 8.0);
    EXPECT_EQ(calc.fASpan, 4.0 - calc.fLogFloor);
    EXPECT_EQ(calc.fBSpan, 8.0 - 2.0);
}

TEST(LyapCalcPass, ComputesOnlyItsInterleavedRows)
{
    TLyapCalc calc;
    constexpr int kWidth = 3;
    constexpr int kHeight = 384;
    constexpr std::uint8_t kUntouched = 0xEE;
    std::vector<std::uint8_t> image(kWidth * kHeight, kUntouched);
    std::array<std::uint8_t, 256> map;
    map.fill(7);
    calc.SetSize(image.data(), kWidth, kHeight, kWidth);
    calc.Calculate(map.data(), 4, 1);
    int rowsWritten = 0;
    for (int row = 0; row < kHeight; ++row) {
        const bool mine = row % 4 == 1;
        for (int column = 0; column < kWidth; ++column)
            ASSERT_EQ(image[row * kWidth + column], mine ? 7 : kUntouched) << row;
        rowsWritten += mine;
    }
    EXPECT_EQ(rowsWritten, 96);
    EXPECT_EQ(calc.fState.load(), 0);
}

TEST(LyapCalcPass, FirstRowPastTheEndComputesNothing)
{
    TLyapCalc calc;
    std::vector<std::uint8_t> image(4 * 4, 0xEE);
    const auto map = IdentityMap();
    calc.SetSize(image.data(), 4, 4, 4);
    calc.Calculate(map.data(), 8, 5);
    for (auto byte : image)
        EXPECT_EQ(byte, 0xEE);
    EXPECT_EQ(calc.fState.load(), 0);
}

TEST(LyapCalcPass, RowsMatchTheirSinglePointRates)
{
    // A 2 x 2 image of 2..4 holds a = 2, 3 and b = 2, 3: never the maxima.
    TLyapCalc calc;
    const auto map = IdentityMap();
    const auto image = RenderImage(calc, 2, 2, map.data());
    EXPECT_EQ(image[0], ColourValueAt(calc, 2.0, 2.0));
    EXPECT_EQ(image[1], ColourValueAt(calc, 3.0, 2.0));
    EXPECT_EQ(image[2], ColourValueAt(calc, 2.0, 3.0));
    EXPECT_EQ(image[3], ColourValueAt(calc, 3.0, 3.0));
    EXPECT_NE(image[3], ColourValueAt(calc, 4.0, 4.0));
}

// Whatever the parameters, every stored byte comes from the palette map's
// 256 entries, read from nowhere else.
TEST(LyapCalcRobustness, HostileParametersStayWithinThePaletteMap)
{
    constexpr std::uint8_t kGuard = 200;
    std::array<std::uint8_t, 768> guarded;
    guarded.fill(kGuard);
    std::uint8_t* map = guarded.data() + 256;
    for (int v = 0; v < 256; ++v)
        map[v] = static_cast<std::uint8_t>(v / 2); // never kGuard

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const double hostile[] = {nan, inf, -inf, 1e308, -1e308, -5.0, 0.0, 1e-320};
    for (double value : hostile) {
        for (int field = 0; field < 7; ++field) {
            TLyapCalc calc;
            double* fields[] = {&calc.fAMin, &calc.fAMax, &calc.fBMin, &calc.fBMax,
                                &calc.fMorph, &calc.fFirstX, &calc.fContrast};
            *fields[field] = value;
            std::vector<std::uint8_t> image(8 * 8, kGuard);
            calc.SetSize(image.data(), 8, 8, 8);
            calc.Calculate(map, 1, 0);
            for (auto byte : image)
                ASSERT_NE(byte, kGuard) << "field " << field << " value " << value;
        }
    }
    for (int iterations : {-7, -2, 1, 3, std::numeric_limits<int>::min()}) {
        TLyapCalc calc;
        calc.fIterations = iterations;
        std::vector<std::uint8_t> image(4 * 4, kGuard);
        calc.SetSize(image.data(), 4, 4, 4);
        calc.Calculate(map, 1, 0);
        for (auto byte : image)
            ASSERT_NE(byte, kGuard) << "iterations " << iterations;
    }
}

TEST(LyapCalcRobustness, NanExponentIs255)
{
    // A starting value of infinity makes the first product NaN.
    TLyapCalc calc;
    calc.fFirstX = std::numeric_limits<double>::infinity();
    EXPECT_EQ(ColourValueAt(calc, 3.0, 3.0), 255);
    calc.fFirstX = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(ColourValueAt(calc, 3.0, 3.0), 255);
}

TEST(LyapCalcRobustness, RowStepsThatDescribeNoRowsWriteNothing)
{
    TLyapCalc calc;
    std::vector<std::uint8_t> image(4 * 4, 0xEE);
    const auto map = IdentityMap();
    calc.SetSize(image.data(), 4, 4, 4);
    calc.Calculate(map.data(), 0, 0);
    calc.Calculate(map.data(), -3, 1);
    calc.Calculate(map.data(), 1, -1);
    for (auto byte : image)
        EXPECT_EQ(byte, 0xEE);
    calc.Calculate(map.data(), std::numeric_limits<int>::max(), 3);
    EXPECT_NE(image[12], 0xEE); // row 3 alone
    EXPECT_EQ(image[0], 0xEE);
}

} // namespace
