// What B_QUIT_REQUESTED does to a window and to the application (private).
#pragma once

class BApplication;
class BWindow;

namespace platform_detail {

// Asks the window; if it agrees it closes and is deleted with its views.
void QuitWindow(BWindow* window);

// Asks the application and then every remaining window; if all agree, the
// windows are deleted and the application's message loop ends.
void QuitApplication(BApplication* application);

} // namespace platform_detail
