// TLyapCalc::Calculate over a whole 384 x 384 picture on one thread, with the
// plain and the fast kernel, timed in CPU time (the machine may be shared).
// The counter step_time is the time per pixel and logistic step; bench/report turns pairs of runs into speed-ups.
// The fast runs also count the pixels of one pass by the fast kernel's path
// (exact, rescaled, below_floor, fallback): a kernel that sent its lanes to
// the plain loop would write the same bytes, only slower.
#include "LyapFastKernel.h"
#include "LyapKernel.h"
#include "TLyapCalc.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr std::int32_t kSide = 384;

struct Region {
    const char* name;
    double min;
    double max;
};

// The default picture, and a square where nearly every product underflows.
constexpr Region kDefault{"default", 2.0, 4.0};
constexpr Region kSubnormal{"subnormal", 3.4, 3.6};

void RunPass(benchmark::State& state, LyapKernel kernel, Region region,
             std::int32_t iterations)
{
    std::array<std::uint8_t, 256> palette{};
    std::vector<std::uint8_t> image(kSide * kSide);
    TLyapCalc calc;
    calc.SetSize(image.data(), kSide, kSide, kSide);
    calc.fAMin = calc.fBMin = region.min;
    calc.fAMax = calc.fBMax = region.max;
    calc.fIterations = iterations;
    SetLyapKernel(kernel);
    for (auto _ : state) {
        calc.Calculate(palette.data(), 1, 0);
        benchmark::DoNotOptimize(image.data());
        benchmark::ClobberMemory();
    }
    SetLyapKernel(LyapKernel::Fast);
    if (kernel == LyapKernel::Fast) {
        LyapPathCounts counts;
        calc.Calculate(palette.data(), 1, 0, &counts);
        state.counters["exact"] = static_cast<double>(counts.exact);
        state.counters["rescaled"] = static_cast<double>(counts.rescaled);
        state.counters["below_floor"] = static_cast<double>(counts.belowFloor);
        state.counters["fallback"] = static_cast<double>(counts.fallback);
    }
    // Time per pixel and logistic step (shown in ns; seconds in JSON).
    state.counters["step_time"] = benchmark::Counter(
        static_cast<double>(kSide) * kSide * iterations,
        benchmark::Counter::kIsIterationInvariantRate |
            benchmark::Counter::kInvert);
}

void Register(LyapKernel kernel, Region region, std::int32_t iterations)
{
    const std::string name = std::string("Calculate/") +
                             (kernel == LyapKernel::Plain ? "plain" : "fast") +
                             "/" + region.name + "/" +
                             std::to_string(iterations);
    benchmark::RegisterBenchmark(name.c_str(), RunPass, kernel, region,
                                 iterations)
        ->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv)
{
    for (std::int32_t n : {16, 128, 512}) {
        Register(LyapKernel::Plain, kDefault, n);
        Register(LyapKernel::Fast, kDefault, n);
    }
    Register(LyapKernel::Plain, kSubnormal, 512);
    Register(LyapKernel::Fast, kSubnormal, 512);
    benchmark::AddCustomContext("simd_target", LyapFastKernelTargetName());
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
