// Shared by the calculator and kernel tests: pictures rendered with either
// kernel, single points, and a check run on every compiled-in SIMD target.
#pragma once

#include "ColourValue.h"
#include "LyapFastKernel.h"
#include "LyapKernel.h"
#include "TLyapCalc.h"

#include <gtest/gtest.h>
#include <hwy/targets.h>

#include <array>
#include <cstdint>
#include <functional>
#include <numeric>
#include <tuple>
#include <type_traits>
#include <vector>

inline constexpr std::uint8_t kUntouched = 0xA5;

// Entry v is v: the image then holds the colour values themselves.
inline const std::uint8_t* IdentityMap()
{
    static std::array<std::uint8_t, 256> map;
    std::iota(map.begin(), map.end(), 0);
    return map.data();
}

using CalcSetup = std::function<void(TLyapCalc&)>;

// The bytes one Calculate(rowStep, firstRow) of a default calculator changed
// by `setup` writes into a fresh width x height image (or, given a colour
// table, its 32-bit pixels); untouched ones stay kUntouched. counts: as
// Calculate takes it.
template <typename Colours = const std::uint8_t*>
auto Render(LyapKernel kernel, std::int32_t width, std::int32_t height, const CalcSetup& setup,
            std::int32_t rowStep = 1, std::int32_t firstRow = 0, LyapPathCounts* counts = nullptr,
            const Colours& colours = IdentityMap())
{
    using Pixel = std::conditional_t<std::is_same_v<Colours, LyapColourTable>, std::uint32_t, std::uint8_t>;
    SetLyapKernel(kernel);
    std::vector<Pixel> image(static_cast<std::size_t>(width) * height, kUntouched);
    TLyapCalc calc;
    setup(calc);
    calc.SetSize(reinterpret_cast<std::uint8_t*>(image.data()), width, height,
                 width * static_cast<std::int32_t>(sizeof(Pixel)));
    calc.Calculate(colours, rowStep, firstRow, counts);
    SetLyapKernel(LyapKernel::Fast);
    return image;
}

// The colour value of the single point (a, b) under `calc`'s other
// parameters: a 1 x 1 image has exactly a = fAMin and b = fBMin.
inline int ColourValueAt(const TLyapCalc& calc, double a, double b)
{
    return Render(LyapKernel::Plain, 1, 1, [&](TLyapCalc& c) {
        c = calc;
        std::tie(c.fAMin, c.fAMax, c.fBMin, c.fBMax) = std::tuple(a, a + 1.0, b, b + 1.0);
    })[0];
}

// Runs check once for every Highway target of the fast kernel that this
// processor runs, with that target forced, then restores the default choice.
inline void ForEachFastTarget(const std::function<void()>& check)
{
    const std::vector<std::int64_t> targets = LyapFastKernelTargets();
    ASSERT_FALSE(targets.empty());
    for (const std::int64_t target : targets) {
        hwy::SetSupportedTargetsForTest(target);
        SCOPED_TRACE(hwy::TargetName(target));
        EXPECT_STREQ(LyapFastKernelTargetName(), hwy::TargetName(target));
        check();
    }
    hwy::SetSupportedTargetsForTest(0);
}
