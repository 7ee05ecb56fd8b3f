#include "Application.h"

#include "AppQuit.h"
#include "Dispatch.h"
#include "MouseState.h"
#include "OS.h"
#include "Window.h"
#include "WindowImpl.h"

#include <QApplication>


using namespace platform_detail;

BApplication* be_app = nullptr;

namespace {

// QApplication keeps references to these for its whole life.
int gArgc = 1;
char gProgramName[] = "ombrelia";
char* gArgv[] = {gProgramName, nullptr};

// Set once the application has agreed to quit: Run returns at once then.
bool gQuitting = false;

} // namespace

struct BApplication::AppImpl {
    std::unique_ptr<QApplication> qtApp;
};

void platform_detail::QuitApplication(BApplication* application)
{
    if (!RunHook(application, [&] { return application->QuitRequested(); }))
        return;
    const std::vector<BWindow*> windows = AllWindows();
    for (BWindow* window : windows) {
        if (!IsLiveWindow(window))
            continue;
        if (!RunHook(window, [&] { return window->QuitRequested(); }))
            return; // the quit is abandoned, as the window asked
        delete window;
    }
    gQuitting = true;
    QCoreApplication::exit(0);
}

// The signature names the program to the system; nothing here asks for it.
BApplication::BApplication(const char*) : fAppImpl(std::make_unique<AppImpl>())
{
    fAppImpl->qtApp = std::make_unique<QApplication>(gArgc, gArgv);
    QApplication::setQuitOnLastWindowClosed(false);
    InstallMouseRecorder();
    gQuitting = false;
    be_app = this;
}

BApplication::~BApplication()
{
    const std::vector<BWindow*> windows = AllWindows();
    for (BWindow* window : windows)
        delete window;
    be_app = nullptr;
    fAppImpl->qtApp.reset();
}

thread_id BApplication::Run()
{
    if (!gQuitting)
        QApplication::exec();
    return find_thread(nullptr);
}
