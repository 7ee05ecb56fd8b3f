// Where the layer meets the user and the system, as replaceable parts: the
// keys held, the pointer that GetMouse reports, and the creation of threads.
// The program keeps the real ones, which ask the window system and POSIX.
// A test program installs its own before it opens a window, to play the user
// and a system that refuses threads; no Qt type appears here, so such a part
// needs no Qt.
#pragma once

#include "Rect.h"
#include "SupportDefs.h"

#include <pthread.h>

class BView;

namespace platform_seam {

class UserInput {
public:
    virtual ~UserInput() = default;
    // The modifier keys held now (B_SHIFT_KEY, ...).
    virtual uint32 Modifiers() = 0;
    // Asked by GetMouse once the queued input has been delivered: the
    // pointer in `view`'s coordinates and the mask of buttons held.
    virtual void Pointer(const BView& view, BPoint* where, uint32* buttons) = 0;
};

// pthread_create's contract: 0, or an error number and no thread.
using ThreadCreator = int (*)(pthread_t* handle, void* (*entry)(void*), void* argument);

// Each installs its part (`input` is not owned) and returns the one in use.
UserInput* SetUserInput(UserInput* input);
ThreadCreator SetThreadCreator(ThreadCreator creator);

UserInput& CurrentUserInput();

} // namespace platform_seam
