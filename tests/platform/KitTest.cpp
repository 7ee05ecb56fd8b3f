// The kit where the viewer cannot show it apart: the colour map's
// nearest-entry search, exact inversion, the alert's answers, the window
// close, and threads that wait until resumed and are joined.
#include "Alert.h"
#include "Bitmap.h"
#include "OS.h"
#include "TestSeams.h"
#include "View.h"
#include "Window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <pthread.h>
#include <sys/resource.h>
#include <unistd.h>
#include <string>

using namespace platform_test;

namespace {

int Distance(rgb_color a, int red, int green, int blue)
{
    return (a.red - red) * (a.red - red) + (a.green - green) * (a.green - green)
        + (a.blue - blue) * (a.blue - blue);
}

TEST(ColorMap, IndexForColorIsTheNearestEntryAndTiesGoToTheLowerIndex)
{
    BScreen screen;
    struct Case {
        uint8 red, green, blue, index;
    };
    // White, black, the primaries; 252 nearer red 251 than 255; grey 130
    // nearer 128 than 125; (2,0,0) and (2,2,2) tie black with level 4.
    for (const Case& c : {Case{255, 255, 255, 63}, Case{0, 0, 0, 0}, Case{255, 0, 0, 127},
                          Case{0, 255, 0, 191}, Case{0, 0, 255, 255}, Case{252, 0, 0, 126},
                          Case{3, 0, 0, 65}, Case{0, 3, 0, 129}, Case{128, 128, 128, 32},
                          Case{2, 0, 0, 0}, Case{2, 2, 2, 0}})
        EXPECT_EQ(screen.IndexForColor(c.red, c.green, c.blue), c.index) << int(c.red) << "," << int(c.green);
    // And everywhere else, against the definition, over a grid of the cube.
    for (int red = 0; red < 256; red += 15) {
        for (int green = 0; green < 256; green += 17) {
            for (int blue = 0; blue < 256; blue += 13) {
                int best = 0;
                for (int index = 1; index < 256; ++index) {
                    if (Distance(screen.ColorForIndex(uint8(index)), red, green, blue)
                        < Distance(screen.ColorForIndex(uint8(best)), red, green, blue))
                        best = index;
                }
                ASSERT_EQ(screen.IndexForColor(uint8(red), uint8(green), uint8(blue)), best)
                    << red << "," << green << "," << blue;
            }
        }
    }
}

TEST(Drawing, InvertedOutlinesCoverBothEdgesAndUndoThemselvesExactly)
{
    auto* window = new BWindow(BRect(0, 0, 120, 100), "drawing", B_TITLED_WINDOW, 0);
    auto* view = new BView(BRect(0, 0, 120, 100), "view", B_FOLLOW_ALL_SIDES, B_WILL_DRAW);
    window->AddChild(view);
    BBitmap bitmap(BRect(0, 0, 119, 99), B_CMAP8);
    auto* bits = static_cast<uint8*>(bitmap.Bits());
    for (int32 i = 0; i < bitmap.BitsLength(); ++i)
        bits[i] = static_cast<uint8>(i * 7 % 251);
    view->DrawBitmap(&bitmap, BPoint(0, 0));
    std::vector<rgb_color> before;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 120; ++x)
            before.push_back(ViewPixel(view, x, y));
    const auto inverted = [&](int x, int y) {
        const rgb_color was = before[static_cast<size_t>(y * 120 + x)];
        const rgb_color now = ViewPixel(view, x, y);
        return now.red == 255 - was.red && now.green == 255 - was.green && now.blue == 255 - was.blue;
    };
    view->SetDrawingMode(B_OP_INVERT);
    view->StrokeRect(BRect(5, 5, 8, 7));
    for (int x = 4; x <= 9; ++x) {
        for (int y = 4; y <= 8; ++y) {
            const bool onOutline = x >= 5 && x <= 8 && y >= 5 && y <= 7 && (x == 5 || x == 8 || y == 5 || y == 7);
            EXPECT_EQ(inverted(x, y), onOutline) << x << "," << y;
        }
    }
    const BRect more[] = {BRect(20, 30, 20, 30), BRect(5, 40, 90, 40), BRect(-5, -5, 200, 200)};
    for (const BRect& r : more)
        view->StrokeRect(r);
    view->StrokeRect(BRect(5, 5, 8, 7));
    for (const BRect& r : more)
        view->StrokeRect(r);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 120; ++x)
            ASSERT_EQ(ViewPixel(view, x, y), before[static_cast<size_t>(y * 120 + x)]) << x << "," << y;
    delete window;
}

TEST(Alert, ReturnsTheButtonClickedOrTheOneWhoseShortcutIsEscape)
{
    struct Case {
        int32 shortcutIndex, answer, chosen;
    };
    for (const Case& c : {Case{0, -1, 0}, Case{1, -1, 1}, Case{1, 2, 2}, Case{-1, 0, 0}}) {
        auto* alert = new BAlert("Info", "Choose", "Left", "Middle", "Right");
        alert->SetShortcut(c.shortcutIndex, 0x1B);
        AnswerNextAlert(c.answer);
        EXPECT_EQ(alert->Go(), c.chosen) << c.shortcutIndex << "," << c.answer; // Go deletes it
    }
}

