// The pass around the fast kernel: which kernel runs, requests arriving in
// the middle of a group, and the working values a pass leaves behind.
#include "KernelTestSupport.h"

#include "LyapFastKernel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstddef>
#include <thread>
#include <vector>

namespace {

constexpr std::int32_t kSide = 200;

void Default512(TLyapCalc& c)
{
    c.fIterations = 512;
}

// Where the hooks act: the group starting at row 2, column 64.
constexpr std::int32_t kHookRow = 2;
constexpr std::int32_t kHookColumn = 64;
std::atomic<int> gHookCalls{0};

void StopAtHookGroup(TLyapCalc& calc, std::int32_t row, std::int32_t column,
                     std::int32_t)
{
    gHookCalls.fetch_add(1);
    if (row == kHookRow && column == kHookColumn)
        calc.fState.store(TLyapCalc::kStopRequested);
}

void ChangeIterationsOnceAtHookGroup(TLyapCalc& calc, std::int32_t row,
                                     std::int32_t column, std::int32_t)
{
    if (row == kHookRow && column == kHookColumn && gHookCalls.fetch_add(1) == 0) {
        // The pass's own thread, so the record may change here.
        calc.fIterations = 64;
        calc.fState.store(TLyapCalc::kParamsChanged);
    }
}

TEST(FastKernelRequests, FastIsTheDefaultAndPlainStaysSelectable)
{
    KernelSettingsGuard guard;
    EXPECT_EQ(GetLyapKernel(), LyapKernel::Fast);
    SetLyapGroupHook(StopAtHookGroup);
    gHookCalls = 0;
    Render(LyapKernel::Plain, 70, 3, Default512);
    EXPECT_EQ(gHookCalls.load(), 0);  // only the fast kernel works in groups
    SetLyapGroupHook(nullptr);
    SetLyapKernel(LyapKernel::Plain);
    EXPECT_EQ(GetLyapKernel(), LyapKernel::Plain);
}

TEST(FastKernelRequests, StopInTheMiddleOfAGroupStoresThatGroupAndNothingAfter)
{
    KernelSettingsGuard guard;
    const std::vector<std::uint8_t> plain =
        Render(LyapKernel::Plain, kSide, kSide, Default512);
    SetLyapGroupHook(StopAtHookGroup);
    std::vector<std::uint8_t> image(kSide * kSide, kUntouched);
    TLyapCalc calc;
    calc.SetSize(image.data(), kSide, kSide, kSide);
    Default512(calc);
    calc.Calculate(IdentityPalette(), 1, 0);

    EXPECT_EQ(calc.fState.load(), TLyapCalc::kNoRequest);
    const std::size_t groupEnd =
        kHookRow * kSide + kHookColumn + kLyapMaxGroup;
    for (std::size_t i = 0; i < image.size(); ++i) {
        ASSERT_EQ(image[i], i < groupEnd ? plain[i] : kUntouched)
            << "column " << i % kSide << ", row " << i / kSide;
    }
}

TEST(FastKernelRequests, ParametersChangedInTheMiddleOfAGroupStartThePassOver)
{
    KernelSettingsGuard guard;
    const std::vector<std::uint8_t> plain64 =
        Render(LyapKernel::Plain, kSide, kSide, [](TLyapCalc& c) {
            c.fIterations = 64;
        });
    SetLyapGroupHook(ChangeIterationsOnceAtHookGroup);
    gHookCalls = 0;
    std::vector<std::uint8_t> image(kSide * kSide, kUntouched);
    TLyapCalc calc;
    calc.SetSize(image.data(), kSide, kSide, kSide);
    Default512(calc);
    calc.Calculate(IdentityPalette(), 1, 0);

    EXPECT_EQ(gHookCalls.load(), 2);  // changed in the first pass only
    EXPECT_EQ(calc.fState.load(), TLyapCalc::kNoRequest);
    EXPECT_EQ(image, plain64);  // every row again, with the new count
}

TEST(FastKernelRequests, StopPendingAtPassStartWritesNothing)
{
    KernelSettingsGuard guard;
    std::vector<std::uint8_t> image(64 * 4, kUntouched);
    TLyapCalc calc;
    calc.SetSize(image.data(), 64, 4, 64);
    calc.fState.store(TLyapCalc::kStopRequested);
    calc.Calculate(IdentityPalette(), 1, 0);
    EXPECT_EQ(calc.fState.load(), TLyapCalc::kNoRequest);
    EXPECT_EQ(image, std::vector<std::uint8_t>(64 * 4, kUntouched));
}

// A stop from the view's thread while the worker is inside its first group
// (the hook holds the worker there until the request has been written): the
// group in hand is finished and stored, nothing after it.
std::atomic<bool> gWorkerInFirstGroup{false};

void WaitForARequestInTheFirstGroup(TLyapCalc& calc, std::int32_t row,
                                    std::int32_t column, std::int32_t)
{
    if (row != 0 || column != 0)
        return;
    gWorkerInFirstGroup.store(true);
    while (calc.fState.load() == TLyapCalc::kNoRequest)
        std::this_thread::yield();
}

TEST(FastKernelRequests, StopFromAnotherThreadEndsThePassAfterTheGroupInHand)
{
    KernelSettingsGuard guard;
    const std::vector<std::uint8_t> plain =
        Render(LyapKernel::Plain, kSide, kSide, Default512);
    SetLyapGroupHook(WaitForARequestInTheFirstGroup);
    gWorkerInFirstGroup = false;
    std::vector<std::uint8_t> image(kSide * kSide, kUntouched);
    TLyapCalc calc;
    calc.SetSize(image.data(), kSide, kSide, kSide);
    Default512(calc);
    std::thread worker([&] { calc.Calculate(IdentityPalette(), 1, 0); });
    while (!gWorkerInFirstGroup.load())
        std::this_thread::yield();
    calc.fState.store(TLyapCalc::kStopRequested);
    worker.join();

    EXPECT_EQ(calc.fState.load(), TLyapCalc::kNoRequest);
    for (std::size_t i = 0; i < image.size(); ++i) {
        ASSERT_EQ(image[i], i < kLyapMaxGroup ? plain[i] : kUntouched)
            << "pixel " << i;
    }
}

TEST(FastKernelRequests, FastPassLeavesTheWorkingValuesOfThePlainPass)
{
    KernelSettingsGuard guard;
    auto pass = [](LyapKernel kernel) {
        SetLyapKernel(kernel);
        std::vector<std::uint8_t> image(77 * 5, kUntouched);
        TLyapCalc calc;
        calc.SetSize(image.data(), 77, 5, 77);
        calc.fIterations = 33;
        calc.Calculate(IdentityPalette(), 2, 1);
        return calc;
    };
    const TLyapCalc plain = pass(LyapKernel::Plain);
    TLyapCalc fast = pass(LyapKernel::Fast);
    EXPECT_EQ(fast.fA, plain.fA);
    EXPECT_EQ(fast.fB, plain.fB);
    EXPECT_EQ(fast.fX0, plain.fX0);
    EXPECT_EQ(fast.fCenter, plain.fCenter);
    EXPECT_EQ(fast.fLogOffset, plain.fLogOffset);
    EXPECT_EQ(fast.fHalfIterations, plain.fHalfIterations);
    EXPECT_EQ(fast.fRowLogB, plain.fRowLogB);
    EXPECT_EQ(fast.fASpan, plain.fASpan);
    EXPECT_EQ(fast.fBSpan, plain.fBSpan);
    // The reference evaluation still works on what the fast pass left.
    fast.fA = 3.5;
    TLyapCalc reference = plain;
    reference.fA = 3.5;
    EXPECT_EQ(fast.EvaluatePoint(), reference.EvaluatePoint());
}

}  // namespace
