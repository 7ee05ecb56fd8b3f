// Views and windows that record what the layer calls on them.
#pragma once

#include "Window.h"
#include "View.h"

#include <string>
#include <vector>

// Keeps a log of hooks in the order they ran.
class RecordingView : public BView {
public:
    RecordingView(BRect frame, uint32 resizingMode, uint32 flags, std::vector<std::string>* log)
        : BView(frame, "recorder", resizingMode, flags), fLog(log)
    {
    }

    void Draw(BRect) override { Record("Draw"); }
    void Pulse() override { Record("Pulse"); }
    void FrameResized(float width, float height) override
    {
        lastResize = BPoint(width, height);
        Record("FrameResized");
    }

    BPoint lastResize{-1.0f, -1.0f};

protected:
    void Record(const std::string& what)
    {
        if (fLog != nullptr)
            fLog->push_back(what);
    }

private:
    std::vector<std::string>* fLog;
};

// Logs every message and close request; answers close requests with
// `allowQuit`; reports its deletion.
class RecordingWindow : public BWindow {
public:
    RecordingWindow(BRect frame, uint32 flags, std::vector<std::string>* log, bool* deleted = nullptr)
        : BWindow(frame, "recording", B_TITLED_WINDOW, flags), fLog(log), fDeleted(deleted)
    {
    }
    ~RecordingWindow() override
    {
        if (fDeleted != nullptr)
            *fDeleted = true;
    }

    void MessageReceived(BMessage* message) override
    {
        fLog->push_back(std::to_string(message->what));
    }
    bool QuitRequested() override
    {
        fLog->push_back("QuitRequested");
        return allowQuit;
    }

    bool allowQuit = true;

private:
    std::vector<std::string>* fLog;
    bool* fDeleted;
};
