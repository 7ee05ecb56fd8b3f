// The "Point" window: what the render computed for the image pixel under the
// pointer (or the one pinned): its rates, exponent and colour value, and a
// plot of its orbit with the running estimate of the exponent.
#pragma once

#include "HeldWindow.h"
#include "LyapPointProbe.h"

#include <array>
#include <string>

class BStringView;
class TOrbitPlot;

// P, in this window or the main one, pins the point shown or lets it go;
// Ctrl+C here copies it. Both go to the window the point's image is in.
constexpr uint32 kPinPointCommand = 0x50494e50;  // 'PINP'
constexpr uint32 kCopyPointCommand = 0x43505054; // 'CPPT'

class TPointWindow : public THeldWindow {
public:
    explicit TPointWindow(BLooper* target);
    void MessageReceived(BMessage* message) override;

    // Shows pixel (x, y) and what was computed for it.
    void ShowPoint(int32 x, int32 y, const LyapPointInfo& info, bool pinned);

private:
    BLooper* fTarget;
    std::array<BStringView*, 6> fLines;
    TOrbitPlot* fPlot;
};

// The lines Ctrl+C copies: a=, b=, exponent= and colour-value=, each
// number written as the parameter text writes it, so it reads back the same.
std::string PointText(const LyapPointInfo& info);
