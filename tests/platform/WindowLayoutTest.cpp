// Windows place their views by resizing mode and keep to their size limits.
#include "Menu.h"
#include "TestSupport.h"
#include "TestViews.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32 kViewFlags = B_WILL_DRAW | B_FRAME_EVENTS;

// The main window's construction: menu bar, then the view below it, then the
// size limits and the resize to the full image.
TEST(WindowLayout, MainWindowGivesItsViewExactly384By384)
{
    auto* window = new BWindow(BRect(100, 100, 288, 288), "main", B_TITLED_WINDOW,
                               B_WILL_ACCEPT_FIRST_CLICK);
    window->Lock();
    auto* bar = new BMenuBar(BRect(0, 0, 1000, 15), "MB", 0x1214, B_ITEMS_IN_ROW, true);
    auto* menu = new BMenu("File", B_ITEMS_IN_COLUMN);
    menu->AddItem(new BMenuItem("About", new BMessage(0x2000)));
    bar->AddItem(menu);
    window->AddChild(bar);
    const float menuHeight = bar->Bounds().Height();
    EXPECT_GT(menuHeight, 5.0f);
    EXPECT_LT(menuHeight, 100.0f);

    auto* view = new RecordingView(BRect(0, menuHeight + 1, 188, 188), 0x20001234,
                                   kViewFlags | B_PULSE_NEEDED, nullptr);
    window->AddChild(view);
    window->SetSizeLimits(80, 384, 100, menuHeight + 384 + 1);
    window->ResizeTo(384, menuHeight + 384 + 1);

    EXPECT_EQ(view->lastResize, BPoint(384, 384));
    EXPECT_EQ(view->Bounds(), BRect(0, 0, 384, 384));
    EXPECT_EQ(view->Frame(), BRect(0, menuHeight + 1, 384, menuHeight + 385));
    EXPECT_EQ(bar->Bounds().Width(), 384.0f);
    EXPECT_EQ(bar->Bounds().Height(), menuHeight);
    EXPECT_EQ(window->Frame(), BRect(100, 100, 484, 100 + menuHeight + 385));
    window->Unlock();
    delete window;
}

TEST(WindowLayout, SizeLimitsBoundEveryResize)
{
    auto* window = new BWindow(BRect(0, 0, 200, 200), "limits", B_TITLED_WINDOW, 0);
    auto* view = new RecordingView(BRect(0, 0, 200, 200), B_FOLLOW_ALL_SIDES, kViewFlags, nullptr);
    window->AddChild(view);
    window->SetSizeLimits(80, 384, 100, 300);

    window->ResizeTo(1000, 1000);
    EXPECT_EQ(window->Bounds(), BRect(0, 0, 384, 300));
    EXPECT_EQ(view->lastResize, BPoint(384, 300));

    window->ResizeTo(10, 10);
    EXPECT_EQ(window->Bounds(), BRect(0, 0, 80, 100));
    EXPECT_EQ(view->lastResize, BPoint(80, 100));
    delete window;
}

// Growing the window by (50, 30): each edge follows the window edge its
// nibble names.
TEST(WindowLayout, ResizingModesMoveEachEdgeWithTheWindowEdgeItFollows)
{
    std::vector<std::string> log;
    auto* window = new BWindow(BRect(0, 0, 200, 100), "modes", B_TITLED_WINDOW, 0);
    auto* fixed = new RecordingView(BRect(10, 10, 50, 40), B_FOLLOW_LEFT | B_FOLLOW_TOP, kViewFlags, &log);
    auto* stretched = new RecordingView(BRect(10, 10, 50, 40), B_FOLLOW_ALL_SIDES, kViewFlags, nullptr);
    auto* bar = new RecordingView(BRect(0, 0, 200, 8), 0x1214, kViewFlags, nullptr);
    auto* corner = new RecordingView(BRect(150, 60, 190, 90), 0x3434, kViewFlags, &log);
    auto* silent = new RecordingView(BRect(0, 50, 100, 60), B_FOLLOW_ALL_SIDES, B_WILL_DRAW, &log);
    for (BView* view : {static_cast<BView*>(fixed), static_cast<BView*>(stretched),
                        static_cast<BView*>(bar), static_cast<BView*>(corner), static_cast<BView*>(silent)})
        window->AddChild(view);

    window->ResizeTo(250, 130);

    EXPECT_EQ(fixed->Frame(), BRect(10, 10, 50, 40));
    EXPECT_EQ(stretched->Frame(), BRect(10, 10, 100, 70));
    EXPECT_EQ(stretched->lastResize, BPoint(90, 60));
    EXPECT_EQ(bar->Frame(), BRect(0, 0, 250, 8));
    EXPECT_EQ(bar->lastResize, BPoint(250, 8));
    EXPECT_EQ(corner->Frame(), BRect(200, 90, 240, 120));
    EXPECT_EQ(silent->Frame(), BRect(0, 50, 150, 90));
    // Neither a view that only moved nor one without frame events hears of it.
    EXPECT_TRUE(log.empty());
    delete window;
}

TEST(WindowLayout, FrameIsTheContentAreaAndDeletingTheWindowDeletesItsViews)
{
    auto* window = new BWindow(BRect(30, 40, 130, 90), "frame", B_TITLED_WINDOW, 0);
    EXPECT_EQ(window->Frame(), BRect(30, 40, 130, 90));
    EXPECT_EQ(window->Bounds(), BRect(0, 0, 100, 50));
    EXPECT_TRUE(window->IsHidden());
    window->AddChild(new RecordingView(BRect(0, 0, 10, 10), B_FOLLOW_NONE, 0, nullptr));
    window->AddChild(new RecordingView(BRect(0, 0, 10, 10), B_FOLLOW_NONE, 0, nullptr));
    EXPECT_EQ(window->CountChildren(), 2);
    EXPECT_EQ(window->ChildAt(0)->Window(), window);

    const size_t before = platform_test::Windows().size();
    delete window; // the address sanitizer sees to the views
    EXPECT_EQ(platform_test::Windows().size(), before - 1);
}

} // namespace
