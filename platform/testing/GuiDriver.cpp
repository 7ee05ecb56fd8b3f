#include "GuiDriver.h"

#include "Dispatch.h"
#include "ViewImpl.h"
#include "Window.h"
#include "WindowImpl.h"

#include <algorithm>

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTimer>

using namespace platform_detail;

namespace platform_test {
namespace {

// Enough rounds for a message that posts another message, many times over.
constexpr int kMaxRounds = 1000;
constexpr int kAlertLookMs = 5;

QMessageBox* ShownAlert()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(widget); box != nullptr && box->isVisible())
            return box;
    return nullptr;
}

} // namespace

void ProcessEvents()
{
    for (int round = 0; round < kMaxRounds; ++round) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (PendingActions() == 0)
            break;
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents); // the repaints they asked for
}

void DeliverPulse(BWindow* window) { PulseWindow(window); }
void ClickCloseBox(BWindow* window) { window->Impl().widget->close(); }
std::vector<BWindow*> Windows() { return AllWindows(); }
bool IsOpen(BWindow* window) { return std::ranges::count(AllWindows(), window) != 0; }

void PostPress(BView* view, BPoint where, uint32 buttons)
{
    QWidget* target = view->Impl().widget;
    const QPointF local(where.x, where.y);
    const Qt::MouseButton button = (buttons & B_SECONDARY_MOUSE_BUTTON) != 0 ? Qt::RightButton
        : (buttons & B_TERTIARY_MOUSE_BUTTON) != 0                          ? Qt::MiddleButton
                                                                             : Qt::LeftButton;
    QCoreApplication::postEvent(target, new QMouseEvent(QEvent::MouseButtonPress, local, target->mapToGlobal(local),
                                                        button, button, Qt::NoModifier));
}

// Looks for the alert until it is up: the answer is given from inside the
// alert's own wait, as the user's would be.
void AnswerNextAlert(int32 buttonIndex)
{
    auto* timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, timer, [timer, buttonIndex] {
        QMessageBox* box = ShownAlert();
        if (box == nullptr)
            return;
        timer->deleteLater();
        timer->stop();
        const QList<QAbstractButton*> buttons = box->buttons();
        if (buttonIndex >= 0 && buttonIndex < buttons.size()) {
            buttons[buttonIndex]->click();
            return;
        }
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(box, &escape);
    });
    timer->start(kAlertLookMs);
}

rgb_color ViewPixel(BView* view, int32 x, int32 y)
{
    const QImage& image = view->Impl().Backing();
    if (!image.valid(x, y))
        return rgb_color{0, 0, 0, 0};
    const QRgb pixel = image.pixel(x, y);
    return rgb_color{uint8(qRed(pixel)), uint8(qGreen(pixel)), uint8(qBlue(pixel)), 255};
}

} // namespace platform_test
