// The View menu: the image fitted to the window, full screen, and the
// "Point" window.
#include "MainWindow.h"

#include "Menu.h"
#include "PointWindow.h"
#include "Screen.h"
#include "ShowBit.h"

namespace {

constexpr int32 kViewMenuIndex = 4;

} // namespace

bool TMainWindow::CarryOutViewCommand(uint32 code)
{
    // Full screen is always fitted: unfitting it leaves full screen too.
    if (code == kFitCommand && IsFullScreen()) {
        fFitBeforeFullScreen = false;
        FillScreen(false);
    } else if (code == kFitCommand)
        SetFitToWindow(!fView->FitsWindow());
    else if (code == kFullScreenCommand)
        FillScreen(!IsFullScreen());
    else if (code == kLeaveFullScreenCommand)
        FillScreen(false);
    else if (code == kPointCommand)
        fView->ShowPointWindow();
    else if (code == kPinPointCommand)
        fView->TogglePin();
    else if (code == kCopyPointCommand)
        fView->CopyPoint();
    else
        return false;
    MarkViewMenu();
    return true;
}

void TMainWindow::SetFitToWindow(bool on)
{
    if (on) {
        const BRect screen = BScreen(this).Frame();
        SetSizeLimits(kMinWidth, screen.Width(), kMinHeight, screen.Height());
        fView->SetFitToWindow(true);
        return;
    }
    // The image comes back within the bitmap first, then the window within
    // its limits of a picture of 384.
    fView->SetFitToWindow(false);
    SetSizeLimits(kMinWidth, static_cast<float>(kBitmapWidth), kMinHeight,
                  fMenuBarHeight + static_cast<float>(kBitmapHeight) + 1);
}

void TMainWindow::FillScreen(bool on)
{
    if (on == IsFullScreen())
        return;
    if (on) {
        fFitBeforeFullScreen = fView->FitsWindow();
        SetFitToWindow(true);
        BWindow::SetFullScreen(true);
        return;
    }
    BWindow::SetFullScreen(false);
    SetFitToWindow(fFitBeforeFullScreen);
}

void TMainWindow::MarkViewMenu()
{
    BMenuBar* bar = MenuBar();
    BMenu* menu = bar != nullptr ? bar->SubmenuAt(kViewMenuIndex) : nullptr;
    if (menu == nullptr)
        return;
    menu->ItemAt(0)->SetMarked(fView->FitsWindow());
    menu->ItemAt(1)->SetMarked(IsFullScreen());
}
