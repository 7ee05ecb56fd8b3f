// Shared by the kernel tests: rendering a picture with either kernel, and
// running a check once per compiled-in SIMD target.
#pragma once

#include "LyapKernel.h"
#include "TLyapCalc.h"

#include <cstdint>
#include <functional>
#include <vector>

// Changes a freshly constructed calculator before its pass.
using CalcSetup = std::function<void(TLyapCalc&)>;

// paletteMap[v] = v, so that the image holds the colour values themselves.
const std::uint8_t* IdentityPalette();

// The bytes one Calculate(rowStep, firstRow) writes into a width x height
// image (rows rowBytes apart) with the given kernel; untouched bytes stay
// kUntouched.
inline constexpr std::uint8_t kUntouched = 0xA5;
std::vector<std::uint8_t> Render(LyapKernel kernel, std::int32_t width,
                                 std::int32_t height, const CalcSetup& setup,
                                 std::int32_t rowStep = 1,
                                 std::int32_t firstRow = 0);

// Calls check once for every Highway target of the fast kernel that this
// processor runs, with that target forced; the default choice is restored
// afterwards. Fails if forcing a target does not take effect.
void ForEachFastTarget(const std::function<void()>& check);

// Restores the default kernel at scope exit.
class KernelSettingsGuard {
public:
    KernelSettingsGuard() = default;
    ~KernelSettingsGuard();
    KernelSettingsGuard(const KernelSettingsGuard&) = delete;
    KernelSettingsGuard& operator=(const KernelSettingsGuard&) = delete;
};
