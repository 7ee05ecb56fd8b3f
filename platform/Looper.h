// A looper receives queued messages. In this layer every looper's
// handlers run on the one GUI thread, one at a time.
#pragma once

#include "Message.h"
#include "SupportDefs.h"

#include <memory>

class BLooper {
public:
    BLooper();
    virtual ~BLooper();
    BLooper(const BLooper&) = delete;
    BLooper& operator=(const BLooper&) = delete;

    // Queues `command` behind the messages already waiting; it is delivered
    // later to MessageReceived, or to QuitRequested for B_QUIT_REQUESTED.
    status_t PostMessage(uint32 command);
    // The same for a message with entries; the looper gets a copy.
    status_t PostMessage(BMessage* message);

    // A recursive lock: hooks run with their looper locked, and the GUI
    // thread may lock a looper that it already holds.
    bool Lock();
    void Unlock();

    virtual void MessageReceived(BMessage* message);
    // True lets the looper quit; the default agrees.
    virtual bool QuitRequested();

    struct Impl;

protected:
    Impl& LooperImpl() const;

private:
    std::unique_ptr<Impl> fLooperImpl;
};
