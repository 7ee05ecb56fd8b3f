#include "TestSupport.h"

#include "AlertAnswer.h"
#include "Dispatch.h"
#include "ModifierOverride.h"
#include "MouseState.h"
#include "ThreadRegistry.h"
#include "ViewImpl.h"
#include "Window.h"
#include "WindowImpl.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <filesystem>

using namespace platform_detail;

namespace platform_test {

namespace {

// Enough rounds for a message that posts another message, many times over.
constexpr int kMaxRounds = 1000;

} // namespace

void ProcessEvents(int maxMs)
{
    if (maxMs > 0) {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < maxMs)
            QCoreApplication::processEvents(QEventLoop::AllEvents, static_cast<int>(maxMs - clock.elapsed()));
        return;
    }
    for (int round = 0; round < kMaxRounds; ++round) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (PendingActions() == 0)
            break;
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents); // the repaints they asked for
}

void DeliverPulse(BWindow* window)
{
    PulseWindow(window);
}

void ClickCloseBox(BWindow* window)
{
    window->Impl().widget->close();
}

std::vector<BWindow*> Windows()
{
    return AllWindows();
}

void SetModifiers(uint32 modifiers)
{
    OverrideModifiers(modifiers);
}

void ScriptMouse(BView* view, const std::vector<MouseStep>& steps)
{
    StartMouseScript(view->Impl().widget, steps);
}

rgb_color ViewPixel(BView* view, int32 x, int32 y)
{
    const QImage& image = view->Impl().Backing();
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
        return rgb_color{0, 0, 0, 0};
    const QRgb pixel = image.pixel(x, y);
    return rgb_color{static_cast<uint8>(qRed(pixel)), static_cast<uint8>(qGreen(pixel)),
                     static_cast<uint8>(qBlue(pixel)), 255};
}

rgb_color WindowPixel(BWindow* window, int32 x, int32 y)
{
    const QImage image = window->Impl().widget->grab().toImage();
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
        return rgb_color{0, 0, 0, 0};
    const QRgb pixel = image.pixel(x, y);
    return rgb_color{static_cast<uint8>(qRed(pixel)), static_cast<uint8>(qGreen(pixel)),
                     static_cast<uint8>(qBlue(pixel)), 255};
}

void FailNextSpawns(int32 count)
{
    platform_detail::FailNextSpawns(count);
}

int32 LiveThreadCount()
{
    int32 count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/task"))
        ++count;
    return count;
}

void AnswerNextAlert(int32 buttonIndex)
{
    SetAlertAnswer(buttonIndex);
}

} // namespace platform_test
