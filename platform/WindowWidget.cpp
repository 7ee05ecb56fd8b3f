#include "WindowImpl.h"

#include "View.h"
#include "ViewImpl.h"

#include "Message.h"

#include <QCloseEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>
#include <QResizeEvent>
#include <QWindow>

using namespace platform_detail;

WindowWidget::WindowWidget(BWindow* owner) : fOwner(owner)
{
    setAttribute(Qt::WA_QuitOnClose, false);
    setAcceptDrops(true);
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

// Return or Enter that the focused control left alone (a text field does,
// a check box does) presses the default button (BButton::MakeDefault), as in
// a dialog.
void WindowWidget::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        for (QPushButton* button : findChildren<QPushButton*>()) {
            if (button->isDefault() && button->isEnabled())
                return button->click();
        }
    }
    QWidget::keyPressEvent(event);
}

void WindowWidget::resizeEvent(QResizeEvent* event)
{
    LayoutViews(fOwner, event->size(), HookTiming::WhenNoHookRuns);
}

namespace {

QStringList DroppedFiles(const QMimeData* data)
{
    QStringList paths;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    }
    return paths;
}

} // namespace

void WindowWidget::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DroppedFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

// Files dropped on any window reach it as a B_SIMPLE_DATA message with one
// "refs" entry each; a window that does not handle it drops it.
void WindowWidget::dropEvent(QDropEvent* event)
{
    BMessage message(B_SIMPLE_DATA);
    for (const QString& path : DroppedFiles(event->mimeData())) {
        const entry_ref ref{path.toStdString()};
        message.AddRef("refs", &ref);
    }
    event->acceptProposedAction();
    fOwner->PostMessage(&message);
}
