#include "ColourValues.h"
#include "PassRunner.h"
#include "RenderPixels.h"
#include "Supersample.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

struct Picture {
    const char* name;
    RenderOptions options;
};

RenderOptions Options(std::int32_t width, std::int32_t height, std::int32_t iterations,
                      double aMin, double aMax, double bMin, double bMax)
{
    RenderOptions options;
    options.width = width;
    options.height = height;
    options.iterations = iterations;
    options.aMin = aMin;
    options.aMax = aMax;
    options.bMin = bMin;
    options.bMax = bMax;
    return options;
}

// At a = 8/3 and b = 27/8 the orbit from 0.5 comes back to 0.5 on its third
// step, so the product, and the colour, hang on the last bits of a and b:
// over a b range a few units in the last place wide, every row's colour
// shows whether its b is, to the bit, the one the 64 passes reach.
RenderOptions OrbitThroughTheCentre()
{
    const double a = 8.0 / 3.0;
    RenderOptions options = Options(3, 200, 16, a, a, 3.375, 3.3750000000000053);
    options.contrast = 60.0;
    return options;
}

// Sizes that do not divide into the 64 passes, a reversed range, ranges
// that the calculator clamps, and a picture that tells b's last bits apart.
const Picture kPictures[] = {
    {"defaults", Options(384, 384, 16, 2.0, 4.0, 2.0, 4.0)},
    {"odd sizes", Options(97, 131, 40, 3.3, 3.9, 2.1, 3.7)},
    {"b reversed", Options(50, 70, 8, 2.0, 4.0, 4.0, 2.5)},
    {"clamped", Options(40, 90, 6, -1.0, 9.0, 0.0, 9.0)},
    {"orbit through the centre", OrbitThroughTheCentre()},
};

std::vector<std::uint8_t> WholeImageValues(const RenderOptions& options, std::int32_t width,
                                           std::int32_t height, std::int32_t threads)
{
    const RenderControl control;
    PassRunner runner(threads, control);
    std::vector<std::uint8_t> values(static_cast<std::size_t>(width) * height);
    EXPECT_TRUE(RenderColourValues(CalculatorFor(options), width, height, values.data(),
                                   runner));
    return values;
}

std::vector<std::uint8_t> BandedRgb(const RenderOptions& options, std::int32_t factor,
                                    std::int32_t bandRows, std::int32_t threads)
{
    const RenderControl control;
    PassRunner runner(threads, control);
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(options.width) * options.height * 3);
    EXPECT_TRUE(RenderSupersampledRgb(CalculatorFor(options), options.width, options.height,
                                      factor, bandRows, ColoursOfPalette(options.palette - 1),
                                      rgb.data(), runner));
    return rgb;
}

// Reference: the whole sample grid at once, each pixel the rounded mean of
// its factor x factor sample colours.
std::vector<std::uint8_t> AveragedWholeGrid(const RenderOptions& options, std::int32_t factor)
{
    const std::int32_t sampleWidth = options.width * factor;
    const auto samples = WholeImageValues(options, sampleWidth, options.height * factor, 2);
    std::vector<std::uint8_t> rgb;
    for (std::int32_t y = 0; y < options.height; ++y) {
        for (std::int32_t x = 0; x < options.width; ++x) {
            int sum[3] = {0, 0, 0};
            for (std::int32_t sy = y * factor; sy < (y + 1) * factor; ++sy) {
                for (std::int32_t sx = x * factor; sx < (x + 1) * factor; ++sx) {
                    const auto c = *PaletteColour(options.palette - 1,
                                                  samples[static_cast<std::size_t>(sy) * sampleWidth + sx]);
                    sum[0] += c.red;
                    sum[1] += c.green;
                    sum[2] += c.blue;
                }
            }
            const int n = factor * factor;
            for (int channel : sum)
                rgb.push_back(static_cast<std::uint8_t>((channel + n / 2) / n));
        }
    }
    return rgb;
}

