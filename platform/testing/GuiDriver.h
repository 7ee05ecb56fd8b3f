// Plays the window system and the user for GUI tests, and reads what the
// user sees: runs queued events and pulses, clicks the close box, a control
// or a menu item, presses the mouse, answers alerts and the file panel, and
// reads menus and pixels as Qt shows them.
#pragma once

#include "Rect.h"
#include "Screen.h"
#include "SupportDefs.h"

#include <string>
#include <vector>

class BView;
class BWindow;

namespace platform_test {

// Runs queued messages and events until a round of the event loop finds
// none to deliver.
void ProcessEvents();
// Runs one pulse of `window` now, as its timer would.
void DeliverPulse(BWindow* window);
// B_QUIT_REQUESTED to the window, as its close box sends it.
void ClickCloseBox(BWindow* window);
// The windows alive now, in creation order.
std::vector<BWindow*> Windows();
bool IsOpen(BWindow* window);
// The view's top left corner in its window.
BPoint ViewOrigin(const BView& view);

// The items of the window's menu of this title, as shown: labels in order,
// a checked one followed by "*", a separator as "|", a submenu's item as its
// label, ">" and its own items in braces, e.g.
// "Palette1* Palette2 | classic Chaos>{Palette1* fire}".
std::string ShownMenu(BWindow* window, const char* menuTitle);
// The user's choice of an item, "Chaos>fire" for item fire of submenu Chaos
// (a disabled item does nothing); false when the menu has no such item.
bool ChooseMenuItem(BWindow* window, const char* menuTitle, const char* label);
// A click on the view's button (a check box, a BButton).
void Click(BView* control);
// Replaces the text field's text (a BTextControl's) as typing over all of
// it would, and leaves the focus there; a final "\n" presses Return there.
void TypeText(BView* textControl, const std::string& text);
// Queues a press of `buttons` at `where` (view coordinates) for the view.
void PostPress(BView* view, BPoint where, uint32 buttons);

// Answers the next alert as soon as it is up: clicks the button of this
// index, or presses Escape for -1 and Return for -2; its text goes to `shownText`.
void AnswerNextAlert(int32 buttonIndex, std::string* shownText = nullptr);
// Cancels the next file panel as soon as it is up; the name its name field
// showed goes to `shownName`.
void CancelNextFilePanel(std::string* shownName);

// A pixel of the view as its window shows it on screen (what was last
// painted, not what the view drew since), in view coordinates; alpha 0
// outside the view.
rgb_color ViewPixel(BView* view, int32 x, int32 y);
// The colour the screen shows for an 8-bit image's byte.
rgb_color ScreenColor(uint8 index);

} // namespace platform_test
