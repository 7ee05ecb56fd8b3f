#include "MouseState.h"

#include "View.h"

#include <QCoreApplication>
#include <QMouseEvent>

namespace platform_detail {
namespace {

// Touched only on the GUI thread.
QPointF gPosition;
uint32 gButtons = 0;

uint32 ButtonMask(Qt::MouseButtons buttons)
{
    uint32 mask = 0;
    if (buttons & Qt::LeftButton)
        mask |= B_PRIMARY_MOUSE_BUTTON;
    if (buttons & Qt::RightButton)
        mask |= B_SECONDARY_MOUSE_BUTTON;
    if (buttons & Qt::MiddleButton)
        mask |= B_TERTIARY_MOUSE_BUTTON;
    return mask;
}

// Sees every mouse event before its receiver does.
class MouseRecorder : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            gPosition = mouse->globalPosition();
            gButtons = ButtonMask(mouse->buttons());
            break;
        }
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void InstallMouseRecorder()
{
    QCoreApplication* application = QCoreApplication::instance();
    application->installEventFilter(new MouseRecorder(application));
}

QPointF LastMousePosition()
{
    return gPosition;
}

uint32 LastMouseButtons()
{
    return gButtons;
}

} // namespace platform_detail
