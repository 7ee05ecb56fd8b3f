// The entry function: display priority, the application, the main window,
// the message loop. Arguments are ignored.
#include "Application.h"
#include "MainWindow.h"
#include "OS.h"

int main(int, char**)
{
    set_thread_priority(find_thread(nullptr), B_DISPLAY_PRIORITY);
    auto* app = new BApplication(kAppSignature);
    OpenMainWindow();
    app->Run();
    delete app;
    return 0;
}
