// Plays the window system for GUI tests: runs queued events and pulses,
// clicks the close box, presses the mouse, answers alerts and reads pixels.
#pragma once

#include "Rect.h"
#include "Screen.h"
#include "SupportDefs.h"

#include <vector>

class BView;
class BWindow;

namespace platform_test {

// Runs queued messages and events until none is waiting.
void ProcessEvents();
// Runs one pulse of `window` now, as its timer would.
void DeliverPulse(BWindow* window);
// B_QUIT_REQUESTED to the window, as its close box sends it.
void ClickCloseBox(BWindow* window);
// The windows alive now, in creation order.
std::vector<BWindow*> Windows();
bool IsOpen(BWindow* window);
// Queues a press of `buttons` at `where` (view coordinates) for the view.
void PostPress(BView* view, BPoint where, uint32 buttons);
// Answers the next alert as soon as it is up: clicks the button of this
// index, or presses Escape for -1.
void AnswerNextAlert(int32 buttonIndex);
// A pixel of what the view shows (its backing image), in view coordinates.
rgb_color ViewPixel(BView* view, int32 x, int32 y);

} // namespace platform_test
