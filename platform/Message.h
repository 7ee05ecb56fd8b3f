// A message carries a bare command code.
#pragma once

#include "SupportDefs.h"

// Asks a looper to quit: a window's QuitRequested, or the application's end.
constexpr uint32 B_QUIT_REQUESTED = 0x5f515549; // '_QRQ'

class BMessage {
public:
    explicit BMessage(uint32 command) : what(command) {}
    uint32 what;
};
