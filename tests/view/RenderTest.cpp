// Renders through the worker pool: the finished image, the white left
// column of a render under way, resizes and threads that fail to start.
#include "ViewerFixture.h"

#include "RenderWorkers.h"

#include <chrono>
#include <iostream>

namespace {

// Points away from the selection text, which is drawn along the top edge.
const std::vector<BPoint> kSamplePoints = {{5, 20}, {100, 100}, {191, 250}, {383, 383},
                                           {300, 40}, {20, 370}};

} // namespace

TEST_F(ViewerTest, FinishedRenderEqualsSingleThreadedComputation)
{
    WaitForRender();
    const std::vector<uint8> reference = Reference(*fView->fCalc, BitmapBytes());
    EXPECT_EQ(BitmapBytes(), reference);
    for (int32 i = 0; i < gWorkerCount; ++i)
        EXPECT_EQ(gWorkerStatus[i].load(), -1) << i;
}

TEST_F(ViewerTest, FinishPulseShowsTheFinishedImage)
{
    WaitForRender();
    for (BPoint p : kSamplePoints) {
        EXPECT_EQ(platform_test::ViewPixel(fView, p.x, p.y), BitmapColour(p.x, p.y))
            << p.x << "," << p.y;
    }
}

TEST_F(ViewerTest, NewRenderMarksUnreachedRowsWhiteAtTheLeftEdgeOnly)
{
    WaitForRender();
    const std::vector<uint8> before = BitmapBytes();
    const int32 bytesPerRow = fView->fBitmap->BytesPerRow();
    // Held and stopped: the bottom rows are not reached.
    HoldRenders();
    fView->SetIterations(512);
    fView->StopRender();
    ReleaseRenders();
    const uint8 white = WhiteIndex();
    EXPECT_EQ(BitmapByte(0, 383), white);
    for (int32 x = 1; x < 384; ++x)
        ASSERT_EQ(BitmapByte(x, 383), before[383 * bytesPerRow + x]) << x;
    // Each row's first pixel is either not reached (white) or recomputed.
    const std::vector<uint8> recomputed = Reference(*fView->fCalc, before);
    for (int32 y = 0; y < 384; ++y) {
        const uint8 left = BitmapByte(0, y);
        EXPECT_TRUE(left == white || left == recomputed[y * bytesPerRow]) << y;
    }
}

TEST_F(ViewerTest, StopWhileIdleForgetsThreadsAndSendsNoStop)
{
    WaitForRender();
    EXPECT_GT(gWorkerThreads[0], 0);
    fView->StopRender();
    for (int32 i = 0; i < gWorkerCount; ++i)
        EXPECT_EQ(gWorkerThreads[i], -1) << i;
    EXPECT_EQ(fView->fCalc->fState.load(), TLyapCalc::kNoRequest);
    EXPECT_FALSE(fView->fRendering);
}

TEST_F(ViewerTest, RestartWhileRenderingDoesNothing)
{
    fView->SetIterations(512);
    const int32 renders = fView->fRenderCount;
    fView->RestartRender();
    EXPECT_EQ(fView->fRenderCount, renders);
    fView->StopRender();
    fView->RestartRender();
    EXPECT_EQ(fView->fRenderCount, renders + 1);
}

TEST_F(ViewerTest, ShrinkingTheWindowRendersOnlyTheUpperLeftPart)
{
    WaitForRender();
    // What the workers leave outside the new size is the old picture.
    const std::vector<uint8> before = BitmapBytes();
    const BRect bar = MenuBar()->Bounds();
    const int32 renders = fView->fRenderCount;
    fWindow->ResizeTo(200, bar.bottom - bar.top + 1 + 150);
    platform_test::ProcessEvents();
    EXPECT_EQ(fView->fRenderCount, renders + 1);
    EXPECT_EQ(gImageWidth, static_cast<int32>(fView->Bounds().Width()));
    EXPECT_EQ(gImageHeight, static_cast<int32>(fView->Bounds().Height()));
    EXPECT_LT(gImageWidth, 384);
    EXPECT_LT(gImageHeight, 384);
    WaitForRender();
    TLyapCalc params = *fView->fCalc;
    EXPECT_EQ(params.fWidth, gImageWidth);
    EXPECT_EQ(params.fHeight, gImageHeight);
    const std::vector<uint8> reference = Reference(params, before);
    EXPECT_EQ(BitmapBytes(), reference);
}

