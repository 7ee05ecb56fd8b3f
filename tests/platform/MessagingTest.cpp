// Messages arrive in posting order; close requests go to QuitRequested.
#include "Application.h"
#include "OS.h"
#include "TestSupport.h"
#include "TestViews.h"

#include <gtest/gtest.h>

#include <algorithm>

using platform_test::ProcessEvents;
using Log = std::vector<std::string>;

namespace {

bool IsWindowAlive(BWindow* window)
{
    const auto windows = platform_test::Windows();
    return std::find(windows.begin(), windows.end(), window) != windows.end();
}

// Posts the code plus one from inside its hook, behind what already waits.
class ChainingWindow : public RecordingWindow {
public:
    using RecordingWindow::RecordingWindow;
    void MessageReceived(BMessage* message) override
    {
        RecordingWindow::MessageReceived(message);
        if (message->what == 1)
            PostMessage(100);
    }
};

TEST(Messaging, MessagesArriveInPostingOrderAfterThoseAlreadyWaiting)
{
    Log log;
    auto* window = new ChainingWindow(BRect(0, 0, 50, 50), 0, &log);
    window->PostMessage(1);
    window->PostMessage(2);
    window->PostMessage(3);
    EXPECT_TRUE(log.empty()); // nothing is delivered inside PostMessage
    ProcessEvents();
    EXPECT_EQ(log, (Log{"1", "2", "3", "100"}));
    delete window;
}

TEST(Messaging, CloseRequestComesAfterWaitingMessagesAndDeletesTheWindowOnYes)
{
    Log log;
    bool deleted = false;
    auto* window = new RecordingWindow(BRect(0, 0, 50, 50), 0, &log, &deleted);
    window->AddChild(new RecordingView(BRect(0, 0, 10, 10), B_FOLLOW_NONE, 0, nullptr));
    window->Show();
    window->allowQuit = false;
    window->PostMessage(7);
    platform_test::ClickCloseBox(window);
    ProcessEvents();
    EXPECT_EQ(log, (Log{"7", "QuitRequested"}));
    EXPECT_FALSE(deleted);

    window->allowQuit = true;
    window->PostMessage(B_QUIT_REQUESTED);
    ProcessEvents();
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(IsWindowAlive(window));
}

TEST(Messaging, WindowWithoutCloseBoxIgnoresTheCloseBox)
{
    Log log;
    auto* window = new RecordingWindow(BRect(0, 0, 50, 50), B_NOT_CLOSABLE, &log);
    window->Show();
    platform_test::ClickCloseBox(window);
    ProcessEvents();
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(window->IsHidden());
    delete window;
}

TEST(Messaging, MessagesForADeletedWindowAreDropped)
{
    Log log;
    auto* window = new RecordingWindow(BRect(0, 0, 50, 50), 0, &log);
    window->PostMessage(5);
    delete window;
    ProcessEvents();
    EXPECT_TRUE(log.empty());
}

TEST(Messaging, ApplicationQuitAsksEveryWindowAndStopsAtARefusal)
{
    Log log;
    bool plainDeleted = false;
    bool panelDeleted = false;
    new RecordingWindow(BRect(0, 0, 50, 50), 0, &log, &plainDeleted); // closed by the quit
    auto* panel = new RecordingWindow(BRect(0, 0, 50, 50), B_NOT_CLOSABLE, &log, &panelDeleted);
    panel->allowQuit = false;
    be_app->PostMessage(B_QUIT_REQUESTED);
    ProcessEvents();
    EXPECT_TRUE(plainDeleted);
    EXPECT_FALSE(panelDeleted);

    panel->allowQuit = true;
    be_app->PostMessage(B_QUIT_REQUESTED);
    ProcessEvents();
    EXPECT_TRUE(panelDeleted);
    EXPECT_EQ(log, (Log{"QuitRequested", "QuitRequested", "QuitRequested"}));
    EXPECT_TRUE(platform_test::Windows().empty());
    EXPECT_EQ(be_app->Run(), find_thread(nullptr)); // the loop has already ended
}

TEST(Messaging, PulsesReachOnlyViewsThatAskForThem)
{
    Log pulsed;
    Log quiet;
    auto* window = new BWindow(BRect(0, 0, 50, 50), "pulse", B_TITLED_WINDOW, 0);
    window->AddChild(new RecordingView(BRect(0, 0, 10, 10), B_FOLLOW_NONE, B_PULSE_NEEDED, &pulsed));
    window->AddChild(new RecordingView(BRect(0, 0, 10, 10), B_FOLLOW_NONE, 0, &quiet));
    window->SetPulseRate(1000);
    window->Show();
    for (int wait = 0; wait < 500 && pulsed.empty(); ++wait)
        ProcessEvents(10);
    EXPECT_FALSE(pulsed.empty());
    EXPECT_TRUE(quiet.empty());
    EXPECT_EQ(window->PulseRate(), 1000);
    delete window;
}

} // namespace
