#include "WindowImpl.h"

#include <QCloseEvent>
#include <QResizeEvent>

using namespace platform_detail;

WindowWidget::WindowWidget(BWindow* owner) : fOwner(owner)
{
    setAttribute(Qt::WA_QuitOnClose, false);
}

// The close box asks the window through QuitRequested; the layer deletes the
// window itself when the answer is yes, so Qt never closes it here.
void WindowWidget::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if ((fOwner->Flags() & B_NOT_CLOSABLE) == 0)
        fOwner->PostMessage(B_QUIT_REQUESTED);
}

void WindowWidget::resizeEvent(QResizeEvent* event)
{
    LayoutViews(fOwner, event->size(), HookTiming::WhenNoHookRuns);
}
