#include "KernelTestSupport.h"

#include "LyapFastKernel.h"

#include <gtest/gtest.h>
#include <hwy/targets.h>

#include <array>

const std::uint8_t* IdentityPalette()
{
    static const std::array<std::uint8_t, 256> map = [] {
        std::array<std::uint8_t, 256> m{};
        for (int v = 0; v < 256; ++v)
            m[v] = static_cast<std::uint8_t>(v);
        return m;
    }();
    return map.data();
}

std::vector<std::uint8_t> Render(LyapKernel kernel, std::int32_t width,
                                 std::int32_t height, const CalcSetup& setup,
                                 std::int32_t rowStep, std::int32_t firstRow)
{
    const LyapKernel before = GetLyapKernel();
    SetLyapKernel(kernel);
    std::vector<std::uint8_t> image(
        static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
        kUntouched);
    TLyapCalc calc;
    calc.SetSize(image.data(), width, height, width);
    setup(calc);
    calc.Calculate(IdentityPalette(), rowStep, firstRow);
    SetLyapKernel(before);
    return image;
}

void ForEachFastTarget(const std::function<void()>& check)
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

KernelSettingsGuard::~KernelSettingsGuard()
{
    SetLyapKernel(LyapKernel::Fast);
}
