// The system clipboard: lock it, clear it, add data to its message, commit.
// Only text ("text/plain", B_MIME_TYPE) reaches the window system.
#pragma once

#include "Message.h"

#include <mutex>

class BClipboard {
public:
    explicit BClipboard(const char* name);

    bool Lock();
    void Unlock();
    // Empties Data().
    status_t Clear();
    // Hands Data()'s "text/plain" entry to the window system's clipboard.
    status_t Commit();
    // Valid while locked.
    BMessage* Data();

private:
    std::mutex fLock;
    BMessage fData;
};

extern BClipboard* be_clipboard;
