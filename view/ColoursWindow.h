// The "Colours" window: the chaos grading's contrast on a slider (its left
// end is chaos in one colour), polled by the view's pulse as the control
// panel's sliders are, and on the same scale as their contrast.
#pragma once

#include "HeldWindow.h"

class BScrollBar;

class TColoursWindow : public THeldWindow {
public:
    explicit TColoursWindow(int32 range);
    BScrollBar* ChaosSlider() const { return fChaosSlider; }

private:
    BScrollBar* fChaosSlider;
};
