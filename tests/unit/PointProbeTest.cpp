#include "LyapPassRates.h"
#include "LyapPictureRows.h"
#include "LyapPointProbe.h"
#include "LyapTestSupport.h"

namespace {

// The inspector's numbers are the render's: each pixel's colour value is the
// one a pass of its row step wrote, its exponent, to the last bit, the one
// the renderer's rows hold.
TEST(LyapPointProbe, APixelHasWhatItsRenderComputed)
{
    constexpr std::int32_t w = 37, h = 29;
    const CalcSetup setup = [](TLyapCalc& c) {
        std::tie(c.fAMin, c.fAMax, c.fBMin, c.fBMax) = std::tuple(2.9, 3.95, 3.1, 3.9);
        std::tie(c.fIterations, c.fSettle, c.fSequence, c.fSequenceLength) = std::tuple(60, 7, 0b011, 3);
    };
    TLyapCalc calc;
    setup(calc);
    calc.SetSize(nullptr, w, h, w);
    std::vector<double> exponents(w * h);
    ASSERT_TRUE(LyapPictureRows(calc, w, h).FillRows(0, h, exponents.data()));
    for (const std::int32_t rowStep : {1, 3}) {
        for (std::int32_t first = 0; first < rowStep; ++first) {
            const auto image = Render(LyapKernel::Fast, w, h, setup, rowStep, first);
            for (std::int32_t y = first; y < h; y += rowStep)
                for (std::int32_t x = 0; x < w; ++x)
                    ASSERT_EQ(ProbeLyapPoint(calc, rowStep, x, y).colourValue, image[y * w + x]) << x << "," << y;
        }
    }
    for (std::int32_t y = 0; y < h; ++y)
        for (std::int32_t x = 0; x < w; ++x) {
            const LyapPointInfo point = ProbeLyapPoint(calc, kLyapMaxPasses, x, y);
            ASSERT_EQ(point.exponent, exponents[y * w + x]) << x << "," << y;
            // 67 steps: the whole orbit, whose running estimate ends at the exponent.
            ASSERT_EQ(point.orbit.size(), 67u);
            ASSERT_EQ(point.settle, 7);
            ASSERT_NEAR(point.runningExponent.back(), point.exponent, 1e-9);
        }
}

} // namespace
