// The kit where the viewer cannot show it apart: the colour map's
// nearest-entry search, 32-bit bitmaps, pulses during a drag, the window
// close, and threads that wait until resumed and are joined. (The viewer
// shows the rest: exact inversion through its selection band, the alert
// through About, submenus, text fields and buttons through its colours and
// its Values window.)
#include "Bitmap.h"
#include "OS.h"
#include "TestSeams.h"
#include "View.h"
#include "Window.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

using namespace platform_test;

namespace {

TEST(ColorMap, IndexForColorIsTheNearestEntryAndTiesGoToTheLowerIndex)
{
    BScreen screen;
    // Red, green, blue and the index: white, black, the primaries; 252
    // nearer red 251 than 255; grey 130 nearer 128 than 125; (2,0,0) and
    // (2,2,2) tie black with level 4.
    using Case = std::array<uint8, 4>;
    for (const auto& [red, green, blue, index] : {Case{255, 255, 255, 63}, {0, 0, 0, 0}, {255, 0, 0, 127}, {0, 255, 0, 191},
                                                  {0, 0, 255, 255}, {252, 0, 0, 126}, {3, 0, 0, 65}, {0, 3, 0, 129},
                                                  {128, 128, 128, 32}, {2, 0, 0, 0}, {2, 2, 2, 0}})
        EXPECT_EQ(screen.IndexForColor(red, green, blue), index) << int(red) << "," << int(green);
    // Ramp levels are rounded: grey level 12 is 12 x 255 / 63 = 48.57.
    EXPECT_EQ(ScreenColor(12).red, 49);
}

// Logs what reaches it: messages, pulses, close requests, and a press that
// polls the pointer until the buttons are up, as a drag does.
class LogView : public BView {
public:
    explicit LogView(std::string* log) : BView(BRect(0, 0, 50, 50), "log", B_FOLLOW_NONE, B_PULSE_NEEDED), fLog(log) {}
    void Pulse() override { *fLog += "pulse "; }
    void MouseDown(BPoint) override
    {
        *fLog += "down ";
        BPoint where;
        for (uint32 buttons = 1; buttons != 0; snooze(5000))
            GetMouse(&where, &buttons);
        *fLog += "up ";
    }
    std::string* fLog;
};

class LogWindow : public BWindow {
public:
    LogWindow(std::string* log, bool agree)
        : BWindow(BRect(0, 0, 50, 50), "log", B_TITLED_WINDOW, 0), fView(new LogView(log)), fAgree(agree), fLog(log)
    {
        AddChild(fView);
        SetPulseRate(0); // until a test asks for pulses
        Show();
    }
    void MessageReceived(BMessage* message) override { *fLog += std::to_string(message->what) + " "; }
    bool QuitRequested() override { *fLog += "quit? "; return fAgree; }
    LogView* fView;
    bool fAgree;
    std::string* fLog;
};

TEST(Window, PulsesFallingDueDuringADragAreDroppedNotRunInsideIt)
{
    std::string log;
    auto* window = new LogWindow(&log, true);
    window->SetPulseRate(1000);
    User().Script(window->fView, std::vector<MouseStep>(10, {BPoint(5, 5), B_PRIMARY_MOUSE_BUTTON}));
    ProcessEvents();
    EXPECT_NE(log.find("down up"), std::string::npos) << log;
    delete window;
}

TEST(Window, CloseBoxAsksAfterWaitingMessagesAndOnlyAYesDeletes)
{
    std::string log;
    auto* window = new LogWindow(&log, false);
    window->PostMessage(7);
    ClickCloseBox(window);
    ProcessEvents();
    EXPECT_EQ(log, "7 quit? ");
    EXPECT_TRUE(IsOpen(window));
    window->fAgree = true;
    window->PostMessage(B_QUIT_REQUESTED);
    window->PostMessage(8); // dropped with the window
    ProcessEvents();
    EXPECT_EQ(log, "7 quit? quit? ");
    EXPECT_FALSE(IsOpen(window));
}

// Alpha 0 is shown opaque; inverting flips red, green and blue.
TEST(Bitmap, Rgb32PixelsShowTheirOwnColourAndInvertExactly)
{
    std::string log;
    LogWindow window(&log, true);
    BBitmap bitmap(BRect(0, 0, 2, 0), B_RGB32);
    const std::array<uint32, 3> pixels{0x00123456, 0xff0000ff, 0x80ff8000}; // 0xAARRGGBB
    std::ranges::copy(pixels, static_cast<uint32*>(bitmap.Bits()));
    ProcessEvents(); // shown on screen
    for (const uint32 flip : {0u, 0xffffffu}) { // copied, then inverted
        window.fView->SetDrawingMode(flip == 0 ? B_OP_COPY : B_OP_INVERT);
        window.fView->DrawBitmap(&bitmap, BPoint(0, 0));
        window.fView->Flush();
        for (int32 x = 0; x < 3; ++x)
            EXPECT_EQ(ViewPixel(window.fView, x, 0), (rgb_color{uint8((pixels[x] ^ flip) >> 16), uint8((pixels[x] ^ flip) >> 8), uint8(pixels[x] ^ flip), 255})) << x;
    }
}

struct Probe {
    std::atomic<bool> ran{false};
    std::atomic<thread_id> seenId{0};
    std::atomic<int> niceness{-100};
};

int32 RecordAndReturnSeven(void* data)
{
    auto* probe = static_cast<Probe*>(data);
    probe->seenId = find_thread(nullptr);
    probe->niceness = getpriority(PRIO_PROCESS, static_cast<id_t>(gettid()));
    probe->ran = true;
    return 7;
}

TEST(Threads, ThreadsRunOnlyOnceResumedOrWaitedForAndAreJoined)
{
    Probe probes[8];
    thread_id ids[8];
    for (int i = 0; i < 8; ++i)
        ASSERT_GT(ids[i] = spawn_thread(RecordAndReturnSeven, "lcalc1", B_LOW_PRIORITY, &probes[i]), 0);
    const auto sleepStart = std::chrono::steady_clock::now();
    snooze(20000);
    EXPECT_GE(std::chrono::steady_clock::now() - sleepStart, std::chrono::microseconds(20000));
    for (int i = 0; i < 8; ++i) // the even ones resumed
        EXPECT_TRUE(!probes[i].ran && (i % 2 == 1 || resume_thread(ids[i]) == B_OK)) << i;
    for (int i = 0; i < 8; ++i) { // waiting for a thread never resumed starts it
        status_t result = 0;
        EXPECT_EQ(wait_for_thread(ids[i], &result), B_OK);
        EXPECT_TRUE(probes[i].ran && result == 7 && probes[i].seenId.load() == ids[i]) << i;
        EXPECT_EQ(probes[i].niceness.load(), 10); // low priority: nice 10
        EXPECT_EQ(wait_for_thread(ids[i], &result), B_BAD_THREAD_ID); // already joined
        EXPECT_EQ(resume_thread(ids[i]), B_BAD_THREAD_ID);
    }
}

} // namespace
