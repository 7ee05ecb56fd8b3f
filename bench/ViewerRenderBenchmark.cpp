// A whole viewer render through the worker pool: from TShowBit::Refresh
// until the last worker has finished, on the real view (offscreen), with one
// worker per processor, for each kernel.
#include "Application.h"
#include "LyapKernel.h"
#include "MainWindow.h"
#include "RenderWorkers.h"
#include "ShowBit.h"
#include "TLyapCalc.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace {

TShowBit* gView = nullptr;

// Waits on the status words themselves, not on pulses, so the figure is the
// workers' time and not the display's polling. It sleeps between looks: the
// workers run at low priority, and a spinning waiter would take a processor
// from them.
void WaitForWorkers()
{
    while (AnyWorkerRunning())
        std::this_thread::sleep_for(std::chrono::microseconds(50));
}

void BM_ViewerRender(benchmark::State& state)
{
    const auto kernel = state.range(0) == 0 ? LyapKernel::Plain : LyapKernel::Fast;
    const auto iterations = static_cast<int32>(state.range(1));
    gView->StopRender();
    gView->fCalc->fIterations = iterations;
    SetLyapKernel(kernel);
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        gView->Refresh();
        WaitForWorkers();
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        gView->StopRender();
    }
    SetLyapKernel(LyapKernel::Fast);
    state.SetLabel(kernel == LyapKernel::Plain ? "plain" : "fast");
    state.counters["workers"] = gWorkerCount;
}

BENCHMARK(BM_ViewerRender)
    ->ArgNames({"fast", "N"})
    ->ArgsProduct({{0, 1}, {16, 128, 512}})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    benchmark::Initialize(&argc, argv);
    BApplication application(kAppSignature);
    TMainWindow* window = OpenMainWindow();
    gView = window->fView;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    gView->StopRender();
    delete window;
    return 0;
}