// Polls the pointer until the buttons are up, as a drag does.
class DragView : public BView {
public:
    DragView() : BView(BRect(0, 0, 50, 50), "drag", B_FOLLOW_NONE, B_PULSE_NEEDED) {}
    void Pulse() override { log += "pulse "; }
    void MouseDown(BPoint) override
    {
        log += "down ";
        BPoint where;
        for (uint32 buttons = 1; buttons != 0; snooze(5000))
            GetMouse(&where, &buttons);
        log += "up ";
    }
    std::string log;
};

TEST(Hooks, PulsesFallingDueDuringADragAreDroppedNotRunInsideIt)
{
    auto* window = new BWindow(BRect(0, 0, 50, 50), "drag", B_TITLED_WINDOW, 0);
    auto* view = new DragView;
    window->AddChild(view);
    window->SetPulseRate(1000);
    window->Show();
    User().Script(view, std::vector<MouseStep>(10, {BPoint(5, 5), B_PRIMARY_MOUSE_BUTTON}));
    ProcessEvents();
    EXPECT_NE(view->log.find("down up"), std::string::npos) << view->log;
    delete window;
}

class ClosingWindow : public BWindow {
public:
    ClosingWindow(uint32 flags, std::string* log, bool agree)
        : BWindow(BRect(0, 0, 50, 50), "closing", B_TITLED_WINDOW, flags), fAgree(agree), fLog(log) {}
    void MessageReceived(BMessage* message) override { *fLog += std::to_string(message->what) + " "; }
    bool QuitRequested() override
    {
        *fLog += "quit? ";
        return fAgree;
    }
    bool fAgree;

private:
    std::string* fLog;
};

bool IsOpen(BWindow* window)
{
    const std::vector<BWindow*> windows = Windows();
    return std::find(windows.begin(), windows.end(), window) != windows.end();
}

TEST(Close, CloseBoxAsksAfterWaitingMessagesAndOnlyAYesDeletes)
{
    std::string log;
    auto* window = new ClosingWindow(0, &log, false);
    auto* panel = new ClosingWindow(B_NOT_CLOSABLE, &log, true);
    window->Show();
    panel->Show();
    window->PostMessage(7);
    ClickCloseBox(window);
    ClickCloseBox(panel); // it has no close box
    ProcessEvents();
    EXPECT_EQ(log, "7 quit? ");
    EXPECT_TRUE(IsOpen(window));
    EXPECT_TRUE(IsOpen(panel));
    window->fAgree = true;
    window->PostMessage(B_QUIT_REQUESTED);
    window->PostMessage(8); // dropped with the window
    ProcessEvents();
    EXPECT_EQ(log, "7 quit? quit? ");
    EXPECT_FALSE(IsOpen(window));
    delete panel;
}

struct Probe {
    std::atomic<bool> ran{false};
    std::atomic<thread_id> seenId{0};
    std::atomic<int> niceness{-100};
    char name[16] = {};
};

int32 RecordAndReturnSeven(void* data)
{
    auto* probe = static_cast<Probe*>(data);
    probe->seenId = find_thread(nullptr);
    pthread_getname_np(pthread_self(), probe->name, sizeof(probe->name));
    probe->niceness = getpriority(PRIO_PROCESS, static_cast<id_t>(gettid()));
    probe->ran = true;
    return 7;
}

TEST(Threads, ThreadRunsOnlyAfterResumeAndIsJoinedByWait)
{
    Probe probe;
    const thread_id id = spawn_thread(RecordAndReturnSeven, "lcalc1", B_LOW_PRIORITY, &probe);
    ASSERT_GT(id, 0);
    snooze(20000);
    EXPECT_FALSE(probe.ran);
    EXPECT_EQ(resume_thread(id), B_OK);
    status_t result = 0;
    EXPECT_EQ(wait_for_thread(id, &result), B_OK);
    EXPECT_EQ(result, 7);
    EXPECT_EQ(probe.seenId.load(), id);
    EXPECT_STREQ(probe.name, "lcalc1");
    EXPECT_EQ(probe.niceness.load(), 10); // low priority: nice 10
    EXPECT_EQ(wait_for_thread(id, &result), B_BAD_THREAD_ID); // already joined
    EXPECT_EQ(resume_thread(id), B_BAD_THREAD_ID);
}

TEST(Threads, EveryThreadIsGoneOnceWaitedForResumedOrNot)
{
    // The first thread may bring the runtime's helpers along: count after it.
    Probe warmUp;
    ASSERT_EQ(wait_for_thread(spawn_thread(RecordAndReturnSeven, "warm-up", B_LOW_PRIORITY, &warmUp), nullptr), B_OK);
    const int32 before = platform_test::LiveThreadCount();
    Probe probes[8];
    thread_id ids[8];
    for (int i = 0; i < 8; ++i) {
        ids[i] = spawn_thread(RecordAndReturnSeven, "worker", B_LOW_PRIORITY, &probes[i]);
        ASSERT_GT(ids[i], 0);
        if (i % 2 == 0)
            resume_thread(ids[i]);
    }
    for (thread_id id : ids)
        EXPECT_EQ(wait_for_thread(id, nullptr), B_OK);
    for (const Probe& probe : probes)
        EXPECT_TRUE(probe.ran); // waiting for a thread never resumed starts it
    // A joined thread's last exit steps may still be under way in the kernel.
    for (int wait = 0; wait < 100 && platform_test::LiveThreadCount() != before; ++wait)
        snooze(10000);
    EXPECT_EQ(platform_test::LiveThreadCount(), before);
}

} // namespace
