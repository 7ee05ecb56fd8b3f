// GetMouse inside MouseDown follows a press, moves and release, while no
// other hook of the program runs.
#include "OS.h"
#include "TestSupport.h"
#include "TestViews.h"

#include <gtest/gtest.h>

#include <algorithm>

using platform_test::MouseStep;
using Log = std::vector<std::string>;

namespace {

struct Poll {
    BPoint where;
    uint32 buttons;
    bool operator==(const Poll&) const = default;
};

// Tracks the pointer the way a rubber-band drag does: poll, draw, sleep.
class DragView : public RecordingView {
public:
    DragView(BRect frame, Log* log)
        : RecordingView(frame, B_FOLLOW_ALL_SIDES, B_WILL_DRAW | B_PULSE_NEEDED, log)
    {
    }

    void MouseDown(BPoint where) override
    {
        Record("MouseDown");
        pressedAt = where;
        Window()->PostMessage(42);
        platform_test::DeliverPulse(Window()); // falls due during the drag
        SetDrawingMode(B_OP_INVERT);
        Poll poll{};
        do {
            GetMouse(&poll.where, &poll.buttons, true);
            polls.push_back(poll);
            StrokeRect(BRect(5, 5, 20, 20));
            Flush();
            snooze(3000);
        } while (poll.buttons != 0 && polls.size() < 100);
        SetDrawingMode(B_OP_COPY);
        Record("MouseDone");
    }

    BPoint pressedAt{-1, -1};
    std::vector<Poll> polls;
};

class LoggingWindow : public BWindow {
public:
    LoggingWindow(Log* log) : BWindow(BRect(50, 50, 250, 250), "drag", B_TITLED_WINDOW, 0), fLog(log) {}
    void MessageReceived(BMessage* message) override { fLog->push_back(std::to_string(message->what)); }

private:
    Log* fLog;
};

TEST(Mouse, GetMouseFollowsAScriptedDragWhileOtherHooksWait)
{
    Log log;
    auto* window = new LoggingWindow(&log);
    auto* view = new DragView(BRect(0, 0, 200, 200), &log);
    window->AddChild(view);
    window->SetPulseRate(1000);
    window->Show();
    platform_test::ProcessEvents();
    log.clear();

    platform_test::ScriptMouse(view, {MouseStep{BPoint(10, 10), B_PRIMARY_MOUSE_BUTTON},
                                      MouseStep{BPoint(20, 25), B_PRIMARY_MOUSE_BUTTON},
                                      MouseStep{BPoint(-5, 400), B_PRIMARY_MOUSE_BUTTON},
                                      MouseStep{BPoint(30, 30), 0}});
    for (int wait = 0; wait < 200 && std::find(log.begin(), log.end(), "42") == log.end(); ++wait)
        platform_test::ProcessEvents(5);

    EXPECT_EQ(view->pressedAt, BPoint(10, 10));
    const std::vector<Poll> expected{{BPoint(20, 25), B_PRIMARY_MOUSE_BUTTON},
                                     {BPoint(-5, 400), B_PRIMARY_MOUSE_BUTTON},
                                     {BPoint(30, 30), 0}};
    EXPECT_EQ(view->polls, expected);
    // Nothing ran inside the drag; the message posted in it came after it.
    auto pulseAt = std::find(log.begin(), log.end(), "Pulse");
    auto doneAt = std::find(log.begin(), log.end(), "MouseDone");
    ASSERT_NE(doneAt, log.end());
    EXPECT_EQ(*(doneAt - 1), "MouseDown");
    EXPECT_GT(pulseAt, doneAt);
    EXPECT_NE(std::find(doneAt, log.end(), "42"), log.end());

    // An odd number of inverted outlines stays on screen.
    EXPECT_EQ(platform_test::ViewPixel(view, 5, 5), (rgb_color{0, 0, 0, 255}));

    // With every button up, a poll outside a drag reports no button.
    BPoint where;
    uint32 buttons = 99;
    view->GetMouse(&where, &buttons);
    EXPECT_EQ(buttons, 0u);
    EXPECT_EQ(where, BPoint(30, 30));
    delete window;
}

// Presses that it does not track, as a Shift-click.
class ClickView : public BView {
public:
    ClickView(BRect frame) : BView(frame, "click", B_FOLLOW_ALL_SIDES, B_WILL_DRAW) {}
    void MouseDown(BPoint where) override { presses.push_back(where); }
    std::vector<BPoint> presses;
};

TEST(Mouse, ButtonIsUpAfterAClickThatWasNotTracked)
{
    auto* window = new BWindow(BRect(50, 50, 250, 250), "click", B_TITLED_WINDOW, 0);
    auto* view = new ClickView(BRect(0, 0, 100, 200));
    auto* neighbour = new ClickView(BRect(100, 0, 200, 200));
    window->AddChild(view);
    window->AddChild(neighbour);
    window->Show();
    platform_test::ScriptMouse(view, {MouseStep{BPoint(7, 8), B_PRIMARY_MOUSE_BUTTON},
                                      MouseStep{BPoint(7, 8), 0}});
    platform_test::ProcessEvents();
    EXPECT_EQ(view->presses, std::vector<BPoint>{BPoint(7, 8)});
    // Polled from another view, which has no script of its own.
    BPoint where;
    uint32 buttons = 99;
    neighbour->GetMouse(&where, &buttons);
    EXPECT_EQ(buttons, 0u);
    EXPECT_EQ(where, BPoint(-93, 8));
    delete window;
}

} // namespace
