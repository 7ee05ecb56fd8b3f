// The "Lyap controls" window: three sliders and the buffered-update box,
// polled on every pulse rather than sending messages.
#include "ShowBit.h"

#include "Controls.h"
#include "SliderScale.h"
#include "TLyapCalc.h"
#include "Window.h"


namespace {

constexpr float kThumbProportion = 0.1f;
constexpr uint32 kLabelResizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP;

BScrollBar* AddSlider(BWindow* window, BRect frame, const char* name, int32 range)
{
    auto* bar = new BScrollBar(frame, name, nullptr, 0.0f, static_cast<float>(range),
                               B_HORIZONTAL);
    window->AddChild(bar);
    return bar;
}

void AddLabel(BWindow* window, BRect frame, const char* text)
{
    window->AddChild(new BStringView(frame, "hmm", text, kLabelResizingMode, B_WILL_DRAW));
}

void CentreSlider(BScrollBar* bar, int32 range)
{
    bar->SetProportion(kThumbProportion);
    bar->SetValue(static_cast<float>(range / 2));
}

// Exact comparison: the slider keeps whole positions.
bool SliderMoved(const BScrollBar* bar, int32 remembered)
{
    return bar->Value() != static_cast<float>(remembered);
}

} // namespace

void TShowBit::BuildControls()
{
    fSliderRange = 200;
    fControlWindow = new BWindow(BRect(500, 100, 700, 270), "Lyap controls",
                                 B_TITLED_WINDOW, B_NOT_CLOSABLE, B_CURRENT_WORKSPACE);
    fMorphBar = AddSlider(fControlWindow, BRect(10, 50, 190, 64), "scroll21", fSliderRange);
    AddLabel(fControlWindow, BRect(10, 40, 190, 50), "Morph");
    fFirstXBar = AddSlider(fControlWindow, BRect(10, 80, 190, 94), "scroll22", fSliderRange);
    AddLabel(fControlWindow, BRect(10, 70, 190, 80), "First X");
    fContrastBar = AddSlider(fControlWindow, BRect(10, 110, 190, 124), "scroll23", fSliderRange);
    AddLabel(fControlWindow, BRect(10, 100, 190, 110), "Contrast");
    fBufferedBox = new BCheckBox(BRect(10, 140, 190, 150), "buffered", "Buffered update",
                                 nullptr, kLabelResizingMode, B_WILL_DRAW);
    fControlWindow->AddChild(fBufferedBox);
    SyncControls();
    fControlWindow->Show();
}

void TShowBit::SyncControls()
{
    // The sliders belong to the panel window: change them under its lock.
    const bool locked = fControlWindow->Lock();
    CentreSlider(fMorphBar, fSliderRange);
    CentreSlider(fFirstXBar, fSliderRange);
    CentreSlider(fContrastBar, fSliderRange);
    if (locked)
        fControlWindow->Unlock();
}

void TShowBit::ApplyControls()
{
    if (fRendering && fBufferedBox->Value() == 1)
        return;
    const bool morphMoved = SliderMoved(fMorphBar, fMorphPos);
    const bool firstXMoved = SliderMoved(fFirstXBar, fFirstXPos);
    const bool contrastMoved = SliderMoved(fContrastBar, fContrastPos);
    if (!morphMoved && !firstXMoved && !contrastMoved)
        return;

    StopRender();
    if (morphMoved) {
        fMorphPos = static_cast<int32>(fMorphBar->Value());
        fCalc->fMorph = MorphAt(fMorphPos, fSliderRange);
    }
    if (firstXMoved) {
        fFirstXPos = static_cast<int32>(fFirstXBar->Value());
        fCalc->fFirstX = FirstXAt(fFirstXPos, fSliderRange);
    }
    if (contrastMoved) {
        fContrastPos = static_cast<int32>(fContrastBar->Value());
        fCalc->fContrast = ContrastAt(fContrastPos, fSliderRange);
    }
    StartRender();
    fSliderStepOpen = true;
}

void TShowBit::PlaceSliders(int32 morph, int32 firstX, int32 contrast)
{
    const bool locked = fControlWindow->Lock();
    fMorphBar->SetValue(static_cast<float>(morph));
    fFirstXBar->SetValue(static_cast<float>(firstX));
    fContrastBar->SetValue(static_cast<float>(contrast));
    if (locked)
        fControlWindow->Unlock();
    // Where the pulse finds them: it changes nothing until the user moves one.
    fMorphPos = morph;
    fFirstXPos = firstX;
    fContrastPos = contrast;
}
