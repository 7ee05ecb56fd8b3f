// What must hold after every action, and of a finished image.
#include "RandomUseTest.h"

#include "OS.h"
#include "RenderWorkers.h"
#include "TLyapCalc.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

// A worker that has stored its finish mark may still be on its way out.
constexpr int kThreadPolls = 10000;
constexpr bigtime_t kThreadPollInterval = 1000;
constexpr int kBaselineSamples = 20;
constexpr bigtime_t kBaselineSampleInterval = 5000;
// The selection text may be drawn along this band at the top of the view.
constexpr int32 kTextBandHeight = 64;
constexpr int32 kLongIterations = 256;

template <typename... Args>
std::string Format(const char* format, Args... args)
{
    char text[256];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}

bool Contains(const std::vector<BWindow*>& windows, BWindow* window)
{
    return std::find(windows.begin(), windows.end(), window) != windows.end();
}

} // namespace

void RandomUseTest::MeasureThreadBaseline()
{
    // The first render has made the sanitizer runtimes start their helper
    // threads; its own workers are joined here, and a joined thread may take
    // a moment to leave the kernel's list.
    WaitForRender();
    fView->StopRender();
    fBaselineThreads = platform_test::LiveThreadCount();
    for (int i = 0; i < kBaselineSamples; ++i) {
        snooze(kBaselineSampleInterval);
        fBaselineThreads = std::min(fBaselineThreads, platform_test::LiveThreadCount());
    }
}

bool RandomUseTest::ThreadsBackToBaseline() const
{
    for (int poll = 0;
         poll < kThreadPolls && platform_test::LiveThreadCount() != fBaselineThreads; ++poll)
        snooze(kThreadPollInterval);
    return platform_test::LiveThreadCount() == fBaselineThreads;
}

std::string RandomUseTest::CheckAfterAction()
{
    if (!fFailure.empty())
        return fFailure;
    const std::vector<BWindow*> windows = platform_test::Windows();
    if (windows.size() != 2 || !Contains(windows, fWindow) || !Contains(windows, fPanel))
        return Format("%zu windows open instead of the main window and the panel",
                      windows.size());

    if (gImageWidth < 0 || gImageWidth > kBitmapWidth || gImageHeight < 0 ||
        gImageHeight > kBitmapHeight)
        return Format("image size %d x %d outside the bitmap", gImageWidth, gImageHeight);
    const BRect bounds = fView->Bounds();
    if (gImageWidth > bounds.Width() || gImageHeight > bounds.Height())
        return Format("image size %d x %d larger than the view's %.1f x %.1f", gImageWidth,
                      gImageHeight, bounds.Width(), bounds.Height());

    if (fView->fRendering)
        return {};
    for (int32 i = 0; i < gWorkerCount; ++i) {
        if (gWorkerStatus[i].load() >= 0)
            return Format("no render runs, yet worker %d's status is %d", i,
                          gWorkerStatus[i].load());
    }
    // Every worker has finished, so their calculators may be read.
    for (int32 i = 0; i < gWorkerCount; ++i) {
        const TLyapCalc& calc = *gCalcs[i];
        if (calc.fBits != fView->fBitmap->Bits() ||
            calc.fBytesPerRow != fView->fBitmap->BytesPerRow() || calc.fWidth != gImageWidth ||
            calc.fHeight != gImageHeight)
            return Format("calculator %d describes a %d x %d image that is not the view's "
                          "%d x %d in its bitmap",
                          i, calc.fWidth, calc.fHeight, gImageWidth, gImageHeight);
    }
    if (!ThreadsBackToBaseline())
        return Format("no render runs, yet %d threads are alive (%d at the start)",
                      platform_test::LiveThreadCount(), fBaselineThreads);
    return {};
}

std::string RandomUseTest::CheckFinishedImage()
{
    ++fCounts.checkpoints;
    // Only if the render was running does the last pulse below show it.
    const bool finishShown = fView->fRendering;
    if (!PulseUntil([this] { return !fView->fRendering; }))
        return "the render never finished";
    ExtendReach();
    if (fView->fCalc->fIterations >= kLongIterations)
        ++fCounts.longCheckpoints;
    const std::vector<uint8> bitmap = BitmapBytes();
    std::string failure = CheckImageArea(bitmap);
    if (failure.empty())
        failure = CheckOutsideReach(bitmap);
    if (failure.empty() && finishShown)
        failure = CheckShownPicture();
    if (failure.empty())
        failure = CheckAfterAction();
    ResetReach(bitmap);
    return failure;
}