TEST_F(ViewerTest, ImageSizeNeverExceedsTheBitmap)
{
    WaitForRender();
    fView->FrameResized(1000.0f, 500.5f);
    EXPECT_EQ(gImageWidth, 384);
    EXPECT_EQ(gImageHeight, 384);
    WaitForRender();
    fView->FrameResized(-3.0f, 99.9f);
    EXPECT_EQ(gImageWidth, 0);
    EXPECT_EQ(gImageHeight, 99);
    WaitForRender();
}

TEST_F(ViewerTest, RenderCompletesWhenAWorkerThreadFailsToStart)
{
    if (gWorkerCount < 2)
        GTEST_SKIP() << "needs a second worker to take the rows";
    WaitForRender();
    platform_test::FailNextSpawns(1);
    fView->SetIterations(64);
    EXPECT_LE(gWorkerThreads[0], 0);
    WaitForRender();
    EXPECT_EQ(BitmapBytes(), Reference(*fView->fCalc, BitmapBytes()));
    for (int32 i = 0; i < gWorkerCount; ++i)
        EXPECT_FALSE(gUnclaimedShare[i].load()) << i;
}

TEST_F(ViewerTest, RenderCompletesWhenNoWorkerThreadStarts)
{
    WaitForRender();
    platform_test::FailNextSpawns(gWorkerCount);
    fView->SetIterations(32);
    for (int32 i = 0; i < gWorkerCount; ++i)
        EXPECT_LE(gWorkerThreads[i], 0) << i;
    platform_test::DeliverPulse(fWindow);
    EXPECT_FALSE(fView->fRendering);
    EXPECT_EQ(BitmapBytes(), Reference(*fView->fCalc, BitmapBytes()));
}

TEST_F(ViewerTest, StopEndsARenderWithAFailedWorker)
{
    WaitForRender();
    platform_test::FailNextSpawns(1);
    fView->SetIterations(512);
    fView->StopRender();
    EXPECT_FALSE(fView->fRendering);
    EXPECT_FALSE(AnyWorkerRunning());
    for (int32 i = 0; i < gWorkerCount; ++i)
        EXPECT_FALSE(gUnclaimedShare[i].load()) << i;
    // And the next render is whole again.
    fView->Refresh();
    WaitForRender();
    EXPECT_EQ(BitmapBytes(), Reference(*fView->fCalc, BitmapBytes()));
}

// Not a timing test: it prints what it measures and checks only outcomes.
TEST_F(ViewerTest, MeasureFirstImageAndStopTimes)
{
    using Clock = std::chrono::steady_clock;
    TearDown();
    const auto opened = Clock::now();
    SetUp();
    WaitForRender();
    const auto firstImage = Clock::now() - opened;

    Clock::duration longestStop{};
    for (int32 count : {512, 384, 256, 128}) {
        fView->SetIterations(count);
        const auto start = Clock::now();
        fView->StopRender();
        longestStop = std::max(longestStop, Clock::now() - start);
        EXPECT_FALSE(AnyWorkerRunning());
    }
    using std::chrono::duration_cast;
    using std::chrono::microseconds;
    std::cout << "[measure] first finished image after "
              << duration_cast<microseconds>(firstImage).count() << " us; longest StopRender "
              << duration_cast<microseconds>(longestStop).count() << " us over "
              << gWorkerCount << " workers\n";
    RecordProperty("first_image_us",
                   static_cast<int>(duration_cast<microseconds>(firstImage).count()));
    RecordProperty("longest_stop_us",
                   static_cast<int>(duration_cast<microseconds>(longestStop).count()));
}

TEST_F(ViewerTest, WindowSizeStaysWithinItsLimits)
{
    const BRect bar = MenuBar()->Bounds();
    const float menuBarHeight = bar.bottom - bar.top;
    fWindow->ResizeTo(1000, 1000);
    platform_test::ProcessEvents();
    EXPECT_LE(fWindow->Bounds().Width(), 384.0f);
    EXPECT_LE(fWindow->Bounds().Height(), menuBarHeight + 385.0f);
    EXPECT_EQ(gImageWidth, 384);
    fWindow->ResizeTo(10, 10);
    platform_test::ProcessEvents();
    EXPECT_GE(fWindow->Bounds().Width(), 80.0f);
    EXPECT_GE(fWindow->Bounds().Height(), 100.0f);
    WaitForRender();
}
