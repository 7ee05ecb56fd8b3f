// What GUI tests need to play the user and the clock: used by tests only.
#pragma once

#include "Rect.h"
#include "Screen.h"
#include "SupportDefs.h"

#include <vector>

class BView;
class BWindow;

namespace platform_test {

// Runs queued messages and events until none is waiting (or `maxMs` passes).
void ProcessEvents(int maxMs = 0);

// Runs one pulse of `window` now, as its timer would.
void DeliverPulse(BWindow* window);

// What the close box does: B_QUIT_REQUESTED to the window.
void ClickCloseBox(BWindow* window);

// The windows alive now, in creation order.
std::vector<BWindow*> Windows();

// Holds these modifier keys until called again (0 releases them).
void SetModifiers(uint32 modifiers);

// A pointer script for a view: a press at the first point, moves through the
// others and a release at the last; GetMouse reads it step by step. The press
// itself is delivered to MouseDown by the event loop.
struct MouseStep {
    BPoint where;
    uint32 buttons;
};
void ScriptMouse(BView* view, const std::vector<MouseStep>& steps);

// A pixel of what the view shows (its backing image), in view coordinates.
rgb_color ViewPixel(BView* view, int32 x, int32 y);

// A pixel of what the window shows on screen, in its content coordinates:
// the views' images and the Qt controls over the window's background.
rgb_color WindowPixel(BWindow* window, int32 x, int32 y);

// Makes the next `count` spawn_thread calls fail, as an exhausted system would.
void FailNextSpawns(int32 count);

// Threads of this process alive now.
int32 LiveThreadCount();

// Answers the next alert as the user would, as soon as it is up: clicks the
// button of this index, or presses Escape for -1.
void AnswerNextAlert(int32 buttonIndex);

} // namespace platform_test
