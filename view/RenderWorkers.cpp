// Starting and stopping a render, and the worker threads that compute it.
#include "RenderWorkers.h"

#include "Controls.h"
#include "OS.h"
#include "Palettes.h"
#include "ProcessorCount.h"
#include "RenderPreview.h"
#include "Screen.h"
#include "ShowBit.h"
#include "TLyapCalc.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <cstddef>

int32 gWorkerCount = 1;
TLyapCalc* gCalcs[kMaxWorkers] = {};
thread_id gWorkerThreads[kMaxWorkers];
std::atomic<int32> gWorkerStatus[kMaxWorkers];
std::atomic<bool> gUnclaimedShare[kMaxWorkers];

namespace {

// Whether the render under way fills the 32-bit image, and whether each
// worker first covers its rows with a coarse preview: set only while no
// worker runs, read by the workers.
bool gSharesInColour = false;
bool gPreviewFirst = false;

constexpr int32 kStopPolls = 100;
constexpr bigtime_t kStopPollInterval = 10000;
constexpr const char* kWorkerName = "lcalc1";

// Computes the rows of every worker whose thread could not be created and
// that no other thread has taken yet. Run by each worker after its own rows,
// so the shares of a failed spawn go to the workers that did start; each
// share is taken by exactly one thread (the exchange), and is computed with
// that share's own calculator, which a stop request reaches like any other.
// Worker i's rows, through the palette map into the 8-bit image or through
// the colour table into the 32-bit one, as the calculator's image is.
void CalculateShare(int32 i)
{
    if (gSharesInColour)
        gCalcs[i]->Calculate(gColourTable, gWorkerCount, i);
    else
        gCalcs[i]->Calculate(gPaletteMap, gWorkerCount, i);
}

void RunUnclaimedShares()
{
    for (int32 i = 0; i < gWorkerCount; ++i) {
        if (!gUnclaimedShare[i].exchange(false))
            continue;
        CalculateShare(i);
        gWorkerStatus[i].store(kWorkerFinished);
    }
}

} // namespace

TLyapCalc* SetUpWorkerPool()
{
    for (int32 i = 0; i < kMaxWorkers; ++i) {
        gWorkerThreads[i] = kNoThread;
        gWorkerStatus[i].store(kWorkerFinished);
        gUnclaimedShare[i].store(false);
    }
    system_info info{};
    get_system_info(&info);
    // The kit counts the processors we may run on; a cgroup's CPU quota may
    // grant fewer, and more workers than that only take turns.
    gWorkerCount = std::clamp<int32>(std::min(info.cpu_count, CgroupProcessorQuota()), 1, kMaxWorkers);
    for (int32 i = 0; i < gWorkerCount; ++i)
        gCalcs[i] = new TLyapCalc();
    gCalcs[0]->fType = 1;
    return gCalcs[0];
}

void TearDownWorkerPool()
{
    for (int32 i = 0; i < gWorkerCount; ++i) {
        delete gCalcs[i];
        gCalcs[i] = nullptr;
    }
}

int32 WorkerMain(void* data)
{
    auto* status = static_cast<std::atomic<int32>*>(data);
    const int32 index = status->load();
    if (gPreviewFirst)
        FillPreview(*gCalcs[index], gWorkerCount, index, gPaletteMap, gSharesInColour ? &gColourTable : nullptr);
    CalculateShare(index);
    RunUnclaimedShares();
    // Last: the pulse takes -1 in every entry as "the image is complete".
    status->store(kWorkerFinished);
    return 0;
}

bool AnyWorkerRunning()
{
    for (int32 i = 0; i < gWorkerCount; ++i) {
        if (gWorkerStatus[i].load() >= 0)
            return true;
    }
    return false;
}

void TShowBit::StartRender()
{
    StopRender();
    fRendering = true;
    gSharesInColour = OwnColours();
    // A buffered render shows only the finished image: no preview to see.
    gPreviewFirst = gImageWidth * gImageHeight > kBitmapWidth * kBitmapHeight &&
                    (fBufferedBox == nullptr || fBufferedBox->Value() != 1);
    if (gSharesInColour && fTrueColourBitmap == nullptr)
        fTrueColourBitmap = std::make_unique<BBitmap>(fBitmap->Bounds(), B_RGB32, false, false);
    BBitmap* image = ShownBitmap();
    fCalc->SetSize(static_cast<uint8*>(image->Bits()), gImageWidth, gImageHeight, image->BytesPerRow());
    MarkLeftColumnWhite();
    fShownPicture = DescribeRender();
    ++fRenderCount;

    for (int32 i = 0; i < gWorkerCount; ++i) {
        gWorkerStatus[i].store(i);
        if (i > 0)
            *gCalcs[i] = *fCalc;
    }

    // Every thread is created before any is started, so that a share whose
    // thread failed is on record before a worker could look for one.
    int32 started = 0;
    for (int32 i = 0; i < gWorkerCount; ++i) {
        const thread_id id = spawn_thread(WorkerMain, kWorkerName, B_LOW_PRIORITY,
                                          &gWorkerStatus[i]);
        gWorkerThreads[i] = id;
        if (id > 0)
            ++started;
        else
            gUnclaimedShare[i].store(true);
    }
    if (started == 0) {
        // No thread at all: compute the image here rather than never finish.
        RunUnclaimedShares();
        return;
    }
    for (int32 i = 0; i < gWorkerCount; ++i) {
        if (gWorkerThreads[i] > 0)
            resume_thread(gWorkerThreads[i]);
    }
}

void TShowBit::MarkLeftColumnWhite()
{
    // No worker runs here (StartRender has stopped them), so plain stores.
    BBitmap* image = ShownBitmap();
    auto* bits = static_cast<uint8*>(image->Bits());
    const int32 bytesPerRow = image->BytesPerRow();
    if (image != fBitmap.get()) {
        for (int32 row = 0; row < gImageHeight; ++row)
            std::memset(bits + static_cast<std::ptrdiff_t>(row) * bytesPerRow, 0xff, 4);
        return;
    }
    BScreen screen(Window());
    const uint8 white = screen.IndexForColor(255, 255, 255);
    for (int32 row = 0; row < gImageHeight; ++row)
        bits[static_cast<std::ptrdiff_t>(row) * bytesPerRow] = white;
}

void TShowBit::StopRender()
{
    if (fRendering) {
        for (int32 i = 0; i < gWorkerCount; ++i)
            gCalcs[i]->fState.store(TLyapCalc::kStopRequested);
        for (int32 look = 1; look <= kStopPolls && AnyWorkerRunning(); ++look) {
            if (look < kStopPolls)
                snooze(kStopPollInterval);
        }
    }
    KillWorkers();
    fRendering = false;
}

void TShowBit::KillWorkers()
{
    // POSIX threads cannot be ended from outside; every worker looks at its
    // stop request often (docs/architecture.md), so joining it ends it soon.
    for (int32 i = 0; i < gWorkerCount; ++i) {
        if (gWorkerThreads[i] > 0) {
            status_t exitValue = 0;
            wait_for_thread(gWorkerThreads[i], &exitValue);
        }
        gWorkerThreads[i] = kNoThread;
    }
}

void TShowBit::RestartRender()
{
    if (fRendering)
        return;
    if (fCalc->fType == 1)
        StartRender();
}
