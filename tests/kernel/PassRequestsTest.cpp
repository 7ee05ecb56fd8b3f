// Requests reaching a pass: before it starts, and from another thread while
// it runs, with either kernel.
#include "LyapTestSupport.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace {

// The pass is long by construction (a huge iteration count), so a request sent
// once the first pixels have appeared lands while it runs.
class PassRequests : public ::testing::TestWithParam<LyapKernel> {
protected:
    // What the kernel stores between two looks at the request word.
    std::size_t Unit() const
    {
        return GetParam() == LyapKernel::Fast ? kLyapMaxGroup : 1;
    }

    void Start(std::int32_t rows)
    {
        SetLyapKernel(GetParam());
        const auto width = static_cast<std::int32_t>(2 * Unit());
        image.assign(static_cast<std::size_t>(width) * rows, kUntouched);
        calc.fIterations = 1000000;  // milliseconds a pixel
        calc.SetSize(image.data(), width, rows, width);
        pass = std::thread([this] { calc.Calculate(kOnes.data(), 1, 0); });
        while (Pixel(Unit() - 1).load() == kUntouched)
            std::this_thread::yield();
    }

    void TearDown() override
    {
        if (pass.joinable())
            pass.join();
        SetLyapKernel(LyapKernel::Fast);
    }

    std::atomic_ref<std::uint8_t> Pixel(std::size_t i)
    {
        return std::atomic_ref<std::uint8_t>(image[i]);
    }

    // How many pixels were stored, which must be the first ones.
    std::size_t StoredPrefix()
    {
        const auto end = std::find(image.begin(), image.end(), kUntouched);
        EXPECT_TRUE(std::all_of(end, image.end(),
                                [](std::uint8_t b) { return b == kUntouched; }));
        return static_cast<std::size_t>(end - image.begin());
    }

    // Every colour value stores 1, never kUntouched.
    static constexpr std::array<std::uint8_t, 256> kOnes = [] {
        std::array<std::uint8_t, 256> ones{};
        ones.fill(1);
        return ones;
    }();
    TLyapCalc calc;
    std::vector<std::uint8_t> image;
    std::thread pass;
};

TEST_P(PassRequests, StopEndsThePassOnceThePixelsInHandAreStored)
{
    Start(32);
    calc.fState = TLyapCalc::kStopRequested;
    pass.join();
    EXPECT_EQ(calc.fState.load(), TLyapCalc::kNoRequest);
    // What was being computed when the stop came is stored, nothing after.
    const std::size_t stored = StoredPrefix();
    EXPECT_GT(stored, Unit());
    EXPECT_LT(stored, image.size());
    EXPECT_EQ(stored % Unit(), 0u) << "a group stored in part";
}

TEST_P(PassRequests, ParametersChangedStartsThePassOverAndCompletesIt)
{
    Start(6);
    // Only a pass started over writes the first pixel again.
    Pixel(0).store(kUntouched);
    calc.fState = TLyapCalc::kParamsChanged;
    pass.join();
    EXPECT_EQ(calc.fState.load(), TLyapCalc::kNoRequest);
    EXPECT_EQ(StoredPrefix(), image.size());
}

TEST_P(PassRequests, StopPendingAtPassStartWritesNothing)
{
    image.assign(64 * 4, kUntouched);
    SetLyapKernel(GetParam());
    calc.SetSize(image.data(), 64, 4, 64);
    calc.fState = TLyapCalc::kStopRequested;
    calc.Calculate(kOnes.data(), 1, 0);
    EXPECT_EQ(calc.fState.load(), TLyapCalc::kNoRequest);
    EXPECT_EQ(StoredPrefix(), 0u);
}

INSTANTIATE_TEST_SUITE_P(BothKernels, PassRequests,
                         ::testing::Values(LyapKernel::Plain, LyapKernel::Fast),
                         [](const auto& info) {
                             return info.param == LyapKernel::Plain ? "Plain" : "Fast";
                         });

}  // namespace
