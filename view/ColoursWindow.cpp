#include "ColoursWindow.h"

#include "Controls.h"

TColoursWindow::TColoursWindow(int32 range) : THeldWindow(BRect(500, 300, 700, 370), "Colours")
{
    AddChild(new BStringView(BRect(10, 10, 190, 20), "label", "Chaos contrast"));
    fChaosSlider = new BScrollBar(BRect(10, 20, 190, 34), "chaos", nullptr, 0.0f, static_cast<float>(range),
                                  B_HORIZONTAL);
    fChaosSlider->SetProportion(0.1f);
    AddChild(fChaosSlider);
}
