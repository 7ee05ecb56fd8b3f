// The fast kernel writes exactly the bytes and 32-bit pixels of the plain
// kernel, and gives exactly its exponents, on every SIMD target this
// processor runs, across the settings the program can reach and the edges it
// cannot; and the program's own pictures take its fast paths.
#include "LyapPassRates.h"
#include "LyapSequence.h"
#include "LyapTestSupport.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <numeric>
#include <string>
#include <tuple>

namespace {

// A picture of the default calculator with these parameters.
struct Picture {
    std::int32_t width, height;
    double aMin, aMax, bMin, bMax;
    std::int32_t n;
    double morph = 1.0, firstX = 0.5, contrast = 128.0;
    std::int32_t rowStep = 1, firstRow = 0;
    std::string sequence = "AB";
    std::int32_t settle = 0;

    void Setup(TLyapCalc& c) const
    {
        c.fSequence = ParseLyapSequence(sequence).value().bSteps;
        c.fSequenceLength = static_cast<std::int32_t>(sequence.size());
        std::tie(c.fAMin, c.fAMax, c.fBMin, c.fBMax) = std::tie(aMin, aMax, bMin, bMax);
        std::tie(c.fIterations, c.fMorph, c.fFirstX, c.fContrast, c.fSettle) = std::tie(n, morph, firstX, contrast, settle);
    }

    template <typename Colours = const std::uint8_t*>
    auto Render(LyapKernel kernel, LyapPathCounts* counts = nullptr, const Colours& colours = IdentityMap()) const
    {
        return ::Render(kernel, width, height, [this](TLyapCalc& c) { Setup(c); }, rowStep, firstRow, counts, colours);
    }

    bool RowIsRendered(std::int32_t row) const { return row >= firstRow && (row - firstRow) % rowStep == 0; }

