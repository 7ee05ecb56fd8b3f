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

// A view extent as a pixel count within 0..limit (the fraction dropped; a
// value that is not a number counts as 0).
int32 ImageExtent(float extent, int32 limit)
{
    if (!(extent > 0.0f))
        return 0;
    if (extent >= static_cast<float>(limit))
        return limit;
    return static_cast<int32>(extent);
}

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
    fBitmap = std::make_unique<BBitmap>(
        BRect(0, 0, gImageWidth - 1, gImageHeight - 1), B_CMAP8, false, false);
    std::memset(fBitmap->Bits(), 0, fBitmap->BitsLength());
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
    // The window manager may allow any size; the render never leaves the bitmap.
    gImageWidth = ImageExtent(width, kBitmapWidth);
    gImageHeight = ImageExtent(height, kBitmapHeight);
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
}
