// Closing the main window, during a render and while idle.
#include "ViewerFixture.h"

#include "RenderWorkers.h"

#include <algorithm>

namespace {

bool IsOpen(BWindow* window)
{
    const std::vector<BWindow*> windows = platform_test::Windows();
    return std::find(windows.begin(), windows.end(), window) != windows.end();
}

} // namespace

TEST_F(ViewerTest, CloseDuringARenderStopsFirstAndClosesOnTheSecondPass)
{
    fView->SetIterations(512);
    ASSERT_TRUE(fView->fRendering);
    // First pass, as the platform makes it: the render stops, the window stays.
    EXPECT_FALSE(fWindow->QuitRequested());
    EXPECT_FALSE(fView->fRendering);
    EXPECT_FALSE(AnyWorkerRunning());
    EXPECT_TRUE(IsOpen(fWindow));
    // The re-posted request comes back: the window closes and the
    // application quits, taking the control panel with it.
    platform_test::ProcessEvents();
    EXPECT_FALSE(IsOpen(fWindow));
    EXPECT_FALSE(IsOpen(fPanel));
    EXPECT_TRUE(platform_test::Windows().empty());
}

TEST_F(ViewerTest, CloseBoxDuringARenderEndsEverything)
{
    fView->SetIterations(512);
    platform_test::ClickCloseBox(fWindow);
    platform_test::ProcessEvents();
    EXPECT_TRUE(platform_test::Windows().empty());
    for (int32 i = 0; i < gWorkerCount; ++i)
        EXPECT_EQ(gWorkerThreads[i], -1) << i;
}

TEST_F(ViewerTest, CloseWhileIdleQuitsAtOnce)
{
    WaitForRender();
    platform_test::ClickCloseBox(fWindow);
    platform_test::ProcessEvents();
    EXPECT_TRUE(platform_test::Windows().empty());
}
