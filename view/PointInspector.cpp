// The view's side of the "Point" window: which pixel it shows (the one under
// the pointer, or the one pinned) and what the render computed there. Looked
// at on the pulse only while the window is open, so that it costs a render
// nothing while closed.
#include "ShowBit.h"

#include "Clipboard.h"
#include "PointWindow.h"
#include "RenderWorkers.h"
#include "TLyapCalc.h"

#include <algorithm>
#include <cmath>

void TShowBit::ShowPointWindow()
{
    if (fPointWindow == nullptr)
        fPointWindow = new TPointWindow(Window());
    if (fPointWindow->IsHidden())
        fPointWindow->Show();
    fPointWindow->Activate();
    fProbedRender = -1;
    FollowPointer();
}

// The row step whose rates the image's rows took.
int32 TShowBit::RowStep() const
{
    return OwnColours() || fFitsWindow ? kLyapMaxPasses : gWorkerCount;
}

void TShowBit::FollowPointer()
{
    if (fPointWindow == nullptr || fPointWindow->IsHidden())
        return;
    if (!fPinned) {
        BPoint where;
        uint32 buttons = 0;
        GetMouse(&where, &buttons, false);
        const auto x = static_cast<int32>(std::floor(where.x));
        const auto y = static_cast<int32>(std::floor(where.y));
        if (x >= 0 && y >= 0 && x < gImageWidth && y < gImageHeight)
            fPointPixel = BPoint(static_cast<float>(x), static_cast<float>(y));
    }
    if (fPointPixel.x < 0 || gImageWidth < 1 || gImageHeight < 1)
        return;
    // A smaller image since the pin: its nearest pixel.
    const int32 x = std::min(static_cast<int32>(fPointPixel.x), gImageWidth - 1);
    const int32 y = std::min(static_cast<int32>(fPointPixel.y), gImageHeight - 1);
    if (fProbedRender == fRenderCount && BPoint(static_cast<float>(x), static_cast<float>(y)) == fProbedPixel)
        return;
    fProbedRender = fRenderCount;
    fProbedPixel = BPoint(static_cast<float>(x), static_cast<float>(y));
    fPointInfo = ProbeLyapPoint(*fCalc, RowStep(), x, y);
    if (fPointWindow->Lock()) {
        fPointWindow->ShowPoint(x, y, fPointInfo, fPinned);
        fPointWindow->Unlock();
    }
}

void TShowBit::TogglePin()
{
    if (fPointWindow == nullptr || fPointWindow->IsHidden())
        return;
    if (!fPinned)
        FollowPointer();
    fPinned = !fPinned && fPointPixel.x >= 0;
    fProbedRender = -1;
    FollowPointer();
}

void TShowBit::CopyPoint()
{
    if (fProbedRender < 0 || !be_clipboard->Lock())
        return;
    const std::string text = PointText(fPointInfo);
    be_clipboard->Clear();
    be_clipboard->Data()->AddData("text/plain", B_MIME_TYPE, text.data(), text.size());
    be_clipboard->Commit();
    be_clipboard->Unlock();
}
