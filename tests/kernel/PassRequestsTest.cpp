// Requests reaching a pass: before it starts, and from another thread while
// it runs, with either kernel, into 8-bit and 32-bit images.
#include "LyapTestSupport.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace {

// The pass is long by construction (a huge iteration count), so a request sent
// once the first pixels have appeared lands while it runs. A 32-bit image
// is filled through a table of 0x01010101 pixels: byte for byte the 8-bit
// image of the palette map of ones, four bytes a pixel.
class PassRequests : public ::testing::TestWithParam<std::tuple<LyapKernel, std::size_t>> {
protected:
    ~PassRequests() override { SetLyapKernel(LyapKernel::Fast); }

    std::size_t PixelBytes() const { return std::get<1>(GetParam()); }
    // The bytes the kernel stores between two looks at the request word.
    std::size_t Unit() const { return (std::get<0>(GetParam()) == LyapKernel::Fast ? kLyapMaxGroup : 1) * PixelBytes(); }

    // Starts a pass over `rows` rows of two units and waits for the first unit.
    void Start(std::int32_t rows, std::int32_t iterations)
    {
        SetLyapKernel(std::get<0>(GetParam()));
        const auto rowBytes = static_cast<std::int32_t>(2 * Unit());
        image.assign(static_cast<std::size_t>(rowBytes) * rows, kUntouched);
        calc.fIterations = iterations;
        calc.SetSize(image.data(), rowBytes / static_cast<std::int32_t>(PixelBytes()), rows, rowBytes);
        pass = std::jthread([this] { Calculate(); });
        while (Byte(Unit() - 1).load() == kUntouched)
            std::this_thread::yield();
    }

    void Calculate() { PixelBytes() == 1 ? calc.Calculate(ones.data(), 1, 0) : calc.Calculate(onesTable, 1, 0); }

    std::atomic_ref<std::uint8_t> Byte(std::size_t i) { return std::atomic_ref(image[i]); }

    // How many bytes were stored, which must be the first ones.
    std::size_t StoredPrefix()
    {
        const auto end = std::find(image.begin(), image.end(), kUntouched);
        EXPECT_EQ(std::count(end, image.end(), kUntouched), image.end() - end);
        return static_cast<std::size_t>(end - image.begin());
    }

    const std::vector<std::uint8_t> ones = std::vector<std::uint8_t>(256, 1);
    const LyapColourTable onesTable = [] { LyapColourTable table{}; table.pixels.fill(0x01010101); return table; }();
    TLyapCalc calc;
    std::vector<std::uint8_t> image;
    std::jthread pass;
};

TEST_P(PassRequests, StopEndsThePassOnceThePixelsInHandAreStored)
{
    // Tens of milliseconds a pixel: the stop comes long before the next unit.
    Start(32, 5000000);
    calc.fState = TLyapCalc::kStopRequested;
    pass.join();
    EXPECT_EQ(calc.fState.load(), TLyapCalc::kNoRequest);
    // The unit in hand when the kernel sees the stop is stored whole, nothing
    // after. That may be the first unit itself: the stop can land between its
    // store and the kernel's next look at the request word.
    const std::size_t stored = StoredPrefix();
    EXPECT_TRUE(stored >= Unit() && stored < image.size()) << stored;
    EXPECT_EQ(stored % Unit(), 0u) << "a group stored in part";
}

TEST_P(PassRequests, ParametersChangedStartsThePassOverAndAStopPendingAtTheStartWritesNothing)
{
    Start(6, 1000000);
    Byte(0).store(kUntouched);  // only a pass started over writes it again
    calc.fState = TLyapCalc::kParamsChanged;
    pass.join();
    EXPECT_EQ(calc.fState.load(), TLyapCalc::kNoRequest);
    EXPECT_EQ(StoredPrefix(), image.size());
    std::ranges::fill(image, kUntouched);
    calc.fState = TLyapCalc::kStopRequested;
    Calculate();
    EXPECT_EQ(calc.fState.load(), TLyapCalc::kNoRequest);
    EXPECT_EQ(StoredPrefix(), 0u);
}

INSTANTIATE_TEST_SUITE_P(BothKernels, PassRequests,
                         ::testing::Combine(::testing::Values(LyapKernel::Plain, LyapKernel::Fast), ::testing::Values(1u, 4u)),
                         [](const auto& info) {
                             return (std::get<0>(info.param) == LyapKernel::Plain ? "Plain" : "Fast") + std::to_string(8 * std::get<1>(info.param));
                         });

}  // namespace
