// The image fitted to the window: the bitmaps grow with the view, up to the
// screen's size in device pixels, and come back to 384 x 384 when the image
// is no longer fitted.
#include "ShowBit.h"

#include "Screen.h"
#include "TLyapCalc.h"

#include <algorithm>
#include <cstring>

namespace {

// Beyond any screen's pixels: what a fitted image is never larger than.
constexpr int32 kLargestScreenSide = 1 << 15;

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

void TShowBit::MakeBitmaps(int32 width, int32 height)
{
    fBitmap = std::make_unique<BBitmap>(BRect(0, 0, width - 1, height - 1), B_CMAP8, false, false);
    std::memset(fBitmap->Bits(), 0, fBitmap->BitsLength());
    // Made at the new size when a render first needs it.
    fTrueColourBitmap.reset();
}

void TShowBit::SizeImage(float width, float height)
{
    const BRect bitmap = fBitmap->Bounds();
    int32 limitWidth = static_cast<int32>(bitmap.Width()) + 1;
    int32 limitHeight = static_cast<int32>(bitmap.Height()) + 1;
    if (fFitsWindow) {
        const BRect screen = BScreen(Window()).Frame();
        limitWidth = std::max(kBitmapWidth, ImageExtent(screen.Width() * PixelsPerPoint(), kLargestScreenSide));
        limitHeight = std::max(kBitmapHeight, ImageExtent(screen.Height() * PixelsPerPoint(), kLargestScreenSide));
    }
    // The window manager may allow any size; the render never leaves the bitmap.
    gImageWidth = ImageExtent(width, limitWidth);
    gImageHeight = ImageExtent(height, limitHeight);
    if (gImageWidth > bitmap.Width() + 1 || gImageHeight > bitmap.Height() + 1) {
        StopRender();
        MakeBitmaps(std::max(gImageWidth, static_cast<int32>(bitmap.Width()) + 1),
                    std::max(gImageHeight, static_cast<int32>(bitmap.Height()) + 1));
    }
}

void TShowBit::SetFitToWindow(bool on)
{
    if (on == fFitsWindow)
        return;
    StopRender();
    fFitsWindow = on;
    fCalc->fPictureRows = on;
    SetDevicePixels(on);
    if (!on)
        MakeBitmaps(kBitmapWidth, kBitmapHeight);
    // The view's size in its new pixels.
    FrameResized(Bounds().Width(), Bounds().Height());
}

