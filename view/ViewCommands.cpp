// What the menu commands and the zoom ask of the view: forget the selection
// and render again, or render with another iteration count.
#include "ShowBit.h"

#include "TLyapCalc.h"

void TShowBit::ClearSelection()
{
    fSelection = BRect(kNoSelection, kNoSelection, kNoSelection, kNoSelection);
}

void TShowBit::Refresh()
{
    StopRender();
    ClearSelection();
    RestartRender();
    NoteChange();
}

void TShowBit::SetIterations(int32 count)
{
    if (count == fIterations)
        return;
    StopRender();
    fIterations = count;
    ClearSelection();
    fCalc->fIterations = count;
    RestartRender();
    NoteChange();
}

void TShowBit::ResetFractalType()
{
    StopRender();
    fCalc->fType = 1;
    fCalc->SetDefaults();
    // SetDefaults puts the calculator back at the default count; the view's
    // count follows, so that choosing the previous count again is not
    // mistaken for a no-op.
    fIterations = kLyapDefaultIterations;
    SyncControls();
    Refresh();
}