// The rows are those of the viewer with 64 workers, whatever the thread
// count. (A single pass with row step 1 reaches each row's b by other
// additions, and at points whose orbit lands on m to the last bit, such as
// row 264, column 128 of the defaults, the last bit decides the colour.)
TEST(RenderColourValues, DefaultsMatchSixtyFourDirectPassesOfTheCalculator)
{
    const RenderOptions options;
    std::vector<std::uint8_t> direct(384 * 384, 0);
    for (std::int32_t pass = 0; pass < 64; ++pass) {
        TLyapCalc calc;  // the calculator's own defaults, not the options'
        calc.SetSize(direct.data(), 384, 384, 384);
        calc.Calculate(IdentityPaletteMap().data(), 64, pass);
    }
    EXPECT_EQ(WholeImageValues(options, 384, 384, 3), direct);
}

TEST(RenderColourValues, ThreadCountDoesNotChangeAnyValue)
{
    for (const Picture& picture : kPictures) {
        const RenderOptions& o = picture.options;
        const auto one = WholeImageValues(o, o.width, o.height, 1);
        EXPECT_EQ(WholeImageValues(o, o.width, o.height, 3), one) << picture.name;
        EXPECT_EQ(WholeImageValues(o, o.width, o.height, 64), one) << picture.name;
    }
}

TEST(RenderSupersampledRgb, BandsWithoutSupersamplingEqualTheWholeImageRender)
{
    for (const Picture& picture : kPictures) {
        RenderOptions o = picture.options;
        o.palette = 3;
        const auto values = WholeImageValues(o, o.width, o.height, 2);
        std::vector<std::uint8_t> whole;
        for (const std::uint8_t v : values) {
            const RgbColour c = *PaletteColour(o.palette - 1, v);
            whole.insert(whole.end(), {c.red, c.green, c.blue});
        }
        for (const std::int32_t bandRows : {1, 5, 64, 65, o.height}) {
            EXPECT_EQ(BandedRgb(o, 1, bandRows, 2), whole)
                << picture.name << ", bands of " << bandRows << " rows";
        }
    }
}

TEST(RenderSupersampledRgb, BandsAverageExactlyTheWholeSampleGrid)
{
    for (const Picture& picture : kPictures) {
        RenderOptions o = picture.options;
        o.width = std::min(o.width, 60);
        o.height = std::min(o.height, 45);
        for (const std::int32_t factor : {2, 3}) {
            const auto reference = AveragedWholeGrid(o, factor);
            for (const std::int32_t bandRows : {1, 7, DefaultBandRows(o.height, factor)}) {
                EXPECT_EQ(BandedRgb(o, factor, bandRows, 3), reference)
                    << picture.name << ", " << factor << "x" << factor << ", bands of "
                    << bandRows << " rows";
            }
        }
    }
}

TEST(DefaultBandRows, KeepsEveryPassBusyAndTheBandNoLargerThanTheImage)
{
    for (const std::int32_t height : {1, 7, 384, 16384}) {
        for (std::int32_t factor = 1; factor <= 8; ++factor) {
            const std::int32_t rows = DefaultBandRows(height, factor);
            EXPECT_GE(rows, 1);
            EXPECT_LE(rows, height);
            if (height >= 64) {
                EXPECT_GE(rows * factor, kRenderPasses) << height << ", " << factor;
            }
            // A band's samples: no more than the image's pixels, or than
            // the fewest whole output rows that give every pass a row.
            EXPECT_LE(static_cast<std::int64_t>(rows) * factor * factor,
                      std::max<std::int64_t>(height, (kRenderPasses + factor - 1) * factor));
        }
    }
}

TEST(RenderPixels, AnInterruptStopsALongRenderAndYieldsNothing)
{
    // Hours of work if the stop were ignored; the interrupt arrives with the
    // first progress report, while passes are under way.
    RenderOptions options;
    options.width = 4096;
    options.height = 4096;
    options.iterations = 1000000;
    options.threads = 2;
    std::atomic<int> interrupt{0};
    const RenderControl control{&interrupt, [&](double) { interrupt.store(15); }};
    EXPECT_FALSE(RenderPixels(options, control).has_value());

    options.supersample = 4;
    interrupt.store(0);
    EXPECT_FALSE(RenderPixels(options, control).has_value());
}

} // namespace
