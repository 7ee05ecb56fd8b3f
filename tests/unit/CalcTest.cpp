#include "LyapTestSupport.h"

#include "LyapSequence.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <string>
#include <tuple>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Worked points: the defaults (N 16, x0 0.5, m 0.5, contrast 128) and the
// edges around them: chaotic (3.2, 3.8); product 0 held at the floor (2, 2),
// whose floored exponent (ln 1e-307 + 24 ln 2) / 16 = -43.14 is graded at
// contrast 5; long orbits underflowing to the floor; contrast 0; no steps;
// first x infinite (NaN orbit).
TEST(LyapCalc, WorkedPointsHaveTheirColourValues)
{
    struct { double a, b; std::int32_t iterations; double contrast, firstX; int value; } const points[] = {
        {3.5, 3.5, 16, 128, 0.5, 111}, {3.0, 3.0, 16, 128, 0.5, 17}, {3.2, 3.8, 16, 128, 0.5, 255},
        {2.0, 2.0, 16, 128, 0.5, 255}, {2.0, 2.0, 16, 5, 0.5, 215}, {3.5, 3.5, 512, 128, 0.5, 7},
        {3.5, 3.5, 2, 128, 0.5, 255}, {3.5, 3.5, 16, 0, 0.5, 0}, {3.2, 3.8, 16, 0, 0.5, 255},
        {3.5, 3.5, 0, 128, 0.5, 0}, {3.0, 3.0, 16, 128, kInf, 255}, {3.0, 3.0, 16, 128, kNaN, 255},
    };
    for (const auto& p : points) {
        TLyapCalc calc;
        std::tie(calc.fIterations, calc.fContrast, calc.fFirstX) = std::tuple(p.iterations, p.contrast, p.firstX);
        EXPECT_EQ(ColourValueAt(calc, p.a, p.b), p.value) << p.a << ", " << p.b << ", N " << p.iterations << ", contrast " << p.contrast;
    }
}

// An independent estimate: the exponent as the mean of the logarithms of
// 2 r_k (m - x_k) over the steps k after the first `settle`, rate r_k as
// letter k of the sequence.
double ExponentBySumOfLogs(const std::string& sequence, double a, double b, int n,
                           double x0, double m, int settle)
{
    double x = x0, sum = 0.0;
    for (int k = 0; k < settle + n; ++k) {
        const double r = std::toupper(sequence[k % sequence.size()]) == 'A' ? a : b;
        x = r * x * (1 - x);
        sum += k < settle ? 0.0 : std::log(std::fabs(2 * r * (m - x)));
    }
    return sum / n;
}

// A sequence without B must not use b at all: it is NaN there.
TEST(LyapCalc, ColourValuesAgreeWithTheSumOfLogarithmsForEverySequence)
{
    int compared = 0;
    using Case = std::tuple<std::string, int>;  // the sequence, the settling steps
    for (const auto& [sequence, settle] : {Case("AB", 0), Case("AABAB", 0), Case("bbbabbaaaaaa", 0),
                                           Case("AAA", 0), Case("AB", 7), Case("AABAB", 12)}) {
        TLyapCalc calc;
        calc.fSettle = settle;
        std::tie(calc.fSequence, calc.fSequenceLength) = std::tuple(ParseLyapSequence(sequence)->bSteps, sequence.size());
        calc.fMorph = 1.2;  // m = 0.6: the morph centre really moves the factor
        std::tie(calc.fFirstX, calc.fIterations) = std::tuple(0.3, 24);
        const double step = sequence == "AB" ? 0.173 : 0.5;
        for (double a = 2.05; a < 4.0; a += step) {
            for (double b = 2.05; b < 4.0; b += step) {
                const double scaled = ExponentBySumOfLogs(sequence, a, b, 24, 0.3, 0.6, settle) * -128.0;
                // Clear of truncation boundaries, where rounding may differ.
                if (std::fabs(scaled - std::round(scaled)) < 1e-6)
                    continue;
                const int expected = scaled < 0 ? 255 : std::min(255, static_cast<int>(scaled));
                EXPECT_EQ(ColourValueAt(calc, a, sequence == "AAA" ? kNaN : b), expected) << sequence << ", settle " << settle << ": " << a << ", " << b;
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 150);
}


// A pass whose first row is the image's height (more workers than rows)
// writes nothing, not the row beyond.
TEST(LyapCalc, APassStartingPastTheLastRowWritesNothing)
{
    std::vector<std::uint8_t> image(2 * 4, kUntouched); // a 4 x 1 image, then a guard row
    TLyapCalc calc;
    calc.SetSize(image.data(), 4, 1, 4);
    calc.Calculate(IdentityMap(), 2, 1);
    EXPECT_EQ(std::count(image.begin(), image.end(), kUntouched), 8);
}

} // namespace
