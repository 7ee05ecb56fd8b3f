// The mouse in the image: a drag selects a square to zoom into, a press with
// Shift held zooms out.
#include "ShowBit.h"

#include "InterfaceDefs.h"
#include "OS.h"
#include "TLyapCalc.h"
#include "Window.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

constexpr double kZoomOutFactor = 2.0;
// The zoom hands the selection's columns over this many pixels further right.
constexpr float kZoomColumnOffset = 5.0f;
constexpr float kMinZoomHeight = 4.0f;
constexpr float kMinSelectionExtent = 5.0f;
constexpr bigtime_t kMousePollInterval = 20000;
constexpr BPoint kSelectionTextPosition(50.0f, 50.0f);

bool IsEmptySelection(BRect r)
{
    return r == BRect(kNoSelection, kNoSelection, kNoSelection, kNoSelection);
}

// The square follows the anchor's diagonal: toward the lower right while the
// pointer is below the anchor, toward the upper left otherwise.
int32 DiagonalStep(int32 dx, int32 dy)
{
    return dy > 0 ? std::max(dx, dy) : std::min(dx, dy);
}

// Into 0 .. extent - 1, the upper bound first, so an empty extent gives 0.
int32 ClampIntoExtent(int32 v, int32 extent)
{
    if (v > extent - 1)
        v = extent - 1;
    if (v < 0)
        v = 0;
    return v;
}

} // namespace

void TShowBit::MouseDown(BPoint where)
{
    BWindow* window = Window();
    if (window != nullptr && !window->IsFront()) {
        window->Activate(true);
        window->UpdateIfNeeded();
    }
    if (fRendering)
        return;
    if ((modifiers() & B_SHIFT_KEY) != 0) {
        fCalc->ZoomOut(kZoomOutFactor);
        Refresh();
        return;
    }
    TrackSelection(static_cast<int32>(where.x), static_cast<int32>(where.y));
    if (fSelection.Height() < kMinZoomHeight)
        return;
    ZoomInto(fSelection);
    DrawSelectionText();
    Refresh();
}

void TShowBit::ZoomInto(BRect selection)
{
    fCalc->SetZoomStart(static_cast<int32>(selection.left + kZoomColumnOffset),
                        static_cast<int32>(selection.top));
    fCalc->SetZoomEnd(static_cast<int32>(selection.right + kZoomColumnOffset),
                      static_cast<int32>(selection.bottom));
}

void TShowBit::DrawSelectionText()
{
    MovePenTo(kSelectionTextPosition);
    DrawString(SelectionText().c_str());
}

void TShowBit::StrokeBand(BRect r)
{
    StrokeRect(ClampRect(r), B_SOLID_HIGH);
}

void TShowBit::TrackSelection(int32 x, int32 y)
{
    ClampPoint(x, y);
    BRect current(x, y, x, y);
    BRect previous = fSelection;
    SetDrawingMode(B_OP_INVERT);
    uint32 buttons = 0;
    do {
        BPoint pointer;
        GetMouse(&pointer, &buttons, true);
        const int32 d = DiagonalStep(static_cast<int32>(pointer.x) - x,
                                     static_cast<int32>(pointer.y) - y);
        int32 cornerX = x + d;
        int32 cornerY = y + d;
        ClampPoint(cornerX, cornerY);
        current.right = cornerX;
        current.bottom = cornerY;
        if (current != previous) {
            // In invert mode the second outline erases the old band.
            StrokeBand(current);
            if (!IsEmptySelection(previous))
                StrokeBand(previous);
            previous = current;
            Flush();
        }
        snooze(kMousePollInterval);
    } while (buttons != 0);

    fSelection = ClampRect(current);
    if (!SelectionLargeEnough()) {
        StrokeRect(fSelection, B_SOLID_HIGH);
        ClearSelection();
    }
    SetDrawingMode(B_OP_COPY);
}

BRect TShowBit::ClampRect(BRect r) const
{
    if (r.bottom < r.top)
        std::swap(r.top, r.bottom);
    if (r.left > r.right)
        std::swap(r.left, r.right);
    r.top = ClampRow(static_cast<int32>(r.top));
    r.left = ClampColumn(static_cast<int32>(r.left));
    r.bottom = ClampRow(static_cast<int32>(r.bottom));
    r.right = ClampColumn(static_cast<int32>(r.right));
    return r;
}

void TShowBit::ClampPoint(int32& x, int32& y) const
{
    x = ClampColumn(x);
    y = ClampRow(y);
}

int32 TShowBit::ClampRow(int32 v) const
{
    return ClampIntoExtent(v, gImageHeight);
}

int32 TShowBit::ClampColumn(int32 v) const
{
    return ClampIntoExtent(v, gImageWidth);
}

std::string TShowBit::SelectionText() const
{
    char text[64];
    std::snprintf(text, sizeof text, "%d,%d - %d,%d\n",
                  static_cast<int>(fSelection.left), static_cast<int>(fSelection.top),
                  static_cast<int>(fSelection.right), static_cast<int>(fSelection.bottom));
    return text;
}

bool TShowBit::SelectionLargeEnough() const
{
    return (fSelection.right - fSelection.left) + (fSelection.bottom - fSelection.top)
           >= kMinSelectionExtent;
}
