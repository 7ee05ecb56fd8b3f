#include "WindowImpl.h"

#include "View.h"
#include "ViewImpl.h"

#include <QCloseEvent>
#include <QResizeEvent>
#include <QWindow>

using namespace platform_detail;

WindowWidget::WindowWidget(BWindow* owner) : fOwner(owner)
{
    setAttribute(Qt::WA_QuitOnClose, false);
}

void WindowWidget::WatchExposures()
{
    if (QWindow* handle = windowHandle())
        handle->installEventFilter(this);
}

// The views' backing images would show the old picture; the program is
// asked to draw, as the window system would ask it.
bool WindowWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Expose && windowHandle() != nullptr && windowHandle()->isExposed()) {
        for (BView* view : fOwner->Impl().children) {
            view->Impl().needsDraw = true;
            view->Impl().widget->update();
        }
    }
    return QWidget::eventFilter(watched, event);
}

// The close box asks the window through QuitRequested; the layer deletes the
// window itself when the answer is yes, so Qt never closes it here.
void WindowWidget::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if ((fOwner->Impl().flags & B_NOT_CLOSABLE) == 0)
        fOwner->PostMessage(B_QUIT_REQUESTED);
}

void WindowWidget::resizeEvent(QResizeEvent* event)
{
    LayoutViews(fOwner, event->size(), HookTiming::WhenNoHookRuns);
}
