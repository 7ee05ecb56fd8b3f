// How the layer runs the program's hooks on the one GUI thread (private).
//
// Every hook (MessageReceived, QuitRequested, Draw, MouseDown, Pulse,
// FrameResized) runs through RunHook: its looper locked, one at a time. While
// a hook runs, or blocks in a nested event loop (GetMouse polling the mouse, an
// alert waiting for its answer), Qt may deliver events; those only record the
// mouse and repaint from the views' backing images. Everything that would run
// program code is deferred until the outermost hook has returned, except a
// pulse, which is dropped so that pulses are never replayed in a burst.
#pragma once

#include "Looper.h"

#include <functional>

class BWindow;

namespace platform_detail {

// True while a hook, or a blocking wait inside one, is on the stack.
bool InHook();

// Marks the scope as "inside a hook" without locking anything: used around
// nested event loops (mouse polling, alerts).
class HookScope {
public:
    HookScope();
    ~HookScope();
    HookScope(const HookScope&) = delete;
    HookScope& operator=(const HookScope&) = delete;
};

// Locks `looper` and marks a hook as running for the scope's life; on leaving,
// a window's views show what the hook drew.
class HookCall {
public:
    explicit HookCall(BLooper* looper);
    ~HookCall();
    HookCall(const HookCall&) = delete;
    HookCall& operator=(const HookCall&) = delete;

private:
    BLooper* fLooper;
    HookScope fScope;
};

template <typename Hook>
auto RunHook(BLooper* looper, Hook&& hook)
{
    HookCall call(looper);
    return hook();
}

// Runs `action` now, or once no hook is running any more.
void DispatchOrDefer(std::function<void()> action);

// Queues `action` on the GUI thread's event loop (any thread may call this).
void PostToGui(std::function<void()> action);

// Shows what the views of `window` drew since their last flush.
void FlushWindowViews(BWindow* window);

} // namespace platform_detail
