// The entry function: display priority, the application, the main window,
// the message loop. A file named as the one argument (as a file manager's
// "Open with" names it) is opened after the start, as a file dropped on the
// window is; any further arguments are ignored.
#include "Application.h"
#include "MainWindow.h"
#include "Message.h"
#include "OS.h"

int main(int argc, char** argv)
{
    set_thread_priority(find_thread(nullptr), B_DISPLAY_PRIORITY);
    auto* app = new BApplication(kAppSignature);
    TMainWindow* window = OpenMainWindow();
    if (argc > 1) {
        BMessage open(B_SIMPLE_DATA);
        const entry_ref file{argv[1]};
        open.AddRef("refs", &file);
        window->PostMessage(&open);
    }
    app->Run();
    delete app;
    return 0;
}
