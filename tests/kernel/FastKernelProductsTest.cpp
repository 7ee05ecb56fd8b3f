// Group by group: the colour values of the fast kernel against the plain
// loop, where the products cross the floor and the subnormal range, and how
// often each way of deciding a pixel is taken.
#include "KernelTestSupport.h"

#include "LyapFastKernel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <utility>
#include <vector>

namespace {

// The plain kernel's colour value of one pixel.
std::int32_t PlainValue(double a, const LyapGroupInput& g)
{
    if (g.terms.iterations <= 0)
        return 0;
    return LyapProductValue(
        LyapOrbitProduct(a, g.b, g.x0, g.center, g.terms.iterations), g.terms);
}

LyapValueTerms TermsFor(double b, std::int32_t n, double contrast = 128.0)
{
    TLyapCalc calc;  // for the floor exactly as the constructor computes it
    return LyapValueTerms{calc.fLogFloor, n * std::log(2.0),
                          std::log(b) * (n / 2), contrast, n};
}

// A row of pixels (any number) with what they share, and the plain
// kernel's values, computed once for all targets.
struct Row {
    std::vector<double> a;
    LyapGroupInput shared;
    std::vector<std::int32_t> plain;
};

Row MakeRow(std::vector<double> a, LyapGroupInput shared)
{
    Row row{std::move(a), shared, {}};
    for (double rate : row.a)
        row.plain.push_back(PlainValue(rate, shared));
    return row;
}

// Evaluates each row in groups of kLyapMaxGroup and expects the plain values.
void ExpectRowsMatchPlain(const std::vector<Row>& rows, LyapPathCounts* counts)
{
    std::int32_t values[kLyapMaxGroup];
    for (const Row& row : rows) {
        LyapGroupInput g = row.shared;
        for (std::size_t start = 0; start < row.a.size(); start += kLyapMaxGroup) {
            g.a = row.a.data() + start;
            g.count = static_cast<std::int32_t>(
                std::min<std::size_t>(kLyapMaxGroup, row.a.size() - start));
            LyapFastGroupValues(g, values, counts);
            for (std::int32_t i = 0; i < g.count; ++i) {
                ASSERT_EQ(values[i], row.plain[start + i])
                    << "a " << g.a[i] << ", b " << g.b << ", x0 " << g.x0
                    << ", centre " << g.center << ", N " << g.terms.iterations;
            }
        }
    }
}

std::vector<double> Rates(double from, double to, int count)
{
    std::vector<double> a;
    for (int i = 0; i < count; ++i)
        a.push_back(from + (to - from) * i / count);
    return a;
}

// Every pixel's product crosses the floor for some N of the sweep, so each
// pixel is seen just above, at and just below it; on every target.
TEST(FastKernelProducts, AgreeWithThePlainLoopAsProductsCrossTheFloor)
{
    std::vector<Row> rows;
    for (double b : {3.1, 3.55, 3.9}) {
        for (double center : {0.5, 0.0, 1.0}) {
            for (std::int32_t n = 400; n <= 720; n += 3) {
                rows.push_back(MakeRow(Rates(3.0, 4.0, 64),
                                       {nullptr, 0, b, 0.5, center,
                                        TermsFor(b, n)}));
            }
        }
    }
    ForEachFastTarget([&] {
        LyapPathCounts counts;
        ExpectRowsMatchPlain(rows, &counts);
        // The sweep reaches every way of deciding a pixel.
        EXPECT_GT(counts.exact, 0);
        EXPECT_GT(counts.rescaled, 0);
        EXPECT_GT(counts.belowFloor, 0);
        EXPECT_GT(counts.fallback, 0);
    });
}

TEST(FastKernelProducts, AgreeWithThePlainLoopForRandomParameters)
{
    std::mt19937_64 random(20240917);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::uniform_int_distribution<std::int32_t> steps(-2, 1500);
    std::vector<Row> rows;
    for (int trial = 0; trial < 300; ++trial) {
        // Mostly the program's ranges, sometimes far outside them.
        const bool wild = trial % 5 == 0;
        const double b = wild ? 8.0 * unit(random) : 2.0 + 2.0 * unit(random);
        const double x0 = wild ? 3.0 * unit(random) - 1.0 : unit(random);
        const double center = wild ? 4.0 * unit(random) - 1.5 : unit(random);
        const double aFrom = wild ? 8.0 * unit(random) : 2.0 + 2.0 * unit(random);
        const double aTo = std::min(wild ? 8.0 : 4.0, aFrom + unit(random));
        const std::int32_t n = steps(random);
        const int count = 1 + static_cast<int>(unit(random) * 70);
        const double contrast = 200 * unit(random);
        rows.push_back(MakeRow(Rates(aFrom, aTo, count),
                               {nullptr, 0, b, x0, center,
                                TermsFor(b, n, contrast)}));
    }
    ForEachFastTarget([&] { ExpectRowsMatchPlain(rows, nullptr); });
}

// Orbits that hit the centre exactly have a product of exactly 0 (a = 2 with
// x0 = 0.5 stays at 0.5); orbits from 0 never move.
TEST(FastKernelProducts, AgreeWithThePlainLoopForExactZeroFactors)
{
    std::vector<Row> rows;
    for (double x0 : {0.5, 0.0, 1.0}) {
        for (double center : {0.5, 0.0, 1.0}) {
            for (std::int32_t n : {1, 2, 31, 512, 1201}) {
                rows.push_back(
                    MakeRow({2.0, 2.0, 3.0, 4.0, 1e-307, 2.5, 2.0},
                            {nullptr, 0, 2.0, x0, center, TermsFor(2.0, n)}));
            }
        }
    }
    ForEachFastTarget([&] { ExpectRowsMatchPlain(rows, nullptr); });
}

// What makes the fast kernel fast at high iteration counts: nearly every
// pixel whose product underflows is decided without the plain loop.
TEST(FastKernelProducts, DefaultPictureAt512IsAlmostAllDecidedWithoutThePlainLoop)
{
    std::vector<Row> rows;
    for (int row = 0; row < 384; row += 4) {
        const double b = 2.0 + 2.0 * row / 384;
        rows.push_back(MakeRow(Rates(2.0, 4.0, 384),
                               {nullptr, 0, b, 0.5, 0.5, TermsFor(b, 512)}));
    }
    LyapPathCounts counts;
    ExpectRowsMatchPlain(rows, &counts);
    const std::int64_t total =
        counts.exact + counts.rescaled + counts.belowFloor + counts.fallback;
    EXPECT_EQ(total, 96 * 384);
    EXPECT_GT(counts.belowFloor, total / 4);
    EXPECT_LT(counts.fallback, total / 50);
}

}  // namespace

