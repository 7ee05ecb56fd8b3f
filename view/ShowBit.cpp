// The view's life, drawing, pulse and resize.
#include "ShowBit.h"

#include "Controls.h"
#include "RenderWorkers.h"
#include "TLyapCalc.h"

#include <cstring>

int32 gImageWidth = kBitmapWidth;
int32 gImageHeight = kBitmapHeight;

namespace {

constexpr uint32 kShowBitFlags = B_WILL_DRAW | B_PULSE_NEEDED | B_FRAME_EVENTS;

} // namespace

TShowBit::TShowBit(BRect frame, uint32 resizingMode)
    : BView(frame, "", resizingMode, kShowBitFlags),
      fRendering(false),
      fIterations(kLyapDefaultIterations),
      fCalc(nullptr),
      fSelection(kNoSelection, kNoSelection, kNoSelection, kNoSelection),
      fControlWindow(nullptr), fMorphBar(nullptr), fFirstXBar(nullptr),
      fContrastBar(nullptr), fBufferedBox(nullptr),
      // The middle: the sliders start there, so the first pulse changes nothing.
      fMorphPos(100), fFirstXPos(100), fContrastPos(100), fSliderRange(200),
      fPalette(0), fSliderStepOpen(false)
{
    fCalc = SetUpWorkerPool();
    // A new view starts at full size, whatever an earlier one was resized to.
    gImageWidth = kBitmapWidth;
    gImageHeight = kBitmapHeight;
    MakeBitmaps(gImageWidth, gImageHeight);
    // Palette 0 ends with the first render.
    ApplyPalette(0);
    BuildControls();
    NoteChange();
}

TShowBit::~TShowBit()
{
    LetWindowsGo();
    StopRender();
    TearDownWorkerPool();
    fCalc = nullptr;
}

void TShowBit::Draw(BRect)
{
    DrawBitmap(ShownBitmap(), BPoint(0, 0));
}

void TShowBit::FrameResized(float width, float height)
{
    SizeImage(width, height);
    StartRender();
}

void TShowBit::ShowImage()
{
    Draw(Bounds());
    DrawString(SelectionText().c_str());
}

void TShowBit::Pulse()
{
    if (fRendering) {
        if (fBufferedBox->Value() != 1)
            ShowImage();
        if (fCalc->fType == 1 && !AnyWorkerRunning()) {
            fRendering = false;
            ShowImage();
        }
    }
    ApplyControls();
    ApplyChaosSlider();
    NoteReleasedSlider();
    FollowPointer();
}
