// A window of the view's that the user may close: closing hides it, so that
// it opens again as it was. The view lets it go when the view goes, and the
// window then goes with the application.
#pragma once

#include "Window.h"

class THeldWindow : public BWindow {
public:
    THeldWindow(BRect frame, const char* title) : BWindow(frame, title, B_TITLED_WINDOW, 0) {}

    bool QuitRequested() override
    {
        if (fHeld)
            Hide();
        return !fHeld;
    }
    void LetGo() { fHeld = false; }

private:
    bool fHeld = true;
};