std::string RandomUseTest::CheckImageArea(const std::vector<uint8>& bitmap) const
{
    // Every pixel of the image was computed by the finished render, whatever
    // the bitmap held before, so the reference may start from this bitmap.
    const std::vector<uint8> expected = Reference(*fView->fCalc, bitmap);
    const int32 bytesPerRow = fView->fBitmap->BytesPerRow();
    int64_t wrong = 0;
    std::string first;
    for (int32 y = 0; y < gImageHeight; ++y) {
        for (int32 x = 0; x < gImageWidth; ++x) {
            const size_t at = static_cast<size_t>(y) * bytesPerRow + x;
            if (bitmap[at] == expected[at])
                continue;
            if (wrong++ == 0)
                first = Format("pixel (%d,%d) holds %d where a single-threaded computation "
                               "gives %d",
                               x, y, bitmap[at], expected[at]);
        }
    }
    if (wrong == 0)
        return {};
    return Format("finished %d x %d image: %lld pixels differ; %s", gImageWidth, gImageHeight,
                  static_cast<long long>(wrong), first.c_str());
}

std::string RandomUseTest::CheckOutsideReach(const std::vector<uint8>& bitmap) const
{
    if (fReachSnapshot.empty())
        return {};
    const size_t bytesPerRow = static_cast<size_t>(fView->fBitmap->BytesPerRow());
    for (size_t at = 0; at < bitmap.size(); ++at) {
        const size_t row = at / bytesPerRow;
        const size_t column = at % bytesPerRow;
        if (row < static_cast<size_t>(fReachHeight) && column < static_cast<size_t>(fReachWidth))
            continue;
        if (bitmap[at] != fReachSnapshot[at])
            return Format("byte (%zu,%zu) changed, outside every image size (at most %d x %d) "
                          "since the last checkpoint",
                          column, row, fReachWidth, fReachHeight);
    }
    return {};
}

std::string RandomUseTest::CheckShownPicture()
{
    if (gImageHeight <= kTextBandHeight || gImageWidth <= 0)
        return {};
    const int32 w = gImageWidth - 1;
    const int32 h = gImageHeight - 1 - kTextBandHeight;
    for (int32 x : {0, w / 3, w / 2, 2 * w / 3, w}) {
        for (int32 y : {kTextBandHeight, kTextBandHeight + h / 3, kTextBandHeight + 2 * h / 3,
                        kTextBandHeight + h}) {
            const rgb_color shown = platform_test::ViewPixel(fView, x, y);
            const rgb_color colour = BitmapColour(x, y);
            if (shown.red != colour.red || shown.green != colour.green || shown.blue != colour.blue)
                return Format("the finished picture shows (%d,%d,%d) at (%d,%d), where the "
                              "bitmap's colour is (%d,%d,%d)",
                              shown.red, shown.green, shown.blue, x, y, colour.red, colour.green,
                              colour.blue);
        }
    }
    return {};
}

void RandomUseTest::ExtendReach()
{
    // A render starts at the image size of its moment; within one action the
    // size changes at most once (a resize), and then before its render.
    if (fView->fRenderCount == fReachRenderCount)
        return;
    fReachRenderCount = fView->fRenderCount;
    fReachWidth = std::max(fReachWidth, gImageWidth);
    fReachHeight = std::max(fReachHeight, gImageHeight);
}

void RandomUseTest::ResetReach(const std::vector<uint8>& bitmap)
{
    fReachSnapshot = bitmap;
    fReachWidth = 0;
    fReachHeight = 0;
    fReachRenderCount = fView->fRenderCount;
}

void RandomUseTest::Reopen()
{
    // As a new start of the program: the fixture's own teardown and set-up.
    TearDown();
    SetUp();
    // A new view has a new bitmap: nothing to compare with until the next
    // checkpoint.
    fReachSnapshot.clear();
    fReachRenderCount = fView->fRenderCount;
}
