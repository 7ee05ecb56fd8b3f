#include "MouseState.h"

#include "View.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

#include <deque>

namespace platform_detail {
namespace {

// Touched only on the GUI thread.
QPointF gPosition;
uint32 gButtons = 0;

QPointer<QWidget> gScriptTarget;
std::deque<platform_test::MouseStep> gScriptSteps;
uint32 gScriptButtons = 0;

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

Qt::MouseButtons QtButtons(uint32 mask)
{
    Qt::MouseButtons buttons;
    if (mask & B_PRIMARY_MOUSE_BUTTON)
        buttons |= Qt::LeftButton;
    if (mask & B_SECONDARY_MOUSE_BUTTON)
        buttons |= Qt::RightButton;
    if (mask & B_TERTIARY_MOUSE_BUTTON)
        buttons |= Qt::MiddleButton;
    return buttons;
}

Qt::MouseButton FirstButton(uint32 mask)
{
    if (mask & B_SECONDARY_MOUSE_BUTTON)
        return Qt::RightButton;
    if (mask & B_TERTIARY_MOUSE_BUTTON)
        return Qt::MiddleButton;
    return Qt::LeftButton;
}

// Sees every mouse event before its receiver does, whether it came from the
// window system or was posted by a test.
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

void PostMouseEvent(QWidget* target, QEvent::Type type, BPoint where, Qt::MouseButton button,
                    uint32 buttonsAfter)
{
    const QPointF local(where.x, where.y);
    auto* event = new QMouseEvent(type, local, target->mapToGlobal(local), button,
                                  QtButtons(buttonsAfter), Qt::NoModifier);
    QCoreApplication::postEvent(target, event);
}

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

void StartMouseScript(QWidget* target, const std::vector<platform_test::MouseStep>& steps)
{
    if (steps.empty())
        return;
    gScriptTarget = target;
    gScriptSteps.assign(steps.begin() + 1, steps.end());
    // A script always ends with every button up, so a drag ends.
    if (gScriptSteps.empty() || gScriptSteps.back().buttons != 0)
        gScriptSteps.push_back({steps.back().where, 0});
    gScriptButtons = steps.front().buttons != 0 ? steps.front().buttons : B_PRIMARY_MOUSE_BUTTON;
    PostMouseEvent(target, QEvent::MouseButtonPress, steps.front().where, FirstButton(gScriptButtons),
                   gScriptButtons);
}

void PostNextScriptedStep(QWidget* target)
{
    if (gScriptTarget != target || gScriptSteps.empty())
        return;
    const platform_test::MouseStep step = gScriptSteps.front();
    gScriptSteps.pop_front();
    if (step.buttons == 0)
        PostMouseEvent(target, QEvent::MouseButtonRelease, step.where, FirstButton(gScriptButtons), 0);
    else
        PostMouseEvent(target, QEvent::MouseMove, step.where, Qt::NoButton, step.buttons);
    gScriptButtons = step.buttons;
}

void FinishMouseScript(QWidget* target)
{
    while (gScriptTarget == target && !gScriptSteps.empty())
        PostNextScriptedStep(target);
}

} // namespace platform_detail