    // The exponents of Render's rows, by the same row rates (a 32-bit
    // image's: the renderer's pictures'), as bit patterns (so that NaNs
    // compare too); 0 elsewhere.
    std::vector<std::uint64_t> ExponentBits(LyapKernel kernel, bool pictureRates = false) const
    {
        TLyapCalc calc;
        Setup(calc);
        calc.SetSize(nullptr, width, height, width);
        calc.PreparePass();
        calc.fState.store(TLyapCalc::kNoRequest);
        SetLyapKernel(kernel);
        std::vector<double> exponents(static_cast<std::size_t>(width) * height);
        LyapPassRates rates(calc.fBMin, calc.fBSpan / height, rowStep, firstRow);
        LyapPictureRates ofPicture(calc.fBMin, calc.fBSpan / height);
        for (std::int32_t row = firstRow; row < height; row += rowStep)
            calc.CalculateRow(pictureRates ? ofPicture.RateOfRow(row) : rates.TakeNext(),
                              LyapRowOutput{.exponents = exponents.data() + row * width});
        SetLyapKernel(LyapKernel::Fast);
        std::vector<std::uint64_t> bits;
        for (const double e : exponents)
            bits.push_back(std::bit_cast<std::uint64_t>(e));
        return bits;
    }
};

// A table whose 512 pixels all differ, so that a wrong slot shows; chaos graded.
const LyapColourTable kDistinctTable = [] { LyapColourTable t{{}, 900.0}; std::iota(t.pixels.begin(), t.pixels.end(), 0xFF000000u); return t; }();

// The first kProgramsPictures of Pictures(): the viewer's first picture at N
// 16 and 512, then the README's examples, smaller: the poster, the two
// sequences, the animations' first frame and the end of their zoom. They take
// the fast paths: a kernel that sent its lanes to the plain loop would still
// write the same bytes, only slower. Measured, at most 0.36% of their pixels
// fall back (the first picture at N 512, where most products underflow); the
// bound, 0.5%, leaves room for that and none for a path lost as a whole.
constexpr std::size_t kProgramsPictures = 7;

std::vector<Picture> Pictures()
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    // The program's pictures (kProgramsPictures); then a subnormal square,
    // narrow zoom, clamped, escaping, tiny and reversed rates; first x and
    // centre outside [0, 1]; NaN morph, first x, rates and contrast; infinite
    // contrast; many rescales; rows 2, 6, 10 of width 7.
    std::vector<Picture> p = {
        {384, 384, 2, 4, 2, 4, 16}, {384, 384, 2, 4, 2, 4, 512}, {256, 256, 3.4, 4, 2.5, 3.4, 512},
        {128, 128, 2.5, 4, 2.5, 4, 256, 1.0, 0.5, 128.0, 1, 0, "AABAB"},
        {128, 128, 2, 4, 2, 4, 16, 1.0, 0.5, 128.0, 1, 0, "BBBABBAAAAAA"},
        {160, 90, 2, 4, 2, 4, 128}, {192, 108, 3.4, 3.9, 2.5, 2.78125, 256},
        {96, 96, 3.4, 3.6, 3.4, 3.6, 512}, {64, 64, 3.83, 3.8301, 3.55, 3.5501, 512},
        {64, 64, -1.0, 9.0, -2.0, 9.0, 512}, {64, 64, 3.5, 8.0, 3.9, 6.0, 512},
        {32, 32, 0.0, 0.01, 0.0, 0.01, 128}, {64, 64, 4.0, 2.0, 4.0, 2.0, 512},
        {48, 48, 2, 4, 2, 4, 512, 1.0, 1.25}, {48, 48, 2, 4, 2, 4, 512, 3.0},
        {16, 16, 2, 4, 2, 4, 512, nan}, {16, 16, 2, 4, 2, 4, 512, 1.0, nan},
        {16, 16, nan, 4, 2, nan, 512}, {16, 16, 2, 4, 2, 4, 16, 1.0, 0.5, nan},
        {16, 16, 2, 4, 2, 4, 512, 1.0, 0.5, inf}, {32, 32, 2, 4, 2, 4, 3000},
        {7, 12, 2, 4, 2, 4, 512, 1.0, 0.5, 128.0, 4, 2},
    };
    for (std::int32_t n : {2, 16, 64, 128, 256, 384, 512, 1, 3, 17, 513, 0, -4})
        p.push_back({64, 64, 2, 4, 2, 4, n});
    for (std::int32_t width : {1, 63, 65, 383})
        p.push_back({width, 5, 2, 4, 2, 4, 512});
    for (double morph : {0.0, 1.0, 2.0})
        for (double firstX : {0.0, 0.5, 1.0})
            for (double contrast : {0.0, 2048.0, -50.0})
                p.push_back({32, 32, 2, 4, 2, 4, 512, morph, firstX, contrast});
    // Products crossing the floor: each pixel seen just above, at and below it;
    // exact zero factors (a = 2 from x0 0.5 stays on the centre).
    for (double morph : {1.0, 0.0, 2.0}) {
        for (std::int32_t n = 400; n <= 720; n += 3)
            p.push_back({64, 3, 3.0, 4.0, 3.1, 4.45, n, morph});
        for (double x0 : {0.5, 0.0, 1.0})
            for (std::int32_t n : {1, 2, 31, 512, 1201})
                p.push_back({7, 2, 2, 4, 2, 4, n, morph, x0});
    }
    // Other rate sequences: short and long, with and without b, alternating
    // with another period; at the floor crossing and far below it.
    for (const std::string sequence :
         {"A", "B", "BA", "ABAB", "AABAB", "BBBABBAAAAAA",
          "ABBABAAABBBAABAB" "BBAABABAAAABBBAB" "AABBBABABBAAABAA" "BABBBAABABAABBAA"}) {
        for (std::int32_t n : {16, 33, 512, 1201})
            p.push_back({48, 8, 2, 4, 2, 4, n, 1.0, 0.5, 128.0, 1, 0, sequence});
        for (std::int32_t n = 400; n <= 720; n += 40)
            p.push_back({64, 3, 3.0, 4.0, 3.1, 4.45, n, 1.0, 0.5, 128.0, 1, 0, sequence});
        p.push_back({48, 48, 3.4, 3.6, 3.4, 3.6, 512, 1.0, 0.5, 128.0, 1, 0, sequence});  // subnormal
        p.push_back({32, 8, 2, 4, 5, 9, 512, 1.0, 0.5, 128.0, 1, 0, sequence});  // b beyond 4
    }
    // Orbits that settle first: odd and even counts (AB's measured steps then
    // start with b or with a), short and long; at the floor crossing, far
    // below it and escaping during the settling.
    for (const std::string sequence : {"AB", "AABAB", "BBBABBAAAAAA"}) {
        for (std::int32_t settle : {1, 2, 7, 100, 1001})
            p.push_back({48, 8, 2, 4, 2, 4, 512, 1.0, 0.5, 128.0, 1, 0, sequence, settle});
        for (std::int32_t settle : {1, 33})
            p.push_back({64, 3, 3.0, 4.0, 3.1, 4.45, 500, 1.0, 0.5, 128.0, 1, 0, sequence, settle});
        p.push_back({48, 48, 3.4, 3.6, 3.4, 3.6, 512, 1.0, 0.5, 128.0, 1, 0, sequence, 3});
        p.push_back({32, 8, 2, 4, 5, 9, 512, 1.0, 0.5, 128.0, 1, 0, sequence, 5});
    }
    return p;
}

