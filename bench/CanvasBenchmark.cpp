// The fitted canvas at full HD: a 1920 x 1080 image at 512 iterations on a
// screen of that size (offscreen), computed by the viewer's worker pool
// (with its preview first), by the renderer's bands on as many threads, and
// the preview alone: the time until the whole canvas shows the picture. The
// viewer's peak memory at that size is the "peakRSS_MB" counter.
#include "Application.h"
#include "BandedRender.h"
#include "MainWindow.h"
#include "Palettes.h"
#include "RenderPreview.h"
#include "RenderWorkers.h"
#include "ShowBit.h"
#include "TLyapCalc.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

// The size of the screen bench/full-hd-screen.json describes.
constexpr int32 kCanvasWidth = 1920;
constexpr int32 kCanvasHeight = 1080;
constexpr int32 kIterations = 512;

TShowBit* gView = nullptr;

void WaitForWorkers()
{
    while (AnyWorkerRunning())
        std::this_thread::sleep_for(std::chrono::microseconds(50));
}

double PeakResidentMegabytes()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    return 0.0;
}

// Every worker's coarse blocks, on threads of their own, as the pool's
// workers make them before their exact rows.
void RunPreviews()
{
    std::vector<std::thread> threads;
    for (int32 i = 0; i < gWorkerCount; ++i) {
        gCalcs[i]->fState.store(TLyapCalc::kParamsChanged); // as a start leaves it
        threads.emplace_back([i] { FillPreview(*gCalcs[i], gWorkerCount, i, gPaletteMap, nullptr); });
    }
    for (std::thread& thread : threads)
        thread.join();
}

void RunRenderer()
{
    RenderControl control;
    control.threads = gWorkerCount;
    const RowSink discard = [](const std::uint8_t*, std::int32_t) { return true; };
    RenderBands(gView->ShownPicture(), discard, control);
}

enum Way { kViewerPool, kRenderer, kPreviewAlone };

void BM_Canvas(benchmark::State& state)
{
    const auto way = static_cast<Way>(state.range(0));
    gView->StopRender();
    gView->SetIterations(kIterations);
    gView->StopRender();
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (way == kViewerPool) {
            gView->Refresh();
            WaitForWorkers();
        } else if (way == kRenderer) {
            RunRenderer();
        } else {
            RunPreviews();
        }
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        gView->StopRender();
    }
    state.SetLabel(way == kViewerPool ? "viewer pool" : way == kRenderer ? "renderer bands" : "preview alone");
    state.counters["workers"] = gWorkerCount;
    state.counters["columns"] = gImageWidth;
    state.counters["rows"] = gImageHeight;
    state.counters["peakRSS_MB"] = PeakResidentMegabytes();
}

BENCHMARK(BM_Canvas)->ArgName("way")->DenseRange(0, 2)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // An offscreen screen of full HD (Qt's offscreen platform reads its
    // screens from that file), so that the canvas may be that large.
    setenv("QT_QPA_PLATFORM", "offscreen:configfile=" OMBRELIA_BENCH_SCREEN, 1);
    benchmark::Initialize(&argc, argv);
    BApplication application(kAppSignature);
    TMainWindow* window = OpenMainWindow();
    gView = window->fView;
    window->Lock();
    window->SetSizeLimits(kMinWidth, kCanvasWidth, kMinHeight, 2 * kCanvasHeight);
    gView->SetFitToWindow(true);
    // The menu bar takes what the image does not.
    window->ResizeTo(kCanvasWidth, kCanvasHeight);
    window->ResizeTo(kCanvasWidth, 2 * kCanvasHeight - static_cast<float>(gImageHeight));
    window->Unlock();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    gView->StopRender();
    delete window;
    return 0;
}
