// A top-level window holding child views.
#pragma once

#include "Looper.h"
#include "Rect.h"

#include <memory>

class BMessage;
class BView;

using window_type = int32;
constexpr window_type B_TITLED_WINDOW = 1; // title tab, border, close box, resizable

// Window flags.
constexpr uint32 B_NOT_CLOSABLE = 0x00000020;
constexpr uint32 B_WILL_ACCEPT_FIRST_CLICK = 0x00000010;

constexpr uint32 B_CURRENT_WORKSPACE = 0;

class BWindow : public BLooper {
public:
    // A hidden window; `frame` is its content area in screen coordinates,
    // right - left pixels wide and bottom - top high (as for views, View.h).
    // B_NOT_CLOSABLE: no close box, and closing by other means is refused.
    // Every window accepts the first click into it when inactive.
    BWindow(BRect frame, const char* title, window_type type, uint32 flags,
            uint32 workspace = B_CURRENT_WORKSPACE);
    // Deletes the child views.
    ~BWindow() override;

    void AddChild(BView* view);
    int32 CountChildren() const;
    BView* ChildAt(int32 index) const;

    // Widths and heights are pixel counts of the content area. Views follow
    // a new size as their resizing modes say; a view whose size changed and
    // that has B_FRAME_EVENTS gets FrameResized before ResizeTo returns (for
    // a resize by the user, as soon as no hook runs).
    void SetSizeLimits(float minWidth, float maxWidth, float minHeight, float maxHeight);
    void ResizeTo(float width, float height);
    // The content area fills the whole screen, without a frame (the size
    // limits must allow the screen's size), or comes back to where and how
    // big it was. The views follow as for any resize.
    void SetFullScreen(bool on);
    bool IsFullScreen() const;

    // Every view that asked for pulses gets Pulse at this rate once the
    // window is shown. A pulse that falls due while a hook runs is dropped.
    void SetPulseRate(bigtime_t microseconds);

    // Show and Hide do not nest: one Show undoes any number of Hides. A
    // hidden window gets no pulses. Every window starts hidden.
    void Show();
    void Hide();
    bool IsHidden() const;

    // While the window is active, `key` with these modifier keys
    // (B_COMMAND_KEY is Ctrl, B_OPTION_KEY Alt; none at all is the key
    // alone) posts the message's command to the window. `key` is a
    // character or one of InterfaceDefs.h's keys (B_LEFT_ARROW...).
    // Takes the message.
    void AddShortcut(uint32 key, uint32 modifiers, BMessage* message);

    bool IsFront() const;
    void Activate(bool active = true);
    // Does the pending redraws before it returns.
    void UpdateIfNeeded();

    struct WindowImpl;
    WindowImpl& Impl() const;

private:
    std::unique_ptr<WindowImpl> fWindowImpl;
};
