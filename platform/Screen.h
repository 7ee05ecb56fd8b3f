// The screen and its fixed 256-entry colour map: four 64-step ramps (grey,
// red, green, blue), level i of each being round(i x 255 / 63). 8-bit images
// are shown through this same map.
#pragma once

#include "Rect.h"
#include "SupportDefs.h"

class BWindow;

struct rgb_color {
    uint8 red;
    uint8 green;
    uint8 blue;
    uint8 alpha;
    bool operator==(const rgb_color&) const = default;
};

class BScreen {
public:
    // The screen of `window`, or the main screen without one.
    explicit BScreen(BWindow* window = nullptr);
    ~BScreen();

    // Index of the nearest map entry by squared RGB distance; ties go to
    // the lower index.
    uint8 IndexForColor(uint8 red, uint8 green, uint8 blue, uint8 alpha = 255);
    // The whole screen in window coordinates (points): right - left points
    // wide and bottom - top high, as a window's frame.
    BRect Frame() const;

private:
    BWindow* fWindow;
};
