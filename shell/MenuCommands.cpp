// What the main window does with the codes its menus send.
#include "MainWindow.h"

#include "AboutAlert.h"
#include "ColourMap.h"
#include "LyapParameters.h"
#include "Menu.h"
#include "Message.h"
#include "ShowBit.h"

#include <algorithm>

namespace {

constexpr int32 kPaletteMenuIndex = 1;
constexpr int32 kIterationsMenuIndex = 2;
constexpr int32 kFractalTypeMenuIndex = 3;

bool IsIterationCommand(uint32 code)
{
    return std::find(kIterationCounts.begin(), kIterationCounts.end(), code)
           != kIterationCounts.end();
}

// Moves the radio mark of `menu` to the item that sends `command`.
void MarkCommand(BMenu* menu, uint32 command)
{
    if (menu == nullptr)
        return;
    for (int32 i = 0; i < menu->CountItems(); ++i) {
        BMenuItem* item = menu->ItemAt(i);
        item->SetMarked(item->Command() == command);
    }
}

// The command of the item that shows these colours: a shipped map's, the
// map file's for any other map, the palette's without one.
uint32 ColoursCommand(const std::optional<ColourMap>& map, uint32 paletteCommand, uint32 mapBase, uint32 fileCommand)
{
    if (!map)
        return paletteCommand;
    const auto name = ShippedColourMapName(*map);
    if (!name)
        return fileCommand;
    const auto& names = ColourMapNames();
    return mapBase + static_cast<uint32>(std::find(names.begin(), names.end(), *name) - names.begin());
}

// The Palette menu's "Chaos" submenu.
BMenu* ChaosMenu(BMenu* palette)
{
    for (int32 i = 0; i < palette->CountItems(); ++i)
        if (BMenu* submenu = palette->ItemAt(i)->Submenu())
            return submenu;
    return nullptr;
}

// Carries out a command that may show another place (back, forward, open
// by Ctrl+O or the first file dropped on the window); true when it did.
bool ShowOtherPlace(const BMessage* message, TShowBit* view)
{
    entry_ref dropped;
    switch (message->what) {
    case kBackCommand:
        return view->GoBack();
    case kForwardCommand:
        return view->GoForward();
    case kOpenCommand:
        return view->AskToOpenPicture();
    case B_SIMPLE_DATA:
        return message->FindRef("refs", 0, &dropped) == B_OK && view->OpenPicture(dropped.path);
    default:
        return false;
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
    else if (code == kCopyCommand)
        fView->CopyRenderCommand();
    else if (ShowOtherPlace(message, fView))
        MarkViewValues();
    else if (!CarryOutViewCommand(code))
        CarryOutLookCommand(code);
    // Any other code is dropped.
}

void TMainWindow::MarkViewValues()
{
    BMenuBar* bar = MenuBar();
    if (bar == nullptr)
        return;
    const PictureDescription& shown = fView->ShownPicture();
    BMenu* palette = bar->SubmenuAt(kPaletteMenuIndex);
    MarkCommand(palette, ColoursCommand(shown.colours, kPaletteCommandBase + static_cast<uint32>(fView->Palette()),
                                        kColourMapCommandBase, kColourMapFileCommand));
    const uint32 chaosPalette = kChaosPaletteCommandBase + static_cast<uint32>(PaletteIndex(shown.chaosPalette));
    MarkCommand(ChaosMenu(palette), !GradesChaos(shown) ? kChaosOneColourCommand
        : ColoursCommand(shown.chaosColours, chaosPalette, kChaosMapCommandBase, kChaosMapFileCommand));
    MarkCommand(bar->SubmenuAt(kFractalTypeMenuIndex), fFractalTypeMark);
    // A count that is none of the menu's items leaves every item unmarked.
    MarkCommand(bar->SubmenuAt(kIterationsMenuIndex), static_cast<uint32>(fView->fIterations));
}

void TMainWindow::ResetFractalType()
{
    fView->ResetFractalType();
    fFractalTypeMark = kFractalTypeCommand;
    // The view's count is the default again; the menu shows the count in use.
    if (BMenuBar* bar = MenuBar())
        MarkCommand(bar->SubmenuAt(kIterationsMenuIndex), kLyapDefaultIterations);
}