namespace {

// The colour values of a group against LyapColourValue, at the exponents
// where the value changes: 0 and -0, the steps between two values, 255 and
// beyond, infinities and NaN; for contrasts of every sign and size.
TEST(FastKernelColourValues, EqualLyapColourValueAtEveryBoundary)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    ForEachFastTarget([&] {
        for (double contrast : {128.0, 2048.0, 1.0, 0.0, -50.0, 1e-300, 1e300,
                                inf, -inf, nan}) {
            // logOffset and rowLogB 0 and N 1: the exponent is the log.
            const LyapValueTerms terms{1e-307, 0.0, 0.0, contrast, 1};
            std::vector<double> exponents = {0.0, -0.0, 1e-300, -1e-300, inf,
                                             -inf, nan, 0.5, -1e300};
            for (int k = 0; k <= 256; ++k) {
                const double e = contrast != 0.0 ? -k / contrast : -k;
                exponents.push_back(e);
                exponents.push_back(std::nextafter(e, inf));
                exponents.push_back(std::nextafter(e, -inf));
            }
            std::int32_t values[kLyapMaxGroup];
            for (std::size_t s = 0; s < exponents.size(); s += kLyapMaxGroup) {
                const auto count = static_cast<std::int32_t>(
                    std::min<std::size_t>(kLyapMaxGroup, exponents.size() - s));
                LyapColourValuesOfLogs(exponents.data() + s, count, terms,
                                       values);
                for (std::int32_t i = 0; i < count; ++i) {
                    const double e = exponents[s + i];
                    ASSERT_EQ(values[i], LyapColourValue(
                                             LyapExponentOfLog(e, terms),
                                             contrast))
                        << "exponent " << e << ", contrast " << contrast;
                }
            }
        }
    });
}

}  // namespace
