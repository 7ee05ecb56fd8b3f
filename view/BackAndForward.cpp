// Going back and forward among the places the explorer has been.
#include "ShowBit.h"

#include "Controls.h"
#include "TLyapCalc.h"

namespace {

int32 SliderPosition(const BScrollBar* bar)
{
    return static_cast<int32>(bar->Value());
}

} // namespace

// Read from what the render last started draws, not from fCalc, which the
// first worker's pass uses meanwhile.
ExploredPlace TShowBit::CurrentPlace() const
{
    ExploredPlace place;
    place.picture = fShownPicture;
    place.morphSlopeX = fCalc->fMorphSlopeX;
    place.morphSlopeY = fCalc->fMorphSlopeY;
    place.firstXSlopeX = fCalc->fFirstXSlopeX;
    place.firstXSlopeY = fCalc->fFirstXSlopeY;
    place.morphPosition = SliderPosition(fMorphBar);
    place.firstXPosition = SliderPosition(fFirstXBar);
    place.contrastPosition = SliderPosition(fContrastBar);
    return place;
}

void TShowBit::ShowPlace(const ExploredPlace& place)
{
    StopRender();
    fCalc->SetParameters(place.picture.fractal);
    fLook = place.picture;
    fCalc->fMorphSlopeX = place.morphSlopeX;
    fCalc->fMorphSlopeY = place.morphSlopeY;
    fCalc->fFirstXSlopeX = place.firstXSlopeX;
    fCalc->fFirstXSlopeY = place.firstXSlopeY;
    fIterations = place.picture.fractal.iterations;
    PlaceSliders(place.morphPosition, place.firstXPosition, place.contrastPosition);
    fSliderStepOpen = false;
    ClearSelection();
    // Starts the render.
    ApplyPalette(PaletteIndex(place.picture.palette));
}

void TShowBit::NoteChange()
{
    fHistory.Record(CurrentPlace());
}

void TShowBit::NoteReleasedSlider()
{
    if (!fSliderStepOpen)
        return;
    BPoint pointer;
    uint32 buttons = 0;
    GetMouse(&pointer, &buttons, false);
    if (buttons == 0)
        NoteSliderStep();
}

void TShowBit::NoteSliderStep()
{
    if (!fSliderStepOpen)
        return;
    fSliderStepOpen = false;
    NoteChange();
}

// A slider moved but not yet noted is a step of its own: one to come back
// to, and a change that drops the steps ahead.
bool TShowBit::ShowStep(std::optional<ExploredPlace> (PlaceHistory::*step)())
{
    NoteSliderStep();
    const std::optional<ExploredPlace> place = (fHistory.*step)();
    if (place)
        ShowPlace(*place);
    return place.has_value();
}

bool TShowBit::GoBack()
{
    return ShowStep(&PlaceHistory::Back);
}

bool TShowBit::GoForward()
{
    return ShowStep(&PlaceHistory::Forward);
}
