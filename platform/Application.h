// The application object: the message loop of the main thread.
#pragma once

#include "Looper.h"

class BApplication : public BLooper {
public:
    explicit BApplication(const char* signature);
    ~BApplication() override;

    // Runs the message loop; returns once the application has quit (on
    // B_QUIT_REQUESTED it closes its remaining windows and ends the loop).
    thread_id Run();

private:
    struct AppImpl;
    std::unique_ptr<AppImpl> fAppImpl;
};

extern BApplication* be_app;