// The colour values of a group against LyapColourValue where the value
// changes: 0 and -0, the steps between two values, 255 and beyond,
// infinities and NaN; for contrasts of every sign and size.
void ExpectColourValuesOfLogsAtEveryBoundary()
{
    const double inf = std::numeric_limits<double>::infinity(), nan = std::nan("");
    for (double contrast : {128.0, 2048.0, 1.0, 0.0, -50.0, 1e-300, 1e300, inf, -inf, nan}) {
        const LyapValueTerms terms{1e-307, 0.0, 0.0, contrast, 1};  // exponent = log
        std::vector<double> exponents = {0.0, -0.0, 1e-300, -1e-300, inf, -inf, nan, -1e300};
        for (int k = 0; k <= 256; ++k) {
            const double e = contrast != 0.0 ? -k / contrast : -k;
            exponents.insert(exponents.end(), {e, std::nextafter(e, inf), std::nextafter(e, -inf)});
        }
        std::int32_t values[kLyapMaxGroup];
        for (std::size_t s = 0; s < exponents.size(); s += kLyapMaxGroup) {
            const auto count = static_cast<std::int32_t>(std::min<std::size_t>(kLyapMaxGroup, exponents.size() - s));
            LyapColourValuesOfLogs(exponents.data() + s, count, terms, values);
            for (std::int32_t i = 0; i < count; ++i)
                ASSERT_EQ(values[i], LyapColourValue(LyapExponentOfLog(exponents[s + i], terms), contrast))
                    << "exponent " << exponents[s + i] << ", contrast " << contrast;
        }
    }
}

// The first pixel whose exponent differs, or -1.
std::ptrdiff_t FirstDifference(const std::vector<std::uint64_t>& a, const std::vector<std::uint64_t>& b)
{
    const auto first = std::mismatch(a.begin(), a.end(), b.begin()).first;
    return first == a.end() ? -1 : first - a.begin();
}

TEST(FastKernel, WritesThePlainKernelsBytesAndExponentsOnEveryTarget)
{
    const std::vector<Picture> pictures = Pictures();
    std::vector<std::vector<std::uint8_t>> plain;
    std::vector<std::vector<std::uint64_t>> plainExponents;
    std::vector<std::vector<std::uint32_t>> plainPixels;
    for (const Picture& p : pictures) {
        plain.push_back(p.Render(LyapKernel::Plain));
        plainExponents.push_back(p.ExponentBits(LyapKernel::Plain));
        plainPixels.push_back(p.Render(LyapKernel::Plain, nullptr, kDistinctTable));
        const std::vector<std::uint64_t> pictureExponents = p.ExponentBits(LyapKernel::Plain, true);
        // The exponent is the one the colour value and the 32-bit pixel
        // (chaos graded) are made from.
        for (std::size_t j = 0; j < plain.back().size(); ++j) {
            if (p.RowIsRendered(static_cast<std::int32_t>(j) / p.width)) {
                const double e = std::bit_cast<double>(plainExponents.back()[j]);
                ASSERT_EQ(LyapColourValue(e, p.contrast), plain.back()[j]) << "picture " << plain.size() - 1 << ", pixel " << j;
                const double ofPicture = std::bit_cast<double>(pictureExponents[j]);
                ASSERT_EQ(kDistinctTable.pixels[LyapColourSlot(ofPicture, p.contrast, 900.0)], plainPixels.back()[j])
                    << "picture " << plain.size() - 1 << ", 32-bit pixel " << j;
            }
        }
    }
    ForEachFastTarget([&] {
        for (std::size_t i = 0; i < pictures.size(); ++i) {
            const Picture& p = pictures[i];
            LyapPathCounts paths;
            const std::string name = "picture " + std::to_string(i) + ": " + std::to_string(p.width) + " x " +
                std::to_string(p.height) + ", N " + std::to_string(p.n) + ", " + p.sequence + ", settle " + std::to_string(p.settle);
            EXPECT_EQ(p.Render(LyapKernel::Fast, &paths), plain[i]) << name;
            EXPECT_EQ(p.Render(LyapKernel::Fast, nullptr, kDistinctTable), plainPixels[i]) << name;
            EXPECT_EQ(FirstDifference(p.ExponentBits(LyapKernel::Fast), plainExponents[i]), -1) << name;
            // Of the program's pictures, at most one pixel in 200 by the plain loop.
            EXPECT_TRUE(i >= kProgramsPictures || (paths.exact + paths.rescaled + paths.belowFloor) * 200 >= 199 * p.width * p.height)
                << "picture " << i << ": " << paths.fallback << " pixels by the plain loop";
        }
        ExpectColourValuesOfLogsAtEveryBoundary();
    });
}

}  // namespace
