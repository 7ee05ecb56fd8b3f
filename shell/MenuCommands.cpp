// What the main window does with the codes its menus send.
#include "MainWindow.h"

#include "AboutAlert.h"
#include "Menu.h"
#include "ShowBit.h"
#include "TLyapCalc.h"

#include <algorithm>

namespace {

constexpr int32 kIterationsMenuIndex = 2;

bool IsIterationCommand(uint32 code)
{
    return std::find(kIterationCounts.begin(), kIterationCounts.end(), code)
           != kIterationCounts.end();
}

// Moves the radio mark of `menu` to the item that sends `command`.
void MarkCommand(BMenu* menu, uint32 command)
{
    for (int32 i = 0; i < menu->CountItems(); ++i) {
        BMenuItem* item = menu->ItemAt(i);
        item->SetMarked(item->Command() == command);
    }
}

} // namespace

void TMainWindow::MessageReceived(BMessage* message)
{
    const uint32 code = message->what;
    if (code - kPaletteCommandBase < kPaletteCount)
        fView->SetPalette(static_cast<int32>(code - kPaletteCommandBase));
    else if (IsIterationCommand(code))
        fView->SetIterations(static_cast<int32>(code));
    else if (code == kFractalTypeCommand)
        ResetFractalType();
    else if (code == kAboutCommand)
        ShowAboutAlert(kAboutText);
    else if (code == kSaveCommand)
        fView->SavePicture();
    // Any other code is dropped.
}

void TMainWindow::ResetFractalType()
{
    fView->StopRender();
    fView->fCalc->fType = 1;
    fView->fCalc->SetDefaults();
    // SetDefaults puts the calculator back at the default count; the view's
    // count and the menu's mark follow, so the menu shows the count in use
    // and choosing the previous count again is not mistaken for a no-op.
    fView->fIterations = kLyapDefaultIterations;
    if (BMenuBar* bar = MenuBar())
        MarkCommand(bar->SubmenuAt(kIterationsMenuIndex), kLyapDefaultIterations);
    fView->SyncControls();
    fView->Refresh();
}
